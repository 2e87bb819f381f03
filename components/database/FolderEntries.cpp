// Case-blind lookup in folders through one listing per folder, kept while the folder's
// modification time stays the same.
#include "components/database/FolderEntries.h"

#include <sys/stat.h>

#include <algorithm>
#include <system_error>

#include "components/files/FileName.h"

namespace database {
namespace {

// Coarser than any file system's modification times (FAT keeps two seconds): two changes this
// close together may leave a folder with the same time.
constexpr time_t kTimestampGrain = 2;

bool isWanted(const std::filesystem::path& path, bool wantFolder)
{
    std::error_code error;
    return wantFolder ? std::filesystem::is_directory(path, error)
                      : std::filesystem::is_regular_file(path, error);
}

std::filesystem::path entryPath(const std::filesystem::path& folder, const QString& name)
{
    return folder / files::fileNameBytes(name).toStdString();
}

bool sameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

FolderEntries::Listing& FolderEntries::listing(const std::filesystem::path& folder, bool fresh)
{
    timespec now = {};
    clock_gettime(CLOCK_REALTIME, &now);
    struct stat status = {};
    const bool examined = stat(folder.c_str(), &status) == 0;
    const auto kept = mListings.find(folder);
    if (!fresh && examined && kept != mListings.end() &&
        sameTime(kept->second.modified, status.st_mtim))
        return kept->second;
    Listing listed;
    listed.modified = status.st_mtim;
    listed.racy = now.tv_sec - status.st_mtim.tv_sec < kTimestampGrain;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        QString name = files::fileNameText(it->path().filename().native());
        listed.byName[name.toCaseFolded()].push_back(std::move(name));
    }
    for (auto& names : listed.byName)
        std::sort(names.begin(), names.end());
    return mListings.insert_or_assign(folder, std::move(listed)).first->second;
}

std::filesystem::path FolderEntries::find(const std::filesystem::path& folder, const QString& name,
                                          bool wantFolder)
{
    const std::filesystem::path exact = entryPath(folder, name);
    if (isWanted(exact, wantFolder))
        return exact;
    const QString key = name.toCaseFolded();
    const std::lock_guard<std::mutex> lock(mMutex);
    for (bool fresh : {false, true}) {
        const Listing& entries = listing(folder, fresh);
        for (const QString& candidate : entries.byName.value(key))
            if (isWanted(entryPath(folder, candidate), wantFolder))
                return entryPath(folder, candidate);
        if (!entries.racy)
            break;
    }
    return {};
}

}  // namespace database
