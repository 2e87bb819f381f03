// Appends memos to a new .fpt/.dct file: 512-byte header (next free block and block size,
// big-endian), then per memo a block head [type][length] and the data, padded to whole blocks.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace vfpwriter {

class MemoWriter
{
public:
    // Creates (replaces) the file. Throws VfpError when it cannot be created or blockSize is
    // not 1 to 65535.
    MemoWriter(const std::filesystem::path& path, std::uint32_t blockSize);
    ~MemoWriter();
    MemoWriter(const MemoWriter&) = delete;
    MemoWriter& operator=(const MemoWriter&) = delete;

    // Writes one memo and returns its block number. type: 0 picture, 1 text, 2 object.
    // Throws VfpError when the file would need more blocks than a pointer can address.
    std::uint32_t append(std::string_view data, std::uint32_t type);
    // Writes the next-free pointer and closes the file; throws VfpError when writing failed.
    void close();

private:
    std::filesystem::path mPath;
    std::FILE* mFile = nullptr;
    std::uint32_t mBlockSize;
    std::uint64_t mNextBlock;
};

}  // namespace vfpwriter
