// Listing the matching files of one folder: the pattern, which entries count as files, the
// array's bounds, and IsExistingFile on everything a folder can hold.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "modules/fs/AddFolder.h"
#include "modules/fs/FileSystemError.h"
#include "tests/modules/fs/FolderTree.h"
#include "tests/support/TempDir.h"

namespace {

namespace stdfs = std::filesystem;

fs::TreeBounds within(const stdfs::path& folder)
{
    return fs::TreeBounds{QStringList{fstest::entry(folder)}};
}

struct PatternCase
{
    const char* name;
    const char* file;
    const char* pattern;
    bool matches;
};

class FilePattern : public testing::TestWithParam<PatternCase>
{
};

TEST_P(FilePattern, matchesAsFolderQueriesDo)
{
    const PatternCase& c = GetParam();
    EXPECT_EQ(fs::matchesFilePattern(QString::fromUtf8(c.file), QString::fromUtf8(c.pattern)),
              c.matches);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilePattern,
    testing::Values(PatternCase{"lower_case", "orders.dbf", "*.dbf", true},
                    PatternCase{"upper_case_extension", "Customer.DBF", "*.dbf", true},
                    PatternCase{"accented_name_any_case", "ÉTÉ.Dbf", "*.dbf", true},
                    PatternCase{"only_the_extension", ".dbf", "*.dbf", true},
                    PatternCase{"two_dots", "a.b.dbf", "*.dbf", true},
                    PatternCase{"longer_extension", "orders.dbfx", "*.dbf", false},
                    PatternCase{"shorter_extension", "orders.db", "*.dbf", false},
                    PatternCase{"no_dot", "ordersdbf", "*.dbf", false},
                    PatternCase{"memo_file", "orders.fpt", "*.dbf", false},
                    PatternCase{"star_backtracks", "a.dbf.dbf", "*.dbf", true},
                    PatternCase{"question_is_one_character", "ab.dbf", "a?.dbf", true},
                    PatternCase{"question_needs_a_character", "a.dbf", "a?.dbf", false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(FilesInFolder, listsOpenableFilesOfAnyCaseHiddenIncludedInNameOrder)
{
    testsupport::TempDir dir;
    for (const char* name : {"orders.dbf", "Customer.DBF", "~tmp.dbf", ".hidden.dbf", "locked.dbf",
                             "notes.txt", "orders.fpt"})
        dir.write(name, "");
    dir.write(std::string("bad\xff.dbf"), "");  // not UTF-8: listed all the same
    stdfs::create_directory(dir.path() / "folder.dbf");
    stdfs::create_symlink("orders.dbf", dir.path() / "alias.dbf");
    stdfs::create_symlink("nowhere.dbf", dir.path() / "dangling.dbf");
    stdfs::create_directory_symlink("folder.dbf", dir.path() / "folderlink.dbf");
    ASSERT_EQ(mkfifo((dir.path() / "pipe.dbf").c_str(), 0600), 0);
    chmod((dir.path() / "locked.dbf").c_str(), 0);

    fs::FileNameArray names;
    {
        fstest::WithoutOverrideRights denied;  // a file without read rights still counts
        names = fs::GetFilesInFolder(QString::fromStdString(dir.path().string()),
                                     QStringLiteral("*.dbf"), within(dir.path()));
    }
    // Upper-cased code units: "." before letters, "~" after them, case ignored.
    const QStringList expected{".hidden.dbf",
                               "alias.dbf",
                               QStringLiteral("bad") + QChar(0xDCFF) + QStringLiteral(".dbf"),
                               "Customer.DBF",
                               "locked.dbf",
                               "orders.dbf",
                               "~tmp.dbf"};
    EXPECT_EQ(names.names(), expected);
    EXPECT_EQ(names.lowerBound(), 1);
    EXPECT_EQ(names.upperBound(), expected.size());
}

TEST(FilesInFolder, noMatchGivesIndexZeroHoldingEmptyText)
{
    testsupport::TempDir dir;
    dir.write("notes.txt", "");
    const fs::FileNameArray names = fs::GetFilesInFolder(
        fstest::entry(dir.path()), QStringLiteral("*.dbf"), within(dir.path()));
    EXPECT_EQ(names.lowerBound(), 0);
    EXPECT_EQ(names.upperBound(), 0);
    EXPECT_EQ(names.at(0), QString());
    EXPECT_TRUE(names.names().isEmpty());
    EXPECT_THROW(names.at(1), std::out_of_range);
}

TEST(FilesInFolder, manyMatchesGiveBoundsOneToCount)
{
    testsupport::TempDir dir;
    for (int i = 0; i < 150; ++i)
        dir.write("t" + std::to_string(i) + ".dbf", "");
    const fs::FileNameArray names = fs::GetFilesInFolder(
        QString::fromStdString(dir.path().string()), QStringLiteral("*.dbf"), within(dir.path()));
    EXPECT_EQ(names.lowerBound(), 1);
    EXPECT_EQ(names.upperBound(), 150);
    EXPECT_EQ(names.at(150), names.names().last());
    EXPECT_THROW(names.at(0), std::out_of_range);
    EXPECT_THROW(names.at(151), std::out_of_range);
}

TEST(FilesInFolder, aFolderThatCannotBeListedThrowsItsNumber)
{
    testsupport::TempDir dir;
    try {
        fs::GetFilesInFolder(fstest::entry(dir.path() / "missing"), QStringLiteral("*.dbf"),
                             within(dir.path()));
        FAIL() << "listing a missing folder succeeded";
    } catch (const fs::FileSystemError& error) {
        EXPECT_EQ(error.number(), fs::kPathNotFound);
    }
}

TEST(IsExistingFile, onlyRegularFilesThatCanBeReachedCount)
{
    testsupport::TempDir dir;
    const auto file = dir.write("t.dbf", "x");
    ASSERT_EQ(mkfifo((dir.path() / "pipe").c_str(), 0600), 0);
    const auto path = [](const stdfs::path& p) { return QString::fromStdString(p.string()); };
    EXPECT_TRUE(fs::IsExistingFile(path(file)));
    EXPECT_FALSE(fs::IsExistingFile(path(dir.path())));
    EXPECT_FALSE(fs::IsExistingFile(path(dir.path() / "pipe")));  // and does not wait for a writer
    EXPECT_FALSE(fs::IsExistingFile(QStringLiteral("/dev/null")));
    EXPECT_FALSE(fs::IsExistingFile(path(dir.path() / "missing.dbf")));
    EXPECT_FALSE(fs::IsExistingFile(path(file) + QStringLiteral("/")));
    EXPECT_FALSE(fs::IsExistingFile(QString()));
}

}  // namespace
