// Every FoxPro field type read through a recordset: the ADO type code and decimals the provider
// reports and the cell text of a value, Null in every nullable type, and varchar shorter than its
// field.
#include <gtest/gtest.h>

#include "components/vfpwriter/TableWriter.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"

namespace {

using vfp::FieldType;

struct Case
{
    const char* name;
    vfpwriter::FieldDefinition field;
    vfp::Value value;
    int adoType;
    std::string text;
    int numericScale = 0;
};

const std::vector<Case>& cases()
{
    static const std::vector<Case> all = {
        {"character_keeps_trailing_blanks",
         {"CHR", FieldType::Character, 8},
         dbtest::text("abc"),
         129,
         "abc     "},
        {"character_nocptrans_is_text_of_its_code_page",
         {"CHRB", FieldType::Character, 3, 0, false, true},
         dbtest::binary("Gr\xfc"),
         129,
         "Grü"},
        {"varchar_shorter_keeps_its_blank",
         {"VCH", FieldType::Varchar, 10},
         dbtest::text("ab "),
         200,
         "ab "},
        {"varchar_full_width",
         {"VCHFULL", FieldType::Varchar, 4},
         dbtest::text("wxyz"),
         200,
         "wxyz"},
        {"varchar_nocptrans_is_text",
         {"VCHB", FieldType::Varchar, 6, 0, false, true},
         dbtest::binary("Groot"),
         200,
         "Groot"},
        {"varbinary_is_hex",
         {"VBIN", FieldType::Varbinary, 6},
         dbtest::binary("\xca\xfe "),
         204,
         "CAFE20"},
        {"memo_text",
         {"MEM", FieldType::Memo},
         dbtest::text("line 1\r\nline 2 "),
         201,
         "line 1\r\nline 2 "},
        {"memo_binary_is_long_binary",
         {"MEMB", FieldType::Memo, 0, 0, false, true},
         dbtest::binary("\x89PNG"),
         205,
         "89504E47"},
        {"general_is_long_binary",
         {"GEN", FieldType::General},
         dbtest::binary("ole"),
         205,
         "6F6C65"},
        {"blob_is_long_binary",
         {"BLB", FieldType::Blob},
         dbtest::binary(std::string("\x00\x01", 2)),
         205,
         "0001"},
        {"picture_is_long_binary",
         {"PIC", FieldType::Picture},
         dbtest::binary("\xff\xd8"),
         205,
         "FFD8"},
        {"numeric_drops_trailing_zeros",
         {"NUM", FieldType::Numeric, 8, 2},
         dbtest::decimal("12.50"),
         131,
         "12.5",
         2},
        {"numeric_negative_fraction",
         {"NUMNEG", FieldType::Numeric, 6, 2},
         dbtest::decimal("-0.05"),
         131,
         "-0.05",
         2},
        {"numeric_overflow_keeps_stored_text",
         {"NUMOVF", FieldType::Numeric, 5},
         dbtest::decimal("*****"),
         131,
         "*****"},
        {"float_whole", {"FLT", FieldType::Float, 10, 3}, dbtest::decimal("7.000"), 131, "7", 3},
        {"integer_negative",
         {"INT", FieldType::Integer},
         dbtest::integer(-2147483647 - 1),
         3,
         "-2147483648"},
        {"double_shortest", {"DBL", FieldType::Double, 8, 2}, dbtest::real(2.3), 5, "2.3", 2},
        {"double_without_decimals", {"DBL0", FieldType::Double, 8}, dbtest::real(0.5), 5, "0.5"},
        {"currency_four_decimals",
         {"CUR", FieldType::Currency},
         dbtest::currency(-123456),
         6,
         "-12.3456",
         4},
        {"date_iso", {"DAT", FieldType::Date}, dbtest::date(2024, 2, 29), 133, "2024-02-29"},
        {"datetime_iso",
         {"DTM", FieldType::DateTime},
         dbtest::dateTime(1999, 12, 31, 23, 59, 59),
         135,
         "1999-12-31 23:59:59"},
        {"logical_true", {"LOG", FieldType::Logical}, dbtest::boolean(true), 11, "True"},
        {"logical_false", {"LOGF", FieldType::Logical}, dbtest::boolean(false), 11, "False"},
    };
    return all;
}

// One table holding every case as a field: a first record of the values, a second of Nulls.
class FieldTypesTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        sDir = new testsupport::TempDir;
        std::vector<vfpwriter::FieldDefinition> fields;
        std::vector<vfp::Value> values, nulls;
        for (const Case& c : cases()) {
            vfpwriter::FieldDefinition field = c.field;
            field.nullable = true;
            fields.push_back(field);
            values.push_back(c.value);
            nulls.push_back(dbtest::null());
        }
        vfpwriter::TableWriter writer(sDir->path() / "alltypes.dbf", fields);
        writer.append(values);
        writer.append(nulls);
        writer.close();
        sTable = new dbtest::ReadTable(dbtest::readTable(sDir->path(), QStringLiteral("alltypes")));
    }
    static void TearDownTestSuite()
    {
        delete sTable;
        delete sDir;
    }

    static testsupport::TempDir* sDir;
    static dbtest::ReadTable* sTable;
};

testsupport::TempDir* FieldTypesTest::sDir = nullptr;
dbtest::ReadTable* FieldTypesTest::sTable = nullptr;

TEST_F(FieldTypesTest, EachTypeHasItsAdoCodeAndCellText)
{
    ASSERT_EQ(sTable->rows.size(), 2u);
    ASSERT_EQ(sTable->names.size(), cases().size()) << "_NullFlags must not be a field";
    for (std::size_t k = 0; k < cases().size(); ++k) {
        const Case& c = cases()[k];
        SCOPED_TRACE(c.name);
        std::string lowerName = c.field.name;
        for (char& ch : lowerName)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_EQ(sTable->names[k], lowerName);
        EXPECT_EQ(sTable->types[k], c.adoType);
        EXPECT_EQ(sTable->scales[k], c.numericScale);
        EXPECT_EQ(sTable->rows[0][k], c.text);
    }
}

TEST_F(FieldTypesTest, NullInEveryNullableTypeStaysNull)
{
    ASSERT_EQ(sTable->rows.size(), 2u);
    for (std::size_t k = 0; k < cases().size(); ++k) {
        SCOPED_TRACE(cases()[k].name);
        EXPECT_EQ(sTable->rows[1][k], "<null>");
    }
}

// Blank bytes are not Null in FoxPro, except for dates: a blank date or date-time has no
// value to show and reads as Null, while blank text stays text.
TEST(BlankValues, BlankDatesAreNullBlankTextIsNot)
{
    testsupport::TempDir dir;
    vfpwriter::TableWriter writer(dir.path() / "blanks.dbf", {{"DAT", FieldType::Date},
                                                              {"DTM", FieldType::DateTime},
                                                              {"CHR", FieldType::Character, 3},
                                                              {"MEM", FieldType::Memo}});
    writer.append({vfp::Value{}, vfp::Value{}, vfp::Value{}, vfp::Value{}});
    writer.close();
    const dbtest::ReadTable table = dbtest::readTable(dir.path(), QStringLiteral("blanks"));
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0], (dbtest::Row{"<null>", "<null>", "   ", ""}));
}

}  // namespace
