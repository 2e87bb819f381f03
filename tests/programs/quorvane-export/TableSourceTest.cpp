// A .dbf file as SOURCE, as a newcomer types it: list prints that table, dump needs no NAME,
// export writes that table; its memo file and the long field names of the container it belongs
// to are read as when its folder is the source; a NAME after it is refused, and a missing one
// is said to be missing.
#include <gtest/gtest.h>

#include "components/vfpwriter/ContainerWriter.h"
#include "tests/support/RunCommand.h"
#include "tests/support/SheetReaders.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"

namespace {

namespace data = dbtest;
using vfp::FieldType;

struct TableSourceCase
{
    const char* name;
    std::vector<const char*> arguments;  // "@" stands for the test folder
    int status;
    const char* out;  // standard output exactly; for export, the cells of its one sheet
};

class TableSourceTest : public testing::TestWithParam<TableSourceCase>
{
protected:
    // A free table with a memo, and a container's table whose field names are longer than a
    // table header holds (a backlinked member: only the container knows them).
    void SetUp() override
    {
        data::writeTable(mDir.path(), "notes",
                         {{"ID", FieldType::Integer}, {"NOTE", FieldType::Memo}},
                         {{data::integer(7), data::text("line 1\r\nline 2")}});
        vfpwriter::ContainerWriter shop(mDir.path() / "shop.dbc");
        vfpwriter::TableWriter accounts = shop.createTable(
            "accounts", "acct.dbf",
            {{"account_holder", FieldType::Character, 5}, {"remarks_on_account", FieldType::Memo}});
        accounts.append({data::text("Ann"), data::text("pays late")});
        accounts.close();
        shop.close();
    }

    testsupport::TempDir mDir;
};

QStringList withFolder(const std::vector<const char*>& arguments,
                       const std::filesystem::path& folder)
{
    QStringList result;
    for (const char* argument : arguments)
        result << QString::fromUtf8(argument).replace(QLatin1Char('@'),
                                                      QString::fromStdString(folder.string()));
    return result;
}

// The cells of the sheets of a workbook as reader shows them, "name: A1=text B1=..." row by row.
std::string sheetCells(testsupport::SheetReader reader, const std::filesystem::path& file)
{
    const std::vector<testsupport::SheetBook> books = testsupport::readSheets(reader, {file});
    std::string cells;
    for (const auto& [name, sheet] : books.front()) {
        cells += name + ":";
        for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
            for (std::size_t k = 0; k < sheet.rows[r].size(); ++k)
                cells += " " + std::string(1, char('A' + k)) + std::to_string(r + 1) + "=" +
                         sheet.rows[r][k];
        }
    }
    return cells;
}

TEST_P(TableSourceTest, CommandTakesTheTableItself)
{
    const TableSourceCase& c = GetParam();
    const testsupport::CommandOutcome result = testsupport::runCommand(
        QStringLiteral(QUORVANE_EXPORT_BINARY), withFolder(c.arguments, mDir.path()));
    EXPECT_EQ(result.status, c.status) << result.err;
    if (c.status == 1) {
        EXPECT_NE(result.err.find("the free table file "), std::string::npos) << result.err;
    }
    if (c.arguments.front() != std::string("export") || c.status != 0) {
        EXPECT_EQ(result.out, c.out);
        return;
    }
    for (const auto reader :
         {testsupport::SheetReader::Openpyxl, testsupport::SheetReader::LibreOffice}) {
        if (testsupport::readerMissing(reader).empty()) {
            EXPECT_EQ(sheetCells(reader, mDir.path() / "out.xlsx"), c.out);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, TableSourceTest,
    testing::Values(
        TableSourceCase{
            "list_prints_that_table", {"list", "@/notes.dbf"}, 0, "TABLE\tnotes\tnotes.dbf\n"},
        TableSourceCase{"list_of_a_missing_table_fails", {"list", "@/gone.dbf"}, 1, ""},
        TableSourceCase{
            "dump_of_a_missing_table_fails_as_missing_not_as_usage", {"dump", "@/gone.dbf"}, 1, ""},
        TableSourceCase{"export_of_a_missing_table_fails_as_missing",
                        {"export", "@/Gone.DBF", "-o", "@/out.xlsx"},
                        1,
                        ""},
        TableSourceCase{"dump_needs_no_name_and_finds_the_memo_file",
                        {"dump", "@/notes.dbf"},
                        0,
                        "{\"fields\":[{\"name\":\"id\",\"type\":3},{\"name\":\"note\",\"type\":201}"
                        "],\"count\":1}\n[\"7\",\"line 1\\r\\nline 2\"]\n"},
        TableSourceCase{"dump_of_a_container_member_gives_its_long_names",
                        {"dump", "--csv", "@/acct.dbf"},
                        0,
                        "\"account_holder\",\"remarks_on_account\"\r\n\"Ann  \",\"pays late\"\r\n"},
        TableSourceCase{
            "dump_refuses_a_name_after_a_table", {"dump", "@/notes.dbf", "notes"}, 2, ""},
        TableSourceCase{"export_writes_that_table_alone",
                        {"export", "@/acct.dbf", "-o", "@/out.xlsx"},
                        0,
                        "acct: A1=account_holder B1=remarks_on_account A2=Ann   B2=pays late"},
        TableSourceCase{"export_refuses_a_name_after_a_table",
                        {"export", "@/notes.dbf", "acct", "-o", "@/out.xlsx"},
                        2,
                        ""}),
    data::CaseName());

}  // namespace
