// Memo files: FoxPro .fpt (and a container's .dct), dBase III and IV .dbt. Reads one memo
// given the pointer from a record, checking it against the file before reading.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "components/vfp/ByteSource.h"

namespace vfp {

enum class MemoFormat : std::uint8_t {
    Fpt,   // big-endian header, block = [type][length] + data
    Dbt3,  // 512-byte blocks, text runs to a 0x1A (at most 4 MiB when the 0x1A is missing)
    Dbt4,  // block = FF FF 08 00 + length (including these 8 bytes) + data
};

enum class MemoStatus : std::uint8_t {
    Ok,
    HeaderDamaged,   // the file is shorter than its 512-byte header
    PointerPastEnd,  // the block (or its 8-byte head) lies past the end of the file
    LengthPastEnd,   // the block's length runs past the end of the file
    Shrunk,          // the file became shorter while it was read
};

class MemoFile
{
public:
    // source must not be null. A block size of 0 in an FPT header is read as 1 (1-byte blocks).
    MemoFile(std::shared_ptr<ByteSource> source, MemoFormat format);

    std::uint32_t blockSize() const { return mBlockSize; }
    std::uint64_t size() const { return mSize; }
    const std::string& displayName() const { return mSource->displayName(); }

    // Reads the memo starting at block into out (raw bytes); block 0 is an empty memo. A
    // block inside the header is read like any other (its unused bytes read as an empty
    // memo): some writers point there. Reuses out's capacity; on a status other than Ok, out
    // is left empty.
    MemoStatus read(std::uint64_t block, std::string& out);

private:
    bool fetch(std::uint64_t offset, std::size_t n, char* into);
    MemoStatus readHead(std::uint64_t offset, char* head);
    MemoStatus readFpt(std::uint64_t offset, std::string& out);
    MemoStatus readDbt4(std::uint64_t offset, std::string& out);
    MemoStatus readToTerminator(std::uint64_t offset, std::string& out);

    std::shared_ptr<ByteSource> mSource;
    MemoFormat mFormat;
    std::uint64_t mSize = 0;
    std::uint32_t mBlockSize = 64;
    bool mHeaderComplete = false;

    // A window of the file: consecutive memos are usually close together.
    std::string mWindow;
    std::uint64_t mWindowOffset = 0;
    std::size_t mWindowLength = 0;
};

}  // namespace vfp
