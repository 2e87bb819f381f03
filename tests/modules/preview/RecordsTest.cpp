// The preview's grids: each cell as the export writes it, with Null, a value that cannot be read
// and a deleted record told apart; a table read by record number wherever the user jumps; a
// view's rows read as the user scrolls; a remote view only after the user allowed its server.
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "components/database/Recordset.h"
#include "components/rows/DatabaseError.h"
#include "components/vfpwriter/ContainerWriter.h"
#include "modules/export/RemoteConsent.h"
#include "modules/preview/Preview.h"
#include "modules/preview/RecordModel.h"
#include "tests/support/OdbcSandbox.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using vfp::FieldType;

// Two lines and 300 characters: longer than a grid cell shows.
const std::string kLongNote = "line one\nline two\r\n" + std::string(300, 'x');

// A memo that a rich-text control would render: bold, and an image to load.
const std::string kMarkupNote = "<b>short</b><img src=x>";

// ID I, NAME V(10) null, NOTE M null, PRICE N(8,2), PIC W null. Record 4 is deleted; the memo
// of record 5 lies past the end of the memo file once the file is cut.
void writePeople(const fs::path& dir)
{
    dbtest::writeTable(
        dir, "people",
        {{"ID", FieldType::Integer},
         {"NAME", FieldType::Varchar, 10, 0, true},
         {"NOTE", FieldType::Memo, 0, 0, true},
         {"PRICE", FieldType::Numeric, 8, 2},
         {"PIC", FieldType::Blob, 0, 0, true}},
        {{dbtest::integer(1), dbtest::text("Ann"), dbtest::text(kMarkupNote),
          dbtest::decimal("12.50"), dbtest::binary("\x89PNG")},
         {dbtest::integer(2), dbtest::null(), dbtest::null(), dbtest::decimal("0"), dbtest::null()},
         {dbtest::integer(3), dbtest::text(""), dbtest::text(kLongNote), dbtest::decimal("1"),
          dbtest::null()},
         {dbtest::integer(4), dbtest::text("Gone"), dbtest::text(""), dbtest::decimal("2"),
          dbtest::null()},
         {dbtest::integer(5), dbtest::text("Eve"), dbtest::text("lost"), dbtest::decimal("3"),
          dbtest::null()}});
}

// Marks record 4 deleted and cuts the memo of record 5 short, as a damaged file would be.
void damagePeople(const fs::path& dir)
{
    const fs::path table = dir / "people.dbf";
    std::string bytes;
    {
        std::ifstream in(table, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    const std::size_t headerLength = std::uint8_t(bytes[8]) | std::uint8_t(bytes[9]) << 8;
    const std::size_t recordLength = std::uint8_t(bytes[10]) | std::uint8_t(bytes[11]) << 8;
    bytes[headerLength + 3 * recordLength] = '*';
    std::ofstream(table, std::ios::binary) << bytes;
    const fs::path memo = dir / "people.fpt";
    std::string memoBytes;
    {
        std::ifstream in(memo, std::ios::binary);
        memoBytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    fs::resize_file(memo, memoBytes.rfind("lost") + 1);  // its first letter stays
}

// What the export's read of record 5 says of its NOTE.
std::string exportsDescription(const fs::path& dir)
{
    database::Connection connection;
    connection.Open(dbtest::connectionString(dir));
    database::Recordset records;
    records.Open(QStringLiteral("SELECT * FROM `people`"), connection);
    for (; !records.Eof(); records.MoveNext()) {
        if (records.Fields(0).Value().integer != 5)
            continue;
        try {
            records.Fields(2).Value();
        } catch (const rows::DatabaseError& error) {
            return error.what();
        }
    }
    return "(the export read it)";
}

preview::PreviewRequest folderRequest(const fs::path& dir, const char* query)
{
    return {{false, {}, QString::fromStdString(dir.string())},
            {QString::fromLatin1(query), QString::fromLatin1(query)}};
}

struct CellCase
{
    const char* name;
    int row;
    int column;
    std::string shown;  // UTF-8
    preview::CellState state;
    std::string whole = {};  // "" : the same as shown; "<export>": what the export reports
    bool deleted = false;
};

class PreviewCellTest : public testing::TestWithParam<CellCase>
{
};

TEST_P(PreviewCellTest, ShowsTheValueAsTheExportWritesIt)
{
    const CellCase& c = GetParam();
    testsupport::TempDir dir;
    writePeople(dir.path());
    damagePeople(dir.path());
    const preview::Preview shown(folderRequest(dir.path(), "people"));
    ASSERT_NE(shown.records(), nullptr) << shown.status().toStdString();
    const QAbstractItemModel& records = *shown.records();
    ASSERT_EQ(records.rowCount(), 5) << "deleted records are shown";
    const QModelIndex at = records.index(c.row, c.column);
    EXPECT_EQ(at.data().toString().toStdString(), c.shown);
    EXPECT_EQ(at.data(preview::CellStateRole).toInt(), int(c.state));
    const std::string whole = c.whole == "<export>" ? exportsDescription(dir.path())
                              : c.whole.empty()     ? c.shown
                                                    : c.whole;
    EXPECT_EQ(at.data(preview::WholeTextRole).toString().toStdString(), whole);
    EXPECT_EQ(at.data(preview::DeletedRole).toBool(), c.deleted);
    // A tooltip would render a value that looks like markup as markup.
    EXPECT_FALSE(at.data(Qt::ToolTipRole).isValid()) << "a grid cell carries a tooltip";
    EXPECT_EQ(records.headerData(c.row, Qt::Vertical).toString().toStdString(),
              std::to_string(c.row + 1) + (c.deleted ? " deleted" : ""));
}

INSTANTIATE_TEST_SUITE_P(
    Cells, PreviewCellTest,
    testing::Values(CellCase{"null_reads_as_null", 1, 1, ".NULL.", preview::CellState::Null},
                    CellCase{"empty_text_is_not_null", 2, 1, "", preview::CellState::Value},
                    CellCase{"null_memo_reads_as_null", 1, 2, ".NULL.", preview::CellState::Null},
                    CellCase{"memo_looking_like_markup_is_its_text", 0, 2, kMarkupNote,
                             preview::CellState::Value},
                    CellCase{"long_memo_cut_in_the_grid_whole_when_selected", 2, 2,
                             "line one\u21B5line two\u21B5" + std::string(182, 'x') + "\u2026",
                             preview::CellState::Value, kLongNote},
                    CellCase{"unreadable_memo_says_what_the_export_reports", 4, 2,
                             "(cannot be read)", preview::CellState::Unreadable, "<export>"},
                    CellCase{"number_shows_the_decimals_its_field_declares", 0, 3, "12.50",
                             preview::CellState::Value},
                    CellCase{"whole_number_gets_its_point_and_decimals", 1, 3, "0.00",
                             preview::CellState::Value},
                    CellCase{"long_binary_as_the_export_writes_it", 0, 4, "{BINARY DATA}",
                             preview::CellState::Value},
                    CellCase{"deleted_record_shown_and_marked", 3, 1, "Gone",
                             preview::CellState::Value, "", true}),
    dbtest::CaseName{});

TEST(PreviewFields, ListsNameTypeWidthDecimalsAndNull)
{
    testsupport::TempDir dir;
    writePeople(dir.path());
    const preview::Preview shown(folderRequest(dir.path(), "people"));
    const std::vector<std::vector<std::string>> expected{
        {"id", "Integer", "4", "", "No"},
        {"name", "Varchar", "10", "", "Yes"},
        {"note", "Memo", "4", "", "Yes"},
        {"price", "Numeric", "8", "2", "No"},
        {"pic", "General, Blob or binary Memo", "4", "", "Yes"}};
    std::vector<std::vector<std::string>> listed;
    for (int row = 0; row < shown.fields().rowCount(); ++row) {
        std::vector<std::string>& line = listed.emplace_back();
        for (int column = 0; column < shown.fields().columnCount(); ++column)
            line.push_back(shown.fields().index(row, column).data().toString().toStdString());
    }
    EXPECT_EQ(listed, expected);
}

// Record n holds ID n + 1; every 100th record is deleted.
void writeNumbered(const fs::path& dir, int count)
{
    vfpwriter::TableWriter writer(dir / "numbers.dbf", {{"ID", FieldType::Integer}});
    for (int n = 0; n < count; ++n)
        writer.append({dbtest::integer(n + 1)}, n % 100 == 99);
    writer.close();
}

// Jumps back and forth across page edges and past the pages kept: each row shows its own record.
TEST(PreviewTableRows, EachRowShowsItsOwnRecordWhereverTheGridJumps)
{
    testsupport::TempDir dir;
    writeNumbered(dir.path(), 5000);
    const preview::Preview shown(folderRequest(dir.path(), "numbers"));
    const QAbstractItemModel& records = *shown.records();
    ASSERT_EQ(records.rowCount(), 5000);
    EXPECT_FALSE(records.canFetchMore(QModelIndex())) << "every record is one read away";
    for (const int row : {4999, 0, 127, 128, 4000, 255, 256, 1, 3000, 2000, 1000, 4999, 0, 99}) {
        EXPECT_EQ(records.index(row, 0).data().toString(), QString::number(row + 1)) << row;
        EXPECT_EQ(records.index(row, 0).data(preview::DeletedRole).toBool(), row % 100 == 99)
            << row;
    }
    EXPECT_EQ(shown.status(),
              QStringLiteral("5,000 records; those marked deleted are not copied."));
}

TEST(PreviewViewRows, AreReadAsTheGridScrolls)
{
    testsupport::TempDir dir;
    vfpwriter::ContainerWriter dbc(dir.path() / "shop.dbc");
    vfpwriter::TableWriter table = dbc.createTable("t", "t.dbf", {{"id", FieldType::Integer}});
    for (int n = 1; n <= 600; ++n)
        table.append({dbtest::integer(n)});
    table.close();
    dbc.addView("odd", "SELECT id FROM t WHERE id % 2 = 1");
    dbc.close();
    const preview::Preview shown(
        {{true, QString::fromStdString((dir.path() / "shop.dbc").string()), {}},
         {QStringLiteral("odd"), QStringLiteral("odd")}});
    QAbstractItemModel& rows = *shown.records();
    EXPECT_EQ(rows.rowCount(), 256) << "one batch is read as the preview opens";
    EXPECT_EQ(shown.status(), QStringLiteral("300 rows; more are read as you scroll."));
    ASSERT_TRUE(rows.canFetchMore(QModelIndex()));
    while (rows.canFetchMore(QModelIndex()))
        rows.fetchMore(QModelIndex());
    ASSERT_EQ(rows.rowCount(), 300);
    for (const int row : {0, 255, 256, 299})
        EXPECT_EQ(rows.index(row, 0).data().toString(), QString::number(2 * row + 1)) << row;
    EXPECT_EQ(shown.status(), QStringLiteral("300 rows."));
    EXPECT_FALSE(shown.codePage()) << "a view has no code page of its own";
}

class RecordingConsent : public exporting::RemoteConsent
{
public:
    explicit RecordingConsent(bool yes) : mYes(yes) {}
    bool allowServers(const std::vector<exporting::RemoteServerUse>& servers) override
    {
        for (const exporting::RemoteServerUse& use : servers)
            asked.push_back(use.server.toStdString() + " for " + use.views.join(',').toStdString());
        return mYes;
    }
    QString notAllowedReason() const override { return {}; }
    std::vector<std::string> asked;

private:
    bool mYes;
};

struct RemoteCase
{
    const char* name;
    const char* view;
    std::optional<bool> answer;  // nullopt: no consent at all
    std::vector<std::string> asked;
    std::string status;  // "" : rows are shown
};

class PreviewRemoteView : public testing::TestWithParam<RemoteCase>
{
};

TEST_P(PreviewRemoteView, ReachesItsServerOnlyOnceAllowed)
{
    QUORVANE_REQUIRE_SQLITE_ODBC();
    const RemoteCase& c = GetParam();
    testsupport::TempDir dir;
    const fs::path dbc = odbctest::writeRemote(
        dir.path(),
        {{"picked", "Shop", "SELECT id FROM kept ORDER BY id"}, {"far", "Nowhere", "SELECT 1"}});
    RecordingConsent consent(c.answer.value_or(false));
    const preview::Preview shown({{true, QString::fromStdString(dbc.string()), {}},
                                  {QString::fromLatin1(c.view), QString::fromLatin1(c.view)},
                                  c.answer ? &consent : nullptr});
    EXPECT_EQ(consent.asked, c.asked);
    if (!c.status.empty()) {
        EXPECT_EQ(shown.status().left(int(c.status.size())).toStdString(), c.status);
        return;
    }
    ASSERT_NE(shown.records(), nullptr);
    ASSERT_EQ(shown.records()->rowCount(), 3);
    EXPECT_EQ(shown.records()->index(2, 0).data().toString(), QStringLiteral("3"));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, PreviewRemoteView,
    testing::Values(
        RemoteCase{"yes_reads_its_rows", "picked", true, {"DSN=quorvane_shop; for picked"}, ""},
        RemoteCase{"no_shows_nothing",
                   "picked",
                   false,
                   {"DSN=quorvane_shop; for picked"},
                   "Not shown: the view reads from the server DSN=quorvane_shop;, and "
                   "you chose not to connect to it."},
        RemoteCase{"without_a_consent_nothing_is_asked_or_reached",
                   "picked",
                   std::nullopt,
                   {},
                   "Not shown: the view reads from the server"},
        RemoteCase{
            "refused_connection_is_never_asked_about", "far", true, {}, "Nothing to show: "}),
    dbtest::CaseName{});

}  // namespace
