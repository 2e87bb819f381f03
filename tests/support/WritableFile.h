// A file created (or emptied) for writing through its descriptor, closed when the object goes:
// what the workbook writer takes in tests, where no unnamed file is needed.
#pragma once

#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

namespace testsupport {

class WritableFile
{
public:
    explicit WritableFile(const std::filesystem::path& path)
        : mDescriptor(::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644))
    {}
    ~WritableFile() { ::close(mDescriptor); }
    WritableFile(const WritableFile&) = delete;
    WritableFile& operator=(const WritableFile&) = delete;

    int descriptor() const { return mDescriptor; }

private:
    int mDescriptor;
};

}  // namespace testsupport
