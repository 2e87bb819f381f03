// The folder walk on real trees: level order, the attribute and name rules, links, denial,
// and which failures are reported, removed or kept.
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "modules/app/ErrorReport.h"
#include "modules/app/Main.h"
#include "modules/fs/AddFolder.h"
#include "tests/modules/fs/FolderTree.h"
#include "tests/support/RecordingMessageBox.h"
#include "tests/support/TempDir.h"

namespace {

namespace stdfs = std::filesystem;
using fstest::entry;
using fstest::makeFolders;
using fstest::relativeSorted;

QStringList walk(const stdfs::path& root, bool recurse = true)
{
    QStringList folders{entry(root)};
    testsupport::RecordingMessageBox boxes;
    fs::GetSubDirectories2016(folders, recurse, boxes.reports());
    return folders;
}

// The walk's result as paths relative to root ("" for root itself), in the walk's order.
QStringList relative(const QStringList& list, const stdfs::path& root)
{
    QStringList result;
    for (const QString& item : list)
        result.append(item.mid(entry(root).size()));
    return result;
}

// Folders created in an order far from name order, with names that catch a walk taking
// readdir's order, a case-sensitive sort or a lower-case one ("order_lines" before "orders").
TEST(FolderWalk, listsEveryLevelInNameOrderGroupedByParentWhateverTheCreationOrder)
{
    std::vector<const char*> folders{
        "products",    "orders/x",         "_scratch",     "Customers/b",  "order_lines",
        "Customers/A", "archive/Old/deep", "archive/2019", "archive/2018", "Zeta",
        "2020/été",    "2020/Ete",         "2020/zz",      "customers2",   "archive/Old/Deep2"};
    std::shuffle(folders.begin(), folders.end(), std::mt19937(14));
    testsupport::TempDir dir;
    for (const char* folder : folders)
        stdfs::create_directories(dir.path() / folder);
    dir.write("a/table.dbf", "");

    EXPECT_EQ(relative(walk(dir.path()), dir.path()),
              (QStringList{"",
                           // first level
                           "2020/", "a/", "archive/", "Customers/", "customers2/", "orders/",
                           "order_lines/", "products/", "Zeta/", "_scratch/",
                           // second level, grouped by parent in the first level's order
                           "2020/Ete/", "2020/zz/", "2020/été/", "archive/2018/", "archive/2019/",
                           "archive/Old/", "Customers/A/", "Customers/b/", "orders/x/",
                           // third level
                           "archive/Old/deep/", "archive/Old/Deep2/"}));
}

TEST(FolderWalk, withoutRecursionListsOneLevel)
{
    testsupport::TempDir dir;
    makeFolders(dir.path(), {"a/a1", "b"});
    EXPECT_EQ(relativeSorted(walk(dir.path(), false), dir.path()), (QStringList{"", "a/", "b/"}));
}

TEST(FolderWalk, folderWithoutSubFoldersStaysAlone)
{
    testsupport::TempDir dir;
    dir.write("only.dbf", "");
    EXPECT_EQ(walk(dir.path()), QStringList{entry(dir.path())});
}

TEST(FolderWalk, skipsHiddenSystemFoldersOnlyWhenTheWordIsExactly22Or1046)
{
    testsupport::TempDir dir;
    // The links lead into the unsearched recycle folder: only they reach those folders.
    makeFolders(dir.path(),
                {"recycle/inside", "archived/inside", "readonly/inside", ".dotsystem/inside",
                 ".git/objects", "plain", "recycle/hidden/below", "recycle/shown/below"});
    if (!fstest::setDosAttributes(dir.path() / "recycle", "0x16"))
        GTEST_SKIP() << "this file system keeps no user extended attributes";
    ASSERT_TRUE(fstest::setDosAttributes(dir.path() / "archived", "0x36"));
    ASSERT_TRUE(fstest::setDosAttributes(dir.path() / "readonly", "0x17"));
    ASSERT_TRUE(fstest::setDosAttributes(dir.path() / ".dotsystem", "0x14"));  // hidden by its dot
    ASSERT_TRUE(fstest::setDosAttributes(dir.path() / "recycle/hidden", "0x16"));
    ASSERT_TRUE(fstest::setDosAttributes(dir.path() / "recycle/shown", "0x36"));
    stdfs::create_directory_symlink("recycle/hidden", dir.path() / "junction");  // 1046
    stdfs::create_directory_symlink("recycle/shown", dir.path() / "link");       // 1078

    EXPECT_EQ(relativeSorted(walk(dir.path()), dir.path()),
              (QStringList{"", ".git/", ".git/objects/", "archived/", "archived/inside/", "link/",
                           "link/below/", "plain/", "readonly/", "readonly/inside/"}));
}

TEST(FolderWalk, aStartFolderOf22StaysInTheListUnsearched)
{
    testsupport::TempDir dir;
    makeFolders(dir.path(), {"start/sub"});
    if (!fstest::setDosAttributes(dir.path() / "start", "0x16"))
        GTEST_SKIP() << "this file system keeps no user extended attributes";
    EXPECT_EQ(walk(dir.path() / "start"), QStringList{entry(dir.path() / "start")});
}

TEST(FolderWalk, linksBackIntoTheTreeNeverLoopOrRepeatAFolder)
{
    testsupport::TempDir dir;
    testsupport::TempDir outside;
    makeFolders(dir.path(), {"a/deep", "b"});
    makeFolders(outside.path(), {"t1"});
    stdfs::create_directory_symlink(dir.path(), dir.path() / "a/deep/toRoot");
    stdfs::create_directory_symlink("..", dir.path() / "a/up");
    stdfs::create_directory_symlink(".", dir.path() / "b/self");
    stdfs::create_directory_symlink("../a", dir.path() / "b/toA");
    stdfs::create_directory_symlink(outside.path(), dir.path() / "b/ext");
    stdfs::create_symlink("nowhere", dir.path() / "b/dangling");
    stdfs::create_symlink("loop2", dir.path() / "b/loop1");
    stdfs::create_symlink("loop1", dir.path() / "b/loop2");

    // b/ext leads out of the tree: neither it nor anything below it is walked.
    EXPECT_EQ(relativeSorted(walk(dir.path()), dir.path()),
              (QStringList{"", "a/", "a/deep/", "b/"}));
}

TEST(FolderWalk, namesTheCodePageCannotShowAreNeitherListedNorSearched)
{
    testsupport::TempDir dir;
    makeFolders(dir.path(), {"café/x", "中文/x", "Q1 – sales/x", "what?/x", "tab\t/x", "ok/x"});
    stdfs::create_directories(dir.path() / std::string("bad\xff") / "x");  // not UTF-8

    EXPECT_EQ(relativeSorted(walk(dir.path()), dir.path()),
              (QStringList{"", "café/", "café/x/", "ok/", "ok/x/"}));
}

TEST(FolderWalk, pathsOf260CharactersAreListedButNotSearched)
{
    testsupport::TempDir dir;
    const std::string x(100, 'x'), y(100, 'y'), z(100, 'z');
    stdfs::create_directories(dir.path() / x / y / z / "w");
    const QStringList folders = walk(dir.path());
    ASSERT_LT(entry(dir.path() / x / y).size(), fs::kMaxPath);
    ASSERT_GE(entry(dir.path() / x / y / z).size(), fs::kMaxPath);
    EXPECT_EQ(folders.last(), entry(dir.path() / x / y / z));
    EXPECT_FALSE(folders.contains(entry(dir.path() / x / y / z / "w")));
}

// Root may read any folder; the guard takes that right away, so these run the same as root.
TEST(FolderWalk, deniedFoldersLeaveTheListAndTheOthersAreStillSearched)
{
    testsupport::TempDir dir;
    makeFolders(dir.path(), {"locked1/secret", "open1/inner", "locked2/secret", "open2/inner"});
    chmod((dir.path() / "locked1").c_str(), 0);
    chmod((dir.path() / "locked2").c_str(), 0);
    testsupport::RecordingMessageBox boxes;
    QStringList folders{entry(dir.path())};
    {
        fstest::WithoutOverrideRights denied;
        fs::GetSubDirectories2016(folders, true, boxes.reports());
    }
    EXPECT_EQ(relativeSorted(folders, dir.path()),
              (QStringList{"", "open1/", "open1/inner/", "open2/", "open2/inner/"}));
    EXPECT_TRUE(boxes.shown.empty());
}

// A listing that fails part way: mixed/ holds a link into a folder that may not be searched,
// and examining it fails. The folders listed before the link stay in the list and are searched;
// mixed/ itself, denied, leaves it.
TEST(FolderWalk, subFoldersFoundBeforeAListingFailsStayInTheList)
{
    testsupport::TempDir dir;
    makeFolders(dir.path(), {"locked/inner", "mixed"});
    stdfs::create_directory_symlink("../locked/inner", dir.path() / "mixed/link");
    // The file system lists names in an order of its own: folders are added until some come
    // before the link.
    QStringList before;
    for (int i = 0; before.isEmpty() && i < 64; ++i) {
        const std::string folder = "f" + std::to_string(i) + "/deep";
        makeFolders(dir.path() / "mixed", {folder.c_str()});
        before.clear();
        for (const auto& item : stdfs::directory_iterator(dir.path() / "mixed")) {
            const QString name = QString::fromStdString(item.path().filename().string());
            if (name == QLatin1String("link"))
                break;
            before << QStringLiteral("mixed/") + name + QLatin1Char('/')
                   << QStringLiteral("mixed/") + name + QStringLiteral("/deep/");
        }
    }
    ASSERT_FALSE(before.isEmpty());
    chmod((dir.path() / "locked").c_str(), 0);
    QStringList folders{entry(dir.path())};
    testsupport::RecordingMessageBox boxes;
    {
        fstest::WithoutOverrideRights denied;
        fs::GetSubDirectories2016(folders, true, boxes.reports());
    }
    before << QString();
    before.sort();
    EXPECT_EQ(relativeSorted(folders, dir.path()), before);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(FolderWalk, aDeniedStartFolderLeavesTheListSilently)
{
    testsupport::TempDir dir;
    makeFolders(dir.path(), {"start/sub"});
    chmod((dir.path() / "start").c_str(), 0);
    testsupport::RecordingMessageBox boxes;
    QStringList folders{entry(dir.path() / "start")};
    {
        fstest::WithoutOverrideRights denied;
        fs::GetSubDirectories2016(folders, true, boxes.reports());
    }
    EXPECT_TRUE(folders.isEmpty());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(FolderWalk, otherFailuresLeaveTheEntryInPlace)
{
    testsupport::TempDir dir;
    makeFolders(dir.path(), {"sub"});
    // A failing walk while files can still be opened first: the event pump and the
    // sanitizers' type checks open files the first time they meet a type, and must not be
    // the ones to fail.
    {
        testsupport::RecordingMessageBox warmUp;
        QStringList missing{entry(dir.path() / "missing")};
        fs::GetSubDirectories2016(missing, true, warmUp.reports());
    }
    testsupport::RecordingMessageBox boxes;
    QStringList folders{entry(dir.path())};
    {
        fstest::NoFreeFileHandles exhausted;
        fs::GetSubDirectories2016(folders, true, boxes.reports());
    }
    EXPECT_EQ(folders, QStringList{entry(dir.path())});
    EXPECT_TRUE(boxes.shown.empty());
}

QString reportFor(const QString& description, int line)
{
    return description +
           QStringLiteral("\r\nin PellanTitle2021/08/31.AddFolder.GetSubDirectories2016 at line ") +
           QString::number(line) +
           QStringLiteral("\r\rPlease email screenshot of this message to ") +
           QString::fromLatin1(app::kSupportEmail);
}

TEST(FolderWalk, aMissingFolderBeforeTheFirstListingIsReportedAndRemoved)
{
    testsupport::TempDir dir;
    const QString missing = entry(dir.path() / "missing");
    testsupport::RecordingMessageBox boxes;
    QStringList folders{missing};
    fs::GetSubDirectories2016(folders, true, boxes.reports());

    EXPECT_TRUE(folders.isEmpty());
    const QString description = QStringLiteral("Path not found: ") + missing +
                                QStringLiteral(" (No such file or directory)");
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, reportFor(description, 110));
    EXPECT_EQ(boxes.shown[1].text, reportFor(description, 114));
    for (const auto& box : boxes.shown) {
        EXPECT_EQ(box.title, app::AppTitle());
        EXPECT_EQ(box.style, 48);
    }
}

TEST(FolderWalk, aMissingFolderAfterTheFirstListingIsRemovedSilently)
{
    testsupport::TempDir dir;
    makeFolders(dir.path(), {"real/sub"});
    testsupport::RecordingMessageBox boxes;
    QStringList folders{entry(dir.path() / "real"), entry(dir.path() / "missing")};
    fs::GetSubDirectories2016(folders, true, boxes.reports());

    EXPECT_EQ(folders, (QStringList{entry(dir.path() / "real"), entry(dir.path() / "real/sub")}));
    EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
