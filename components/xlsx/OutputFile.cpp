// pwrite and pread loops: a short write is continued, an interrupted call repeated, and a write
// that takes nothing is the full disk it stands for.
#include "components/xlsx/OutputFile.h"

#include <algorithm>
#include <cerrno>
#include <memory>

#include <unistd.h>

#include "components/xlsx/WriterMessages.h"
#include "components/xlsx/XlsxError.h"

namespace xlsx {

void OutputFile::writeAt(std::uint64_t offset, const char* data, std::size_t size) const
{
    while (size > 0) {
        const ssize_t written = ::pwrite(mDescriptor, data, size, static_cast<off_t>(offset));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            fail(errno);
        if (written == 0)
            fail(ENOSPC);
        data += written;
        size -= static_cast<std::size_t>(written);
        offset += static_cast<std::uint64_t>(written);
    }
}

void OutputFile::readAt(std::uint64_t offset, char* data, std::size_t size) const
{
    while (size > 0) {
        const ssize_t got = ::pread(mDescriptor, data, size, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            fail(errno);
        if (got == 0)
            fail(EIO);  // our own bytes are missing: the file was cut under us
        data += got;
        size -= static_cast<std::size_t>(got);
        offset += static_cast<std::uint64_t>(got);
    }
}

void OutputFile::move(std::uint64_t from, std::uint64_t size, std::uint64_t to) const
{
    constexpr std::size_t kPiece = 1 << 20;
    const std::unique_ptr<char[]> buffer(new char[kPiece]);
    // Moving towards the end, copy the last piece first, so no byte is overwritten unread.
    const bool backwards = to > from;
    std::uint64_t done = 0;
    while (done < size) {
        const std::size_t n =
            static_cast<std::size_t>(std::min<std::uint64_t>(kPiece, size - done));
        const std::uint64_t at = backwards ? size - done - n : done;
        readAt(from + at, buffer.get(), n);
        writeAt(to + at, buffer.get(), n);
        done += n;
    }
}

void OutputFile::truncate(std::uint64_t size) const
{
    while (::ftruncate(mDescriptor, static_cast<off_t>(size)) != 0) {
        if (errno != EINTR)
            fail(errno);
    }
}

void OutputFile::fail(int error) const
{
    throw FileError(messages::fileNotWritten(mName, error));
}

}  // namespace xlsx
