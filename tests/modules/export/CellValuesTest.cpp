// What each FoxPro field type becomes in its cell: the text, the kind of cell and the decimals
// its number shows, Nulls, and a table without records.
#include "modules/export/ExportTexts.h"
#include "tests/modules/export/ExportRunFixture.h"

namespace {

using exporttest::ExportRunTest;
using fakes::CellKind;
namespace data = exporttest;

struct FieldCase
{
    const char* name;
    vfpwriter::FieldDefinition field;
    vfp::Value value;
    std::string text;  // "" means no cell at all
    CellKind kind;
    int decimals = 0;  // shown by a number cell
};

// One field per case; a nullable copy of each field shows what Null becomes.
const std::vector<FieldCase> kFieldCases = {
    {"integer_is_a_number",
     {"ID", vfp::FieldType::Integer},
     data::integer(-7),
     "-7",
     CellKind::Number},
    {"character_keeps_zeros_and_blanks",
     {"CODE", vfp::FieldType::Character, 6},
     data::text("0012"),
     "0012  ",
     CellKind::Text},
    {"character_formula_stays_text",
     {"FORMULA", vfp::FieldType::Character, 4},
     data::text("=1+1"),
     "=1+1",
     CellKind::Text},
    {"numeric_drops_trailing_zeros",
     {"AMOUNT", vfp::FieldType::Numeric, 12, 2},
     data::decimal("12.50"),
     "12.5",
     CellKind::Number,
     2},
    {"numeric_without_decimals_stays_general",
     {"QTY", vfp::FieldType::Numeric, 6},
     data::decimal("40"),
     "40",
     CellKind::Number},
    {"float_shows_its_decimals",
     {"WEIGHT", vfp::FieldType::Float, 8, 3},
     data::decimal("1.5"),
     "1.5",
     CellKind::Number,
     3},
    {"double_shows_its_decimals",
     {"RATE", vfp::FieldType::Double, 8, 1},
     data::real(0.25),
     "0.25",
     CellKind::Number,
     1},
    {"currency_keeps_four_places",
     {"PRICE", vfp::FieldType::Currency},
     data::currency(-123456),
     "-12.3456",
     CellKind::Number,
     4},
    {"date_is_a_date",
     {"BORN", vfp::FieldType::Date},
     data::date(2021, 8, 31),
     "2021-08-31",
     CellKind::Date},
    {"datetime_is_a_datetime",
     {"UPDATED", vfp::FieldType::DateTime},
     data::dateTime(2013, 5, 3, 16, 46, 20),
     "2013-05-03 16:46:20",
     CellKind::DateTime},
    {"logical_is_a_boolean",
     {"ACTIVE", vfp::FieldType::Logical},
     data::boolean(true),
     "True",
     CellKind::Boolean},
    {"memo_is_text",
     {"NOTES", vfp::FieldType::Memo},
     data::text("Zürich, 3 m²"),
     "Zürich, 3 m²",
     CellKind::Text},
    {"general_shows_binary_data",
     {"PIC", vfp::FieldType::General},
     data::binary("\x01\x02"),
     "{BINARY DATA}",
     CellKind::Text},
    {"varbinary_goes_through_text",
     {"RAW", vfp::FieldType::Varbinary, 4},
     data::binary("\x0a\xff"),
     "0AFF",
     CellKind::Text},
};

TEST_F(ExportRunTest, EveryFieldTypeAndItsNull)
{
    std::vector<vfpwriter::FieldDefinition> fields;
    std::vector<vfp::Value> values, nulls;
    for (const FieldCase& c : kFieldCases) {
        vfpwriter::FieldDefinition field = c.field;
        field.nullable = true;
        fields.push_back(field);
        values.push_back(c.value);
        nulls.push_back(data::null());
    }
    data::writeTable(dir.path(), "types", fields, {values, nulls});
    list.add(QStringLiteral("types"), true);
    run();
    ASSERT_TRUE(messages.shown.empty()) << messages.shown.front().text.toStdString();

    const auto& cells = spreadsheet.onlyWorkbook().sheet(1).cells();
    for (int k = 0; k < int(kFieldCases.size()); ++k) {
        const FieldCase& c = kFieldCases[k];
        SCOPED_TRACE(c.name);
        const auto header = cells.find({1, k + 1});
        ASSERT_NE(header, cells.end());
        EXPECT_EQ(header->second.text,
                  QString::fromStdString(c.field.name).toLower().toStdString());
        const auto value = cells.find({2, k + 1});
        ASSERT_NE(value, cells.end());
        EXPECT_EQ(value->second.text, c.text);
        EXPECT_EQ(value->second.kind, c.kind);
        EXPECT_EQ(value->second.decimals, c.decimals);
        const auto null = cells.find({3, k + 1});
        if (c.field.type == vfp::FieldType::General) {
            ASSERT_NE(null, cells.end());
            EXPECT_EQ(null->second.text, exporting::kBinaryDataText);
        } else {
            EXPECT_EQ(null, cells.end()) << "a Null must leave the cell empty";
        }
    }
}

TEST_F(ExportRunTest, ContinuationSheetsShowTheSameDecimals)
{
    data::writeTable(
        dir.path(), "money",
        {{"AMOUNT", vfp::FieldType::Numeric, 8, 2}, {"QTY", vfp::FieldType::Numeric, 6}},
        {{data::decimal("47.90"), data::decimal("1")},
         {data::decimal("81.02"), data::decimal("2")},
         {data::decimal("24.19"), data::decimal("3")}});
    list.add(QStringLiteral("money"), true);
    run(2);
    ASSERT_EQ(spreadsheet.onlyWorkbook().sheetNames(),
              (std::vector<std::string>{"money", "money (2)", "money (3)"}));
    for (int s = 1; s <= 3; ++s) {
        SCOPED_TRACE(s);
        const auto& cells = spreadsheet.onlyWorkbook().sheet(s).cells();
        EXPECT_EQ(cells.at({2, 1}).decimals, 2);
        EXPECT_EQ(cells.at({2, 2}).decimals, 0);
    }
}

TEST_F(ExportRunTest, TableWithoutRecordsHasItsNamesRowOnly)
{
    data::writeTable(dir.path(), "empty",
                     {{"ID", vfp::FieldType::Integer}, {"NAME", vfp::FieldType::Character, 5}}, {});
    list.add(QStringLiteral("empty"), true);
    run();
    EXPECT_EQ(rows(spreadsheet.onlyWorkbook().sheet(1)), (exporttest::Rows{{"id", "name"}}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(ExportTexts, ProgressAndClosingTexts)
{
    const QString name = QStringLiteral("orders");
    EXPECT_EQ(exporting::tableProgressText(name), QStringLiteral("Processing: orders"));
    EXPECT_EQ(exporting::rowProgressText(name, 12, -3),
              QStringLiteral("Processing: orders, row 12 from -3..."));
    EXPECT_EQ(exporting::fieldProgressText(name, 1234567, 2000000, 3, 10),
              QStringLiteral("Processing: orders, row 1234567 from 2000000, field 3 from 10..."));
    EXPECT_EQ(exporting::doneText(0, 4),
              QStringLiteral(
                  "Done.\r\n\r\nPlease look at the Excel tabs at the bottom for multiple tables."));
}

}  // namespace
