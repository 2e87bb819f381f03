// Temporary folders for tests.
#include "tests/support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace testsupport {

TempDir::TempDir()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "quorvane-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    mPath = pattern;
}

namespace {

// Tests may take permissions away to provoke errors; give them back so the tree can go.
void restorePermissions(const std::filesystem::path& dir)
{
    std::error_code ec;
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        if (entry.is_directory(ec) && !entry.is_symlink(ec))
            restorePermissions(entry.path());
    }
}

}  // namespace

TempDir::~TempDir()
{
    restorePermissions(mPath);
    std::error_code ec;
    std::filesystem::remove_all(mPath, ec);
}

std::filesystem::path TempDir::write(const std::string& relative, const std::string& bytes) const
{
    const auto file = mPath / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
    return file;
}

}  // namespace testsupport
