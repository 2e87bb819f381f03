// Which file a table name opens in a folder of free tables: letter case ignored (exact case
// first), sub-folder paths as the catalogue gives them, and nothing outside the folder.
#include <chrono>
#include <functional>

#include <gtest/gtest.h>

#include "components/database/FolderSource.h"
#include "components/rows/DatabaseError.h"
#include "components/vfpwriter/ContainerWriter.h"
#include "components/vfpwriter/TableWriter.h"
#include "tests/support/TableSupport.h"
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
            vfpwriter::TableWriter writer(sDir->path() / file, {{"ID", vfp::FieldType::Integer}});
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
        EXPECT_THROW(sSource->resolve(table), rows::DatabaseError);
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
    vfpwriter::TableWriter writer(dir.path() / "2021" / "Q1" / "orders.dbf",
                                  {{"ID", vfp::FieldType::Integer}});
    writer.append({dbtest::integer(7)});
    writer.close();
    const dbtest::ReadTable table = dbtest::readTable(dir.path(), QStringLiteral("2021/q1/orders"));
    EXPECT_EQ(table.rows, (std::vector<dbtest::Row>{{"7"}}));
    EXPECT_THROW(dbtest::readTable(dir.path() / "2021", QStringLiteral("../2021/Q1/orders")),
                 rows::DatabaseError);
}

// A source open for a while: a name looked up after its folder changed finds what is there
// now, and a container that many tables link back to is read once while it stays the same.
// Each row fills the folder, looks up a first table, changes the folder, then reads a table
// through the same connection.
struct LaterCase
{
    const char* name;
    std::function<void(const std::filesystem::path&)> fill;
    const char* first;
    std::function<void(const std::filesystem::path&)> change;
    const char* then;
    std::vector<std::string> fields;  // of the table read then; empty: it is refused
};

class FolderSourceLater : public testing::TestWithParam<LaterCase>
{
};

TEST_P(FolderSourceLater, readsTheFolderAsItIsNow)
{
    testsupport::TempDir dir;
    GetParam().fill(dir.path());
    database::Connection connection;
    connection.Open(dbtest::connectionString(dir.path()));
    database::Recordset first;
    try {
        first.Open(QStringLiteral("SELECT * FROM `%1`").arg(QString::fromUtf8(GetParam().first)),
                   connection);
    } catch (const rows::DatabaseError&) {
        // a name that is not there yet
    }
    GetParam().change(dir.path());
    database::Recordset then;
    const QString query =
        QStringLiteral("SELECT * FROM `%1`").arg(QString::fromUtf8(GetParam().then));
    if (GetParam().fields.empty()) {
        EXPECT_THROW(then.Open(query, connection), rows::DatabaseError);
        return;
    }
    then.Open(query, connection);
    std::vector<std::string> fields;
    for (int i = 0; i < then.FieldCount(); ++i)
        fields.push_back(then.Fields(i).name().toStdString());
    EXPECT_EQ(fields, GetParam().fields);
}

void writeTable(const std::filesystem::path& dbf)
{
    vfpwriter::TableWriter(dbf, {{"ID", vfp::FieldType::Integer}}).close();
}

// An hour old: a listing or container read now is not taken so soon after a change.
void age(const std::filesystem::path& path)
{
    std::filesystem::last_write_time(
        path, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
}

// t.dbf, a member of c.dbc that links back to it, whose one field the container calls
// longName.
void writeMember(const std::filesystem::path& folder, const std::string& longName)
{
    vfpwriter::ContainerWriter dbc(folder / "c.dbc");
    dbc.createTable("t", "t.dbf", {{longName, vfp::FieldType::Integer}}).close();
    dbc.close();
}

INSTANTIATE_TEST_SUITE_P(
    Later, FolderSourceLater,
    testing::Values(LaterCase{"table_added_after_its_name_was_missing",
                              [](const auto& folder) {
                                  writeTable(folder / "a.dbf");
                                  age(folder);
                              },
                              "b",
                              [](const auto& folder) { writeTable(folder / "B.DBF"); },
                              "b",
                              {"id"}},
                    LaterCase{"table_renamed_after_it_was_found",
                              [](const auto& folder) {
                                  writeTable(folder / "Old.DBF");
                                  age(folder);
                              },
                              "old",
                              [](const auto& folder) {
                                  std::filesystem::rename(folder / "Old.DBF", folder / "New.DBF");
                              },
                              "new",
                              {"id"}},
                    LaterCase{
                        "table_gone_after_it_was_found",
                        [](const auto& folder) {
                            writeTable(folder / "Old.DBF");
                            age(folder);
                        },
                        "old",
                        [](const auto& folder) { std::filesystem::remove(folder / "Old.DBF"); },
                        "old",
                        {}},
                    LaterCase{"table_added_within_the_folders_timestamp",
                              [](const auto& folder) { writeTable(folder / "a.dbf"); },
                              "b",
                              [](const auto& folder) {
                                  const auto before = std::filesystem::last_write_time(folder);
                                  writeTable(folder / "B.DBF");
                                  std::filesystem::last_write_time(folder, before);
                              },
                              "b",
                              {"id"}},
                    LaterCase{"container_rewritten_between_two_tables",
                              [](const auto& folder) {
                                  writeMember(folder, "first_long_name");
                                  age(folder / "c.dbc");
                              },
                              "t",
                              [](const auto& folder) { writeMember(folder, "other_long_name"); },
                              "t",
                              {"other_long_name"}},
                    LaterCase{"container_read_once_while_unchanged",
                              [](const auto& folder) {
                                  writeMember(folder, "first_long_name");
                                  age(folder / "c.dbc");
                              },
                              "t",
                              [](const auto& folder) { std::filesystem::remove(folder / "c.dct"); },
                              "t",
                              {"first_long_name"}}),
    dbtest::CaseName());

}  // namespace
