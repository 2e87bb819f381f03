// A temporary folder that removes itself with everything in it.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return mPath; }
    // Writes bytes to a file below the folder, creating parent folders; returns its path.
    std::filesystem::path write(const std::string& relative, const std::string& bytes) const;

private:
    std::filesystem::path mPath;
};

}  // namespace testsupport
