// The fence around the SQLite database views run in. A container's SQL is a stranger's: SQL
// run on the view database's own connection (as a view could write it, had the translation a
// hole) may read our tables and views and call the functions views need, and nothing else;
// and no value or row grows past the limit: a view's value over it fails its cell, or the
// whole view when it went into a computation, never the program's memory.
#include <sqlite3.h>

#include <gtest/gtest.h>

#include "components/database/Recordset.h"
#include "components/rows/DatabaseError.h"
#include "components/vfp/Container.h"
#include "components/vfpwriter/ContainerWriter.h"
#include "components/views/OpenView.h"
#include "components/views/Sandbox.h"
#include "components/views/ViewDatabase.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"

namespace {

using dbtest::Row;

enum class Through {
    Connection,  // raw SQL on the view database's connection, after its set-up
    View,        // FoxPro SQL run as a view
};

enum class Outcome {
    Runs,     // Connection: prepares and steps to its end; View: gives `rows`
    Refused,  // fails with `detail` in its message
};

struct Case
{
    std::string name;
    Through through;
    std::string sql;  // "{dir}" stands for the test's folder
    Outcome outcome;
    std::string detail = {};     // Refused: part of the message
    std::vector<Row> rows = {};  // View, Runs: every row, "#" for a cell that cannot be read
};

const std::string kLongMemo(views::kMaxValueBytes + 1, 'x');

// sandbox.dbc: docs(id I, title C(8), body M) with (1, 'short', 'note') and (2, 'long', a memo
// one byte past the limit), and the view titles over it.
std::filesystem::path writeDocs(const std::filesystem::path& folder)
{
    const std::filesystem::path dbc = folder / "sandbox.dbc";
    vfpwriter::ContainerWriter container(dbc);
    vfpwriter::TableWriter docs = container.createTable("Docs", "docs.dbf",
                                                        {{"id", vfp::FieldType::Integer},
                                                         {"title", vfp::FieldType::Character, 8},
                                                         {"body", vfp::FieldType::Memo}});
    docs.append({dbtest::integer(1), dbtest::text("short"), dbtest::text("note")});
    docs.append({dbtest::integer(2), dbtest::text("long"), dbtest::text(kLongMemo)});
    docs.close();
    container.addView("titles", "SELECT id, title FROM docs");
    container.close();
    return dbc;
}

std::string withFolder(std::string sql, const std::filesystem::path& folder)
{
    const std::string mark = "{dir}";
    for (std::size_t at = sql.find(mark); at != std::string::npos; at = sql.find(mark))
        sql.replace(at, mark.size(), folder.string());
    return sql;
}

// "" when sql prepares and steps to its end on the connection, else SQLite's message.
std::string runOnConnection(const std::filesystem::path& dbc, const std::string& sql)
{
    const vfp::Container container = vfp::Container::open(dbc);
    views::ViewDatabase database(container);
    database.find("docs");
    database.find("titles");
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(database.db(), sql.c_str(), -1, &statement, nullptr);
    if (rc == SQLITE_OK) {
        do
            rc = sqlite3_step(statement);
        while (rc == SQLITE_ROW);
    }
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE ? std::string() : sqlite3_errmsg(database.db());
}

// Every row of sql run as a view, "#" for a cell that cannot be read; or the view's error.
std::vector<Row> runAsView(const std::filesystem::path& dbc, const std::string& sql,
                           std::string& error)
{
    std::vector<Row> rows;
    try {
        const vfp::Container container = vfp::Container::open(dbc);
        vfp::ContainerView adhoc;
        adhoc.name = "adhoc";
        adhoc.sql = sql;
        database::Recordset records(views::openView(container, adhoc));
        for (; !records.Eof(); records.MoveNext()) {
            Row row;
            for (int k = 0; k < records.FieldCount(); ++k) {
                try {
                    row.push_back(database::toText(records.Fields(k).Value()));
                } catch (const rows::DatabaseError&) {
                    row.push_back("#");
                }
            }
            rows.push_back(std::move(row));
        }
    } catch (const rows::DatabaseError& failure) {
        error = failure.what();
    }
    return rows;
}

class SandboxTest : public testing::TestWithParam<Case>
{
};

TEST_P(SandboxTest, RefusesWhatItShouldAndRunsWhatViewsNeed)
{
    const Case& c = GetParam();
    testsupport::TempDir folder;
    const auto dbc = writeDocs(folder.path());
    const auto filesBefore = std::distance(std::filesystem::directory_iterator(folder.path()), {});
    const std::string sql = withFolder(c.sql, folder.path());

    std::string error;
    std::vector<Row> rows;
    if (c.through == Through::Connection)
        error = runOnConnection(dbc, sql);
    else
        rows = runAsView(dbc, sql, error);

    if (c.outcome == Outcome::Runs) {
        EXPECT_EQ(error, "");
        EXPECT_EQ(rows, c.rows) << testing::PrintToString(rows);
    } else {
        EXPECT_NE(error.find(c.detail), std::string::npos) << "the error: " << error;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), filesBefore)
        << "a file appeared in the folder";
}

const std::string kPastTheLimit = std::to_string(views::kMaxValueBytes + 1);
const std::string kAtTheLimit = std::to_string(views::kMaxValueBytes);

INSTANTIATE_TEST_SUITE_P(
    Connection, SandboxTest,
    testing::Values(
        Case{"reading_our_tables_and_views", Through::Connection,
             "SELECT d.id, t.title FROM docs d JOIN titles t ON d.id = t.id", Outcome::Runs},
        Case{"calling_what_translations_call", Through::Connection,
             "SELECT vfp_padr(title, 12, '*'), substr(title, 1, 2), rtrim(title), "
             "coalesce(NULL, id), printf('%d', id), date('now'), rank() OVER (ORDER BY id), "
             "title LIKE 's%' FROM docs",
             Outcome::Runs},
        Case{"attaching_a_file", Through::Connection, "ATTACH '{dir}/other.db' AS other",
             Outcome::Refused, "not authorized"},
        Case{"vacuuming_into_a_file", Through::Connection, "VACUUM INTO '{dir}/copy.db'",
             Outcome::Refused, "authorization denied"},
        Case{"changing_a_setting", Through::Connection, "PRAGMA case_sensitive_like = OFF",
             Outcome::Refused, "not authorized"},
        Case{"reading_a_setting_as_a_table", Through::Connection,
             "SELECT * FROM pragma_table_info('docs')", Outcome::Refused, "not authorized"},
        Case{"reading_the_schema", Through::Connection, "SELECT sql FROM sqlite_temp_master",
             Outcome::Refused, "prohibited"},
        Case{"writing_a_table", Through::Connection, "DELETE FROM docs", Outcome::Refused,
             "may not be modified"},
        Case{"creating_a_table", Through::Connection, "CREATE TEMP TABLE kept(a)", Outcome::Refused,
             "not authorized"},
        Case{"creating_a_view", Through::Connection, "CREATE TEMP VIEW other AS SELECT 1",
             Outcome::Refused, "not authorized"},
        Case{"dropping_a_view", Through::Connection, "DROP VIEW titles", Outcome::Refused,
             "not authorized"},
        Case{"loading_an_extension", Through::Connection, "SELECT load_extension('{dir}/evil.so')",
             Outcome::Refused, "not authorized"},
        Case{"making_a_huge_blob", Through::Connection, "SELECT zeroblob(1000000000)",
             Outcome::Refused, "not authorized"},
        Case{"recursing_for_ever", Through::Connection,
             "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT x FROM c",
             Outcome::Refused, "not authorized"},
        Case{"starting_a_transaction", Through::Connection, "BEGIN", Outcome::Refused,
             "not authorized"}),
    dbtest::CaseName{});

INSTANTIATE_TEST_SUITE_P(
    View, SandboxTest,
    testing::Values(
        Case{"value_at_the_limit_is_read",
             Through::View,
             "SELECT LEN(REPLICATE('x', " + kAtTheLimit + ")) AS n FROM docs WHERE id = 1",
             Outcome::Runs,
             "",
             {{kAtTheLimit}}},
        Case{"replicate_past_the_limit_fails_its_cells",
             Through::View,
             "SELECT id, REPLICATE('x', 16000000) AS big FROM docs",
             Outcome::Runs,
             "",
             {{"1", "#"}, {"2", "#"}}},
        Case{"one_byte_past_the_limit_fails_its_cells",
             Through::View,
             "SELECT SPACE(" + kPastTheLimit + ") AS gap, id FROM docs",
             Outcome::Runs,
             "",
             {{"#", "1"}, {"#", "2"}}},
        Case{"pad_past_the_limit_fails_its_cells",
             Through::View,
             "SELECT PADL(title, 300000, '*') AS padded, id FROM docs",
             Outcome::Runs,
             "",
             {{"#", "1"}, {"#", "2"}}},
        Case{"memo_past_the_limit_fails_its_cell",
             Through::View,
             "SELECT id, body FROM docs",
             Outcome::Runs,
             "",
             {{"1", "note"}, {"2", "#"}}},
        Case{"our_functions_pass_the_mark_on",
             Through::View,
             "SELECT id, UPPER(PADR(REPLICATE('ab', 200000), 3)) AS shout FROM docs",
             Outcome::Runs,
             "",
             {{"1", "#"}, {"2", "#"}}},
        Case{"marks_survive_sorting",
             Through::View,
             "SELECT id, REPLICATE('x', 300000) AS big FROM docs ORDER BY id DESC",
             Outcome::Runs,
             "",
             {{"2", "#"}, {"1", "#"}}},
        Case{"mark_cut_by_sqlite_fails_the_view", Through::View,
             "SELECT id, LEFT(REPLICATE('x', 300000), 3) AS head FROM docs", Outcome::Refused,
             "was used in a computation"},
        Case{"mark_joined_by_sqlite_fails_the_view", Through::View,
             "SELECT id, REPLICATE('ab', 200000) + 'x' AS joined FROM docs", Outcome::Refused,
             "was used in a computation"},
        Case{"mark_in_a_filter_fails_the_view", Through::View,
             "SELECT id FROM docs WHERE LEN(body) > 10", Outcome::Refused,
             "was used in a computation"},
        Case{"texts_joined_past_the_limit_fail_the_view", Through::View,
             "SELECT REPLICATE('x', 200000) + REPLICATE('y', 200000) AS joined FROM docs",
             Outcome::Refused, "too big"}),
    dbtest::CaseName{});

}  // namespace
