// Unnamed files are linked in through /proc/self/fd (linkat's AT_EMPTY_PATH would need a
// privilege). Replacing a file takes two steps, a link under a random hidden name and a rename
// over the target, because no call links over an existing name; only a crash between the two
// (microseconds) could leave the hidden name behind.
#include "components/spreadsheet/PendingFile.h"

#include <cerrno>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "components/spreadsheet/SpreadsheetError.h"
#include "components/spreadsheet/SpreadsheetMessages.h"
#include "components/xlsx/WriterMessages.h"

namespace spreadsheet {

namespace {

constexpr char kHiddenPrefix[] = ".quorvane-";
constexpr char kHiddenSuffix[] = ".tmp";
constexpr int kNameAttempts = 100;

int openFolder(const std::filesystem::path& folder)
{
    // O_PATH where the folder cannot be read: enough to create and link files in it.
    int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0 && errno == EACCES)
        descriptor = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    return descriptor;
}

}  // namespace

PendingFile::PendingFile(const std::filesystem::path& folder) : mFolderPath(folder)
{
    mFolder = openFolder(folder);
    if (mFolder < 0)
        throw SpreadsheetError(messages::fileNotCreated(folder.string(), errno));
    try {
        create();
    } catch (...) {
        ::close(mFolder);
        throw;
    }
}

PendingFile::~PendingFile()
{
    if (!mNamed && !mTemporaryName.empty())
        ::unlinkat(mFolder, mTemporaryName.c_str(), 0);
    ::close(mDescriptor);
    ::close(mFolder);
}

void PendingFile::create()
{
    mDescriptor = ::openat(mFolder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (mDescriptor >= 0)
        return;
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        throw SpreadsheetError(messages::fileNotCreated(mFolderPath.string(), errno));
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = randomName(kHiddenPrefix, kHiddenSuffix);
        mDescriptor = ::openat(mFolder, name.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0666);
        if (mDescriptor >= 0) {
            mTemporaryName = name;
            return;
        }
        if (errno != EEXIST)
            break;
    }
    throw SpreadsheetError(messages::fileNotCreated(mFolderPath.string(), errno));
}

std::filesystem::path PendingFile::nameUniquely(std::string_view prefix, std::string_view suffix,
                                                mode_t permissions)
{
    if (::fchmod(mDescriptor, permissions) != 0)
        fail(mFolderPath.string(), errno);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = randomName(prefix, suffix);
        if (link(name)) {
            if (!mTemporaryName.empty())
                ::unlinkat(mFolder, mTemporaryName.c_str(), 0);
            mNamed = true;
            return mFolderPath / name;
        }
    }
    fail(mFolderPath.string(), EEXIST);
}

void PendingFile::replace(const std::string& name)
{
    const std::string file = (mFolderPath / name).string();
    if (::fdatasync(mDescriptor) != 0)
        throw SpreadsheetError(xlsx::messages::fileNotWritten(file, errno));
    struct stat target
    {
    };
    const bool exists = ::fstatat(mFolder, name.c_str(), &target, AT_SYMLINK_NOFOLLOW) == 0;
    if (exists && S_ISDIR(target.st_mode))
        throw SpreadsheetError(messages::targetIsFolder(file));
    if (exists && S_ISREG(target.st_mode) && ::fchmod(mDescriptor, target.st_mode & 07777) != 0)
        fail(file, errno);

    std::string linked = mTemporaryName;
    if (linked.empty()) {
        if (!exists && link(name)) {
            mNamed = true;
            return;
        }
        for (int attempt = 0; attempt < kNameAttempts && linked.empty(); ++attempt) {
            const std::string candidate = randomName(kHiddenPrefix, ".xlsx");
            if (link(candidate))
                linked = candidate;
        }
        if (linked.empty())
            fail(file, errno);
    }
    if (::renameat(mFolder, linked.c_str(), mFolder, name.c_str()) != 0) {
        const int error = errno;
        if (linked != mTemporaryName)
            ::unlinkat(mFolder, linked.c_str(), 0);
        fail(file, error);
    }
    mNamed = true;
    ::fsync(mFolder);  // the new name on disk too; an O_PATH folder cannot, and need not
}

bool PendingFile::link(const std::string& name)
{
    int result;
    if (mTemporaryName.empty()) {
        const std::string self = "/proc/self/fd/" + std::to_string(mDescriptor);
        result = ::linkat(AT_FDCWD, self.c_str(), mFolder, name.c_str(), AT_SYMLINK_FOLLOW);
    } else {
        result = ::linkat(mFolder, mTemporaryName.c_str(), mFolder, name.c_str(), 0);
    }
    if (result == 0)
        return true;
    if (errno != EEXIST)
        fail((mFolderPath / name).string(), errno);
    return false;
}

std::string PendingFile::randomName(std::string_view prefix, std::string_view suffix) const
{
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string name(prefix);
    for (int i = 0; i < 6; ++i)
        name += kLetters[pick(random)];
    name += suffix;
    return name;
}

void PendingFile::fail(const std::string& file, int error) const
{
    throw SpreadsheetError(messages::fileNotNamed(file, error));
}

}  // namespace spreadsheet
