// File and memory byte sources. Files are read with pread so that a file cut short under us
// gives a short read (and a clear error upstream) instead of a signal, as a mapping would.
#include "components/vfp/ByteSource.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "components/vfp/VfpError.h"

namespace vfp {
namespace {

class FileSource final : public ByteSource
{
public:
    FileSource(int fd, std::uint64_t size, std::string name)
        : mFd(fd), mSize(size), mName(std::move(name))
    {}
    ~FileSource() override { ::close(mFd); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::uint64_t size() const override { return mSize; }
    const std::string& displayName() const override { return mName; }

    std::size_t readAt(std::uint64_t offset, char* into, std::size_t n) const override
    {
        std::size_t done = 0;
        while (done < n) {
            const ssize_t got =
                ::pread(mFd, into + done, n - done, static_cast<off_t>(offset + done));
            if (got == 0)
                break;
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                throw VfpError(mName + " cannot be read: " + std::strerror(errno) + '.');
            }
            done += static_cast<std::size_t>(got);
        }
        return done;
    }

private:
    int mFd;
    std::uint64_t mSize;
    std::string mName;
};

class MemorySource final : public ByteSource
{
public:
    MemorySource(std::string bytes, std::string name)
        : mBytes(std::move(bytes)), mName(std::move(name))
    {}

    std::uint64_t size() const override { return mBytes.size(); }
    const std::string& displayName() const override { return mName; }

    std::size_t readAt(std::uint64_t offset, char* into, std::size_t n) const override
    {
        if (offset >= mBytes.size())
            return 0;
        const std::size_t count = std::min<std::uint64_t>(n, mBytes.size() - offset);
        std::memcpy(into, mBytes.data() + offset, count);
        return count;
    }

private:
    std::string mBytes;
    std::string mName;
};

}  // namespace

std::shared_ptr<ByteSource> openFileSource(const std::filesystem::path& path)
{
    const std::string name = path.filename().string();
    // Non-blocking, so that a FIFO (or a device that waits for a peer) in place of a table,
    // memo or container is refused below instead of blocking the open for good; reads of a
    // regular file ignore the flag.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw VfpError(name + " cannot be opened: " + std::strerror(errno) + " (" + path.string() +
                       ").");
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw VfpError(name + " cannot be opened: it is not a regular file (" + path.string() +
                       ").");
    }
    return std::make_shared<FileSource>(fd, static_cast<std::uint64_t>(info.st_size), name);
}

std::shared_ptr<ByteSource> memorySource(std::string bytes, std::string displayName)
{
    return std::make_shared<MemorySource>(std::move(bytes), std::move(displayName));
}

}  // namespace vfp
