// A path handed to the program (its command line, a drop) read as a source: which option, what
// goes into the path box, and which table is ticked.
#include <QDir>

#include <gtest/gtest.h>

#include "modules/foxpro/GivenSource.h"
#include "tests/support/TempDir.h"

namespace {

struct PathCase
{
    const char* name;
    const char* given;  // below the test's folder; "" for the folder itself
    bool isContainer;
    const char* path;  // expected, below the test's folder
    const char* table;
    bool droppable;
};

class GivenPath : public testing::TestWithParam<PathCase>
{
protected:
    GivenPath()
    {
        for (const char* file : {"shop.dbc", "SHOP2.DBC", "data/orders.dbf", "data/Items.DBF",
                                 "data/notes.txt", "data/table.dbf.bak"})
            mDir.write(file, "");
        std::filesystem::create_directories(mDir.path() / "data" / "sub");
        std::filesystem::create_directories(mDir.path() / "folder.dbf");
    }
    QString below(const char* relative) const
    {
        const QString root = QString::fromStdString(mDir.path().string());
        return *relative ? root + QLatin1Char('/') + QString::fromUtf8(relative) : root;
    }
    testsupport::TempDir mDir;
};

TEST_P(GivenPath, isTakenAsTheMatchingButtonWouldTakeIt)
{
    const PathCase& c = GetParam();
    const foxpro::GivenSource source = foxpro::sourceForGivenPath(below(c.given));
    EXPECT_EQ(source.isContainer, c.isContainer);
    EXPECT_EQ(source.path, below(c.path));
    EXPECT_EQ(source.table, QString::fromUtf8(c.table));
    EXPECT_EQ(foxpro::isSourcePath(below(c.given)), c.droppable);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GivenPath,
    testing::Values(
        PathCase{"container", "shop.dbc", true, "shop.dbc", "", true},
        PathCase{"container_in_capitals", "SHOP2.DBC", true, "SHOP2.DBC", "", true},
        PathCase{"missing_container_stays_a_container", "gone.dbc", true, "gone.dbc", "", false},
        PathCase{"folder", "data", false, "data", "", true},
        PathCase{"folder_with_trailing_slash", "data/", false, "data", "", true},
        PathCase{"folder_with_dot_parts", "data/sub/../.", false, "data", "", true},
        PathCase{"folder_named_like_a_table", "folder.dbf", false, "folder.dbf", "", true},
        PathCase{"table_stands_for_its_folder", "data/orders.dbf", false, "data", "orders.dbf",
                 true},
        PathCase{"table_keeps_its_letter_case", "data/Items.DBF", false, "data", "Items.DBF", true},
        PathCase{"table_with_dot_parts", "data/sub/../orders.dbf", false, "data", "orders.dbf",
                 true},
        PathCase{"missing_table_is_a_missing_folder", "data/gone.dbf", false, "data/gone.dbf", "",
                 false},
        PathCase{"other_file_is_no_folder", "data/notes.txt", false, "data/notes.txt", "", false},
        PathCase{"backup_of_a_table_is_no_table", "data/table.dbf.bak", false, "data/table.dbf.bak",
                 "", false},
        PathCase{"missing_folder", "nowhere", false, "nowhere", "", false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(GivenSource, aRelativePathIsTakenFromTheCurrentFolder)
{
    testsupport::TempDir dir;
    dir.write("here/orders.dbf", "");
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir.path().string())));
    const foxpro::GivenSource source =
        foxpro::sourceForGivenPath(QStringLiteral("here/orders.dbf"));
    QDir::setCurrent(before);
    EXPECT_EQ(source.path, QString::fromStdString((dir.path() / "here").string()));
    EXPECT_EQ(source.table, QStringLiteral("orders.dbf"));
}

}  // namespace
