// The private cache folder: created 0700 and checked to be ours, because the workbooks in it
// hold the user's data.
#include "components/spreadsheet/CacheFolder.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>

#include "components/spreadsheet/SpreadsheetError.h"
#include "components/spreadsheet/SpreadsheetMessages.h"

namespace spreadsheet {

namespace {

constexpr char kFolderName[] = "quorvane";
constexpr char kFilePrefix[] = "Quorvane-";
constexpr auto kKeepFinishedFor = std::chrono::hours(24);  // the program has long opened them

[[noreturn]] void fail(const std::filesystem::path& folder, const std::string& reason)
{
    throw SpreadsheetError(messages::cacheFolderUnusable(folder.string(), reason));
}

void removeOldWorkbooks(const std::filesystem::path& folder)
{
    const auto limit = std::filesystem::file_time_type::clock::now() - kKeepFinishedFor;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        std::error_code ignored;
        if (name.starts_with(kFilePrefix) && name.ends_with(kWorkbookFileSuffix) &&
            entry.is_regular_file(ignored) && !entry.is_symlink(ignored) &&
            entry.last_write_time(ignored) < limit)
            std::filesystem::remove(entry.path(), ignored);
    }
}

}  // namespace

std::filesystem::path cacheFolderPath()
{
    const char* cacheHome = std::getenv("XDG_CACHE_HOME");
    std::filesystem::path base;
    if (cacheHome && cacheHome[0] == '/')
        base = cacheHome;
    else
        base = std::filesystem::path(QDir::homePath().toStdString()) / ".cache";
    return base / kFolderName;
}

std::filesystem::path openCacheFolder()
{
    const std::filesystem::path folder = cacheFolderPath();
    std::error_code error;
    std::filesystem::create_directories(folder.parent_path(), error);
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        fail(folder, std::strerror(errno));
    struct stat status
    {
    };
    if (lstat(folder.c_str(), &status) != 0)
        fail(folder, std::strerror(errno));
    if (!S_ISDIR(status.st_mode))
        fail(folder, "it is not a folder");
    if (status.st_uid != geteuid())
        fail(folder, "it belongs to another user");
    if ((status.st_mode & 0077) != 0 && chmod(folder.c_str(), 0700) != 0)
        fail(folder, std::strerror(errno));
    removeOldWorkbooks(folder);
    return folder;
}

std::string workbookFilePrefix()
{
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S-", &local);
    return kFilePrefix + std::string(stamp);
}

}  // namespace spreadsheet
