// Tables without a code-page mark (FoxPro 2.x and dBase tables often carry none) are read in
// the connection's DefaultCodePage, free tables, container tables and the views over them alike;
// a table with a mark keeps its own.
#include <optional>

#include <gtest/gtest.h>

#include "components/database/Connection.h"
#include "components/database/Recordset.h"
#include "components/rows/DatabaseError.h"
#include "components/vfpwriter/ContainerWriter.h"
#include "components/vfpwriter/TableWriter.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"

namespace {

// Three bytes that read differently in each page: é ¢ ß in 437, é ø ß in 850, В Ы с in 866, and
// ‚ › á in Windows-1252 (the pages' published charts).
const std::string kStored = "\x82\x9b\xe1";

enum class Kind { FreeTable, ContainerTable, View };

struct Case
{
    const char* name;
    Kind kind;
    std::uint8_t mark;
    std::optional<int> codePage;  // the connection's DefaultCodePage; nullopt: left as it is
    const char* shown;            // UTF-8
};

class UnmarkedCodePage : public testing::TestWithParam<Case>
{
protected:
    // The source holding table "dos" (and view "dos_view") with kStored in its one field.
    std::filesystem::path writeSource(Kind kind, std::uint8_t mark) const
    {
        const std::vector<vfpwriter::FieldDefinition> fields{{"TXT", vfp::FieldType::Character, 3}};
        vfpwriter::WriteOptions options;
        options.codePageMark = mark;
        if (kind == Kind::FreeTable) {
            vfpwriter::TableWriter table(mDir.path() / "dos.dbf", fields, options);
            table.append({dbtest::binary(kStored)});
            table.close();
            return mDir.path();
        }
        vfpwriter::ContainerWriter container(mDir.path() / "shop.dbc");
        vfpwriter::TableWriter table = container.createTable("dos", "dos.dbf", fields, options);
        table.append({dbtest::binary(kStored)});
        table.close();
        container.addView("dos_view", "SELECT * FROM dos");
        container.close();
        return mDir.path() / "shop.dbc";
    }

    testsupport::TempDir mDir;
};

TEST_P(UnmarkedCodePage, TextReadsInTheChosenPageOnlyWithoutAMark)
{
    const Case& c = GetParam();
    database::Connection connection;
    if (c.codePage)
        connection.DefaultCodePage = *c.codePage;
    connection.Open(dbtest::connectionString(writeSource(c.kind, c.mark)));
    database::Recordset records;
    records.Open(c.kind == Kind::View ? QStringLiteral("SELECT * FROM `dos_view`")
                                      : QStringLiteral("SELECT * FROM `dos`"),
                 connection, 3, 1);
    ASSERT_FALSE(records.Eof());
    EXPECT_EQ(database::toText(records.Fields(0).Value()), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnmarkedCodePage,
    testing::Values(Case{"free_table_us_dos", Kind::FreeTable, 0, 437, "é¢ß"},
                    Case{"free_table_international_dos", Kind::FreeTable, 0, 850, "éøß"},
                    Case{"free_table_russian_dos", Kind::FreeTable, 0, 866, "ВЫс"},
                    Case{"free_table_windows_1252_chosen", Kind::FreeTable, 0, 1252, "‚›á"},
                    Case{"free_table_windows_1252_unless_chosen", Kind::FreeTable, 0, std::nullopt,
                         "‚›á"},
                    Case{"free_table_mark_wins", Kind::FreeTable, 0x03, 866, "‚›á"},
                    Case{"free_table_dos_mark_wins", Kind::FreeTable, 0x01, 866, "é¢ß"},
                    Case{"container_table_russian_dos", Kind::ContainerTable, 0, 866, "ВЫс"},
                    Case{"container_table_windows_1252_unless_chosen", Kind::ContainerTable, 0,
                         std::nullopt, "‚›á"},
                    Case{"container_table_mark_wins", Kind::ContainerTable, 0x02, 866, "éøß"},
                    Case{"view_over_a_table_without_mark", Kind::View, 0, 866, "ВЫс"}),
    dbtest::CaseName());

TEST(UnmarkedCodePageChoice, aCodePageTheEngineCannotReadIsRefusedByOpen)
{
    testsupport::TempDir dir;
    for (const int codePage : {0, 65001, 9999}) {
        database::Connection connection;
        connection.DefaultCodePage = codePage;
        try {
            connection.Open(dbtest::connectionString(dir.path()));
            ADD_FAILURE() << codePage << " was taken";
        } catch (const rows::DatabaseError& error) {
            const std::string text = error.what();
            EXPECT_NE(text.find("Code page " + std::to_string(codePage) + " cannot be read"),
                      std::string::npos)
                << text;
            EXPECT_NE(text.find("437, 620"), std::string::npos) << "names the choices: " << text;
        }
        EXPECT_EQ(connection.State(), 0);
    }
}

}  // namespace
