// What an item holds, as its tooltip says it: read from the table's header and file alone (no
// record), a header that cannot be read saying so, and a view's kind and SQL's first line.
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "components/vfpwriter/ContainerWriter.h"
#include "modules/preview/ItemDetails.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// The last change shows in local time; the tests' local time is UTC.
const bool kUtc = (::setenv("TZ", "UTC", 1), ::tzset(), true);

// 2021-08-31 12:34:56 UTC, the last change every written table is given.
void dateTheFile(const fs::path& file)
{
    using namespace std::chrono;
    fs::last_write_time(file,
                        file_clock::from_sys(sys_days{year{2021} / 8 / 31} + 12h + 34min + 56s));
}

// "12,345": the size as the details group its digits.
std::string grouped(std::uintmax_t value)
{
    std::string digits = std::to_string(value);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(std::size_t(at), ",");
    return digits;
}

struct Source
{
    foxpro::ConnectionSettings settings;
    QString query;
};

Source folder(const fs::path& dir, const char* query, int codePage = 1252)
{
    return {{false, {}, QString::fromStdString(dir.string()), codePage},
            QString::fromLatin1(query)};
}

// Three records, the second deleted: a count of live records would say 2.
void writeOrders(const fs::path& dir, std::uint8_t mark = 0x03)
{
    vfpwriter::WriteOptions options;
    options.codePageMark = mark;
    vfpwriter::TableWriter writer(
        dir / "orders.dbf",
        {{"ID", vfp::FieldType::Integer}, {"NAME", vfp::FieldType::Character, 20}}, options);
    writer.append({dbtest::integer(1), dbtest::text("a")});
    writer.append({dbtest::integer(2), dbtest::text("b")}, true);
    writer.append({dbtest::integer(3), dbtest::text("c")});
    writer.close();
    dateTheFile(dir / "orders.dbf");
}

std::string tableLines(const fs::path& file, const std::string& records, const char* codePage)
{
    return file.string() + "\nRecords: " + records +
           "\nFields: 2\nFile size: " + grouped(fs::file_size(file)) +
           " bytes\nLast change: 2021-08-31 12:34:56\nCode page: " + codePage;
}

Source container(const fs::path& dir, const char* query)
{
    vfpwriter::ContainerWriter dbc(dir / "shop.dbc");
    dbc.createTable("Orders", "orders.dbf", {{"id", vfp::FieldType::Integer}}).close();
    dbc.addTable("Gone", "gone.dbf", {"id"});
    dbc.addView("late", "SELECT *\r\n  FROM orders WHERE id > 2");
    dbc.addConnection("Shop", "quorvane_shop");
    dbc.addView("far", "SELECT id FROM kept", {}, "Shop");
    dbc.close();
    return {{true, QString::fromStdString((dir / "shop.dbc").string()), {}},
            QString::fromLatin1(query)};
}

struct Case
{
    const char* name;
    std::function<Source(const fs::path&)> write;
    std::function<std::string(const fs::path&)> expected;
    bool prefix = false;  // the engine's own sentence follows
};

class ItemDetailsTest : public testing::TestWithParam<Case>
{
protected:
    testsupport::TempDir dir;
};

TEST_P(ItemDetailsTest, SaysWhatTheItemHolds)
{
    const Case& c = GetParam();
    const Source source = c.write(dir.path());
    preview::ItemDetails details([&] { return source.settings; });
    const std::string text = details.text(source.query).toStdString();
    const std::string expected = c.expected(dir.path());
    if (c.prefix)
        EXPECT_EQ(text.substr(0, expected.size()), expected) << text;
    else
        EXPECT_EQ(text, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ItemDetailsTest,
    testing::Values(
        Case{"counts_come_from_the_header_not_from_reading_records",
             [](const fs::path& dir) {
                 writeOrders(dir);
                 return folder(dir, "orders");
             },
             [](const fs::path& dir) {
                 return tableLines(dir / "orders.dbf", "3", "1252, marked in the table");
             }},
        Case{"file_cut_short_shows_what_it_holds_and_what_the_header_claims",
             [](const fs::path& dir) {
                 writeOrders(dir);
                 const fs::path file = dir / "orders.dbf";
                 fs::resize_file(file, fs::file_size(file) - 1 - 25);  // the mark, one record
                 dateTheFile(file);
                 return folder(dir, "orders");
             },
             [](const fs::path& dir) {
                 return tableLines(dir / "orders.dbf",
                                   "2 (the header counts 3; the file holds no more)",
                                   "1252, marked in the table");
             }},
        Case{"unmarked_table_names_the_page_chosen_for_it",
             [](const fs::path& dir) {
                 writeOrders(dir, 0);
                 return folder(dir, "orders", 850);
             },
             [](const fs::path& dir) {
                 return tableLines(dir / "orders.dbf", "3",
                                   "850, chosen for tables without a mark");
             }},
        Case{"damaged_header_says_so_and_where",
             [](const fs::path& dir) {
                 writeOrders(dir);
                 fs::resize_file(dir / "orders.dbf", 40);
                 return folder(dir, "orders");
             },
             [](const fs::path& dir) {
                 return (dir / "orders.dbf").string() + "\nIts header cannot be read: orders.dbf";
             },
             true},
        Case{"container_table_without_its_file_says_where_it_is_expected",
             [](const fs::path& dir) { return container(dir, "gone"); },
             [](const fs::path& dir) {
                 return (dir / "gone.dbf").string() +
                        "\nIts header cannot be read: Gone cannot be opened: gone.dbf is missing";
             },
             true},
        Case{"local_view_gives_its_kind_and_the_first_line_of_its_sql",
             [](const fs::path& dir) { return container(dir, "LATE"); },
             [](const fs::path&) { return std::string("Local view\nSELECT * …"); }},
        Case{"remote_view_says_its_rows_come_from_a_server",
             [](const fs::path& dir) { return container(dir, "far"); },
             [](const fs::path&) {
                 return std::string(
                     "Remote view: its rows come from a server\nSELECT id FROM kept");
             }},
        Case{"missing_source_says_it_cannot_be_opened",
             [](const fs::path& dir) { return folder(dir / "nowhere", "orders"); },
             [](const fs::path&) { return std::string("The source cannot be opened: "); }, true}),
    dbtest::CaseName{});

}  // namespace
