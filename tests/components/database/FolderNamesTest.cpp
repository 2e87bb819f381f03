// Which file a table name opens in a folder of free tables: letter case ignored (exact case
// first), sub-folder paths as the catalogue gives them, and nothing outside the folder.
#include <gtest/gtest.h>

#include "components/database/FolderSource.h"
#include "components/rows/DatabaseError.h"
#include "components/vfpwriter/TableWriter.h"
#include "tests/components/database/TableSupport.h"
#include "tests/support/TempDir.h"

namespace {

struct Case
{
    const char* name;
    const char* table;
    const char* opens;  // path relative to the folder; nullptr: refused
};

class FolderNamesTest : public testing::TestWithParam<Case>
{
protected:
    static void SetUpTestSuite()
    {
        sDir = new testsupport::TempDir;
        const std::filesystem::path root = sDir->path() / "data";
        for (const char* file :
             {"data/Orders.DBF", "data/Data.dbf", "data/data.dbf", "data/sub/Dir/items.dbf",
              "data/plain.dbf.dbf", "data/x.dbf", "outside.dbf", "data/my table.dbf"}) {
            std::filesystem::create_directories((sDir->path() / file).parent_path());
            vfp::TableWriter writer(sDir->path() / file, {{"ID", vfp::FieldType::Integer}});
            writer.close();
        }
        sDir->write("data/notes.txt", "not a table");
        sDir->write("data/sub.txt", "");
        std::filesystem::create_directories(root / "folder.dbf");
        sSource = new database::FolderSource(root);
    }
    static void TearDownTestSuite()
    {
        delete sSource;
        delete sDir;
    }

    static testsupport::TempDir* sDir;
    static database::FolderSource* sSource;
};

testsupport::TempDir* FolderNamesTest::sDir = nullptr;
database::FolderSource* FolderNamesTest::sSource = nullptr;

TEST_P(FolderNamesTest, OpensTheRightFileOrRefuses)
{
    const QString table = QString::fromUtf8(GetParam().table);
    if (GetParam().opens == nullptr) {
        EXPECT_THROW(sSource->resolve(table), database::DatabaseError);
        return;
    }
    const std::filesystem::path found = sSource->resolve(table);
    EXPECT_EQ(found.lexically_relative(sDir->path() / "data").generic_string(), GetParam().opens);
}

INSTANTIATE_TEST_SUITE_P(
    Resolve, FolderNamesTest,
    testing::Values(Case{"case_ignored", "orders", "Orders.DBF"},
                    Case{"upper_case", "ORDERS", "Orders.DBF"},
                    Case{"extension_given", "orders.dbf", "Orders.DBF"},
                    Case{"exact_case_first_upper", "Data", "Data.dbf"},
                    Case{"exact_case_first_lower", "data", "data.dbf"},
                    Case{"other_case_takes_first_in_order", "DATA", "Data.dbf"},
                    Case{"blank_in_name", "MY TABLE", "my table.dbf"},
                    Case{"sub_folder_path", "sub/Dir/items", "sub/Dir/items.dbf"},
                    Case{"sub_folder_path_case_ignored", "SUB/dir/ITEMS.DBF", "sub/Dir/items.dbf"},
                    Case{"double_extension_name", "plain.dbf", "plain.dbf.dbf"},
                    Case{"unknown_table", "missing", nullptr},
                    Case{"other_file_type", "notes", nullptr},
                    Case{"folder_named_like_table", "folder", nullptr},
                    Case{"sub_folder_itself", "sub", nullptr},
                    Case{"unknown_sub_folder", "nope/items", nullptr},
                    Case{"parent_escape", "../outside", nullptr},
                    Case{"parent_inside_path", "sub/../x", nullptr},
                    Case{"dot_part", "./x", nullptr}, Case{"absolute_path", "/etc/passwd", nullptr},
                    Case{"empty_part", "sub//Dir/items", nullptr},
                    Case{"trailing_slash", "sub/Dir/", nullptr}, Case{"empty", "", nullptr}),
    dbtest::CaseName());

// The same names through the recordset: the query reaches the table it names.
TEST(FolderNamesQuery, SubFolderTableOpensThroughTheQuery)
{
    testsupport::TempDir dir;
    std::filesystem::create_directories(dir.path() / "2021" / "Q1");
    vfp::TableWriter writer(dir.path() / "2021" / "Q1" / "orders.dbf",
                            {{"ID", vfp::FieldType::Integer}});
    writer.append({dbtest::integer(7)});
    writer.close();
    const dbtest::ReadTable table = dbtest::readTable(dir.path(), QStringLiteral("2021/q1/orders"));
    EXPECT_EQ(table.rows, (std::vector<dbtest::Row>{{"7"}}));
    EXPECT_THROW(dbtest::readTable(dir.path() / "2021", QStringLiteral("../2021/Q1/orders")),
                 database::DatabaseError);
}

}  // namespace
