// The folder walk: level order, each folder's sub-folders in name order, the attribute and
// name rules, and its two failure modes.
#include "modules/fs/AddFolder.h"

#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include <QFile>
#include <QHash>

#include "components/files/FileName.h"
#include "modules/app/ErrorReport.h"
#include "modules/app/Main.h"
#include "modules/app/ReportingProcedure.h"
#include "modules/app/YieldToWindows.h"
#include "modules/fs/DirectoryReader.h"
#include "modules/fs/FileSystemError.h"
#include "modules/fs/FolderAttributes.h"
#include "modules/fs/NameOrder.h"
#include "modules/fs/TreeBounds.h"

namespace fs {
namespace {

// The folder walk's reports carry a project tag of their own.
constexpr char kWalkProjectTag[] = "PellanTitle2021/08/31";

// The statements of GetSubDirectories2016 that report, numbered as its error report quotes them.
enum Line : int {
    OpenFolder = 110,
    YieldAfterOpen = 112,
    IsSearchable = 114,
    Descend = 148,
    YieldBeforeAppend = 152,
    IsStillSearchable = 154,
};

// A folder's identity: device and inode, whatever path or link leads to it.
using FolderIdentity = std::pair<dev_t, ino_t>;

class FolderWalk
{
public:
    // Marks the folders already listed, so no link can lead back to them. Failures go to
    // report.
    FolderWalk(const QStringList& folders, app::FailureReport& report);

    // One call of the walk: appends the searchable folders below folders to it and removes
    // the ones that may not be listed. Returns how many entries it appended.
    qsizetype run(QStringList& folders, bool recurse);

    // Every failure reported so far, by every level of the walk.
    const app::Failures& failed() const { return mLog.failures(); }

private:
    FolderStatus openFolder(const QString& entry);
    bool isSearchable(const QString& entry, const std::optional<FolderStatus>& opened);
    bool isStillSearchable(const QString& entry);
    bool leadsInside(const DirectoryReader& reader, const char* name, struct stat& status);
    void checkIdentity(const QString& entry, const DirectoryReader& reader) const;

    // A sub-folder as its parent's listing found it.
    struct SubFolder
    {
        QString name;
        FolderIdentity identity;
        FolderStatus listed;
    };
    void listSubFolders(const QString& entry, QStringList& newList);
    void readSubFolders(const QString& entry, std::vector<SubFolder>& found);
    void appendSubFolders(const QString& entry, std::vector<SubFolder>& found,
                          QStringList& newList);

    app::FailureLog mLog;
    TreeBounds mBounds;  // the trees of the folders the walk was given
    std::set<FolderIdentity> mSeen;
    AttributeReader mAttributes;
    // What listing a sub-folder found about it, for its own call to open it with.
    struct ListedFolder
    {
        FolderStatus status;
        FolderIdentity identity;  // the folder its parent listed, and no other, is listed
    };
    QHash<QString, ListedFolder> mListed;
    // The word each folder had when its own call tested it, for its parent's final test.
    QHash<QString, std::uint32_t> mWords;
};

FolderWalk::FolderWalk(const QStringList& folders, app::FailureReport& report)
    : mLog(report), mBounds(folders)
{
    for (const QString& entry : folders) {
        struct stat status = {};
        if (stat(files::fileNameBytes(entry).constData(), &status) == 0)
            mSeen.emplace(status.st_dev, status.st_ino);
    }
}

// A sub-folder was examined when its parent listed it a moment ago; looking again would cost
// a system call per folder, and those are what the walk's time goes on.
FolderStatus FolderWalk::openFolder(const QString& entry)
{
    const auto listed = mListed.constFind(entry);
    const FolderStatus status = listed != mListed.cend() ? listed->status : folderStatus(entry);
    if (!status.isDirectory)
        throw errnoError(ENOTDIR, entry);
    return status;
}

// opened: what opening the folder found a moment ago; examined afresh when the open failed.
bool FolderWalk::isSearchable(const QString& entry, const std::optional<FolderStatus>& opened)
{
    const std::uint32_t word = mAttributes.word(entry, opened ? *opened : folderStatus(entry));
    mWords.insert(entry, word);
    return isSearchableFolder(isRootFolder(entry), word);
}

// The final test of a sub-folder: the word its own call read, or a fresh one when that call
// never got so far (a path too long to search, a folder that vanished).
bool FolderWalk::isStillSearchable(const QString& entry)
{
    const auto known = mWords.constFind(entry);
    const std::uint32_t word =
        known != mWords.cend() ? *known : mAttributes.word(entry, folderStatus(entry));
    return isSearchableFolder(isRootFolder(entry), word);
}

// A link is taken only when it leads to a folder inside the chosen trees: the folder is opened
// through the link once and that descriptor is both checked and identified, so what is checked
// is what is listed later (its own call compares the identity again).
bool FolderWalk::leadsInside(const DirectoryReader& reader, const char* name, struct stat& status)
{
    const int folder = reader.openFolderEntry(name);
    if (folder < 0)
        return false;  // a link to a file, to nowhere, or to itself
    const bool inside = fstat(folder, &status) == 0 && mBounds.holdsFolder(folder);
    close(folder);
    return inside;
}

// The folder its parent listed, and no other: a folder swapped for another (or for a link)
// since then counts as gone.
void FolderWalk::checkIdentity(const QString& entry, const DirectoryReader& reader) const
{
    const auto listed = mListed.constFind(entry);
    struct stat status = {};
    if (listed != mListed.cend() &&
        (fstat(reader.descriptor(), &status) != 0 ||
         listed->identity != FolderIdentity{status.st_dev, status.st_ino}))
        throw errnoError(ENOENT, entry);
}

// A listing that fails part way keeps the sub-folders found before the failure: each was taken
// as it was listed. The failure then abandons the rest of the folder.
void FolderWalk::listSubFolders(const QString& entry, QStringList& newList)
{
    std::vector<SubFolder> found;
    try {
        readSubFolders(entry, found);
    } catch (...) {
        appendSubFolders(entry, found, newList);
        throw;
    }
    appendSubFolders(entry, found, newList);
}

void FolderWalk::readSubFolders(const QString& entry, std::vector<SubFolder>& found)
{
    DirectoryReader reader(files::fileNameBytes(entry));
    checkIdentity(entry, reader);
    DirectoryReader::Entry read{};
    while (reader.next(read)) {
        if (read.type != DT_DIR && read.type != DT_LNK && read.type != DT_UNKNOWN)
            continue;
        // The entry itself first: a real folder below is inside by where it is, a link is
        // examined where it leads.
        struct stat status = {};
        if (!reader.statEntry(read.name, status, false))
            continue;
        const bool isLink = S_ISLNK(status.st_mode);
        if (isLink ? !leadsInside(reader, read.name, status) : !S_ISDIR(status.st_mode))
            continue;  // a file, a link to one or to nowhere, or a link out of the trees
        app::YieldToWindows();
        QString name = files::fileNameText(read.name);
        if (name.size() >= kMaxPath || HasUnusableCharacters(name) ||
            name.contains(QLatin1Char('?')))
            continue;
        found.push_back({std::move(name),
                         {status.st_dev, status.st_ino},
                         FolderStatus{isLink, true, status.st_dev}});
    }
}

void FolderWalk::appendSubFolders(const QString& entry, std::vector<SubFolder>& found,
                                  QStringList& newList)
{
    // Sorted before the identity test, so of two names for one folder the first listed stays.
    std::sort(found.begin(), found.end(), [](const SubFolder& a, const SubFolder& b) {
        return isListedBefore(a.name, b.name);
    });
    for (const SubFolder& folder : found) {
        // Identity, not path, so a link back to a parent (or a second mount) cannot loop.
        if (!mSeen.insert(folder.identity).second)
            continue;
        newList.append(entry + folder.name + QLatin1Char('/'));
        mListed.insert(newList.last(), {folder.listed, folder.identity});
    }
}

qsizetype FolderWalk::run(QStringList& folders, bool recurse)
{
    app::ReportingProcedure p{
        app::reportLocation("AddFolder", "GetSubDirectories2016", kWalkProjectTag), mLog,
        app::AppTitle()};
    QStringList newList;
    // Failures are reported until the first listing starts; from then on until the descent
    // has returned, a failure abandons its entry, and a denied or vanished folder leaves the
    // list (any other failure leaves it in place).
    bool skipMode = false;
    const QStringList entries = folders;  // the list changes under us as folders leave it
    for (const QString& entry : entries) {
        if (entry.size() >= kMaxPath)
            continue;
        try {
            std::optional<FolderStatus> opened;
            if (skipMode) {
                opened = openFolder(entry);
                app::YieldToWindows();
                if (!isSearchable(entry, opened))
                    continue;
            } else {
                p.step(OpenFolder, [&] { opened = openFolder(entry); });
                p.step(YieldAfterOpen, [&] { app::YieldToWindows(); });
                if (!p.test(IsSearchable, [&] { return isSearchable(entry, opened); }))
                    continue;
                skipMode = true;
            }
            listSubFolders(entry, newList);
        } catch (const FileSystemError& error) {
            if (error.number() == kPermissionDenied || error.number() == kPathNotFound)
                folders.removeOne(entry);
        } catch (...) {
            // any other failure abandons the entry but leaves it in the list
        }
    }

    qsizetype appendedBelow = 0;
    p.step(Descend, [&] {
        if (recurse && !newList.isEmpty())
            appendedBelow = run(newList, true);
    });
    // The entries the descent appended passed this same test down there; the first ones,
    // this call's own sub-folders, are tested here.
    const qsizetype ownCount = newList.size() - appendedBelow;
    qsizetype appended = 0;
    for (qsizetype i = 0; i < newList.size(); ++i) {
        p.step(YieldBeforeAppend, [&] { app::YieldToWindows(); });
        if (i >= ownCount ||
            p.test(IsStillSearchable, [&] { return isStillSearchable(newList[i]); })) {
            folders.append(newList[i]);
            ++appended;
        }
    }
    return appended;
}

}  // namespace

app::Failures GetSubDirectories2016(QStringList& folders, bool recurse, app::FailureReport& report)
{
    FolderWalk walk(folders, report);
    walk.run(folders, recurse);
    return walk.failed();
}

}  // namespace fs
