// Where the engine reads bytes from: a file read with pread (never mapped, never loaded whole)
// or a block of memory (tests, fuzzing). Sources are shared by every reader of one table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace vfp {

class ByteSource
{
public:
    virtual ~ByteSource() = default;

    // Size in bytes when the source was opened. A file that shrinks afterwards makes readAt
    // return fewer bytes; readers then throw VfpError ("became shorter while it was read").
    virtual std::uint64_t size() const = 0;
    // Copies up to n bytes starting at offset into `into`; returns how many were copied, fewer
    // only at the end of the data. Thread-safe. Throws VfpError on an I/O error.
    virtual std::size_t readAt(std::uint64_t offset, char* into, std::size_t n) const = 0;
    // The file name (not the folder) used in messages, e.g. "orders.dbf".
    virtual const std::string& displayName() const = 0;
};

// Opens a file for reading. Throws VfpError naming the file when it cannot be opened or is
// not a regular file.
std::shared_ptr<ByteSource> openFileSource(const std::filesystem::path& path);

// A source over a copy of `bytes`, shown in messages as displayName.
std::shared_ptr<ByteSource> memorySource(std::string bytes, std::string displayName);

}  // namespace vfp
