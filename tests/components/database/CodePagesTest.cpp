// Text comes out as UTF-8 whatever the table's code page: stored bytes of each code page
// FoxPro marks, with the character they stand for in that page.
#include <gtest/gtest.h>

#include "components/vfpwriter/TableWriter.h"
#include "tests/components/database/TableSupport.h"
#include "tests/support/TempDir.h"

namespace {

struct Case
{
    const char* name;
    std::uint8_t mark;
    std::string stored;  // bytes in the table
    std::string shown;   // UTF-8
};

class CodePagesTest : public testing::TestWithParam<Case>
{
};

TEST_P(CodePagesTest, TextDecodedFromTheMarkedPage)
{
    testsupport::TempDir dir;
    vfpwriter::WriteOptions options;
    options.codePageMark = GetParam().mark;
    vfpwriter::TableWriter writer(dir.path() / "t.dbf",
                                  {{"TXT", vfp::FieldType::Character, 4},
                                   {"RAW", vfp::FieldType::Character, 4, 0, false, true},
                                   {"MEM", vfp::FieldType::Memo}},
                                  options);
    // Bytes as stored (Binary), so the writer's own encoder plays no part.
    writer.append({dbtest::binary(GetParam().stored), dbtest::binary(GetParam().stored),
                   dbtest::binary(GetParam().stored)});
    writer.close();
    const dbtest::ReadTable table = dbtest::readTable(dir.path(), QStringLiteral("t"));
    ASSERT_EQ(table.rows.size(), 1u);
    const std::string padding(4 - GetParam().stored.size(), ' ');
    EXPECT_EQ(table.rows[0][0], GetParam().shown + padding);
    EXPECT_EQ(table.rows[0][2], GetParam().shown);
    // The binary flag (NOCPTRANS) stops translation between code pages: the field's text is
    // still read in the table's own code page, as FoxPro shows it.
    EXPECT_EQ(table.rows[0][1], GetParam().shown + padding);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, CodePagesTest,
    testing::Values(
        Case{"cp437_us_dos", 0x01, "\x82", "é"}, Case{"cp620_mazovia", 0x69, "\x86", "ą"},
        Case{"cp737_greek_dos", 0x6A, "\x97", "Ω"},
        Case{"cp850_international_dos", 0x02, "\x82", "é"},
        Case{"cp852_eastern_european_dos", 0x64, "\x88", "ł"},
        Case{"cp857_turkish_dos", 0x6B, "\x9f", "ş"},
        Case{"cp861_icelandic_dos", 0x67, "\x8c", "ð"}, Case{"cp865_nordic_dos", 0x66, "\x9b", "ø"},
        Case{"cp866_russian_dos", 0x65, "\x86", "Ж"}, Case{"cp874_thai", 0x7C, "\xa1", "ก"},
        Case{"cp895_kamenicky", 0x68, "\x87", "č"},
        Case{"cp932_japanese", 0x7B, "\x93\xfa\x96\x7b", "日本"},
        Case{"cp936_chinese_simplified", 0x7A, "\xd6\xd0\xce\xc4", "中文"},
        Case{"cp949_korean", 0x79, "\xc7\xd1\xb1\xb9", "한국"},
        Case{"cp950_chinese_traditional", 0x78, "\xa4\xa4\xa4\xe5", "中文"},
        Case{"cp1250_eastern_european", 0xC8, "\xb3", "ł"},
        Case{"cp1251_russian", 0xC9, "\xc6", "Ж"}, Case{"cp1252_western", 0x03, "\xe9\x80", "é€"},
        Case{"cp1253_greek", 0xCB, "\xd9", "Ω"}, Case{"cp1254_turkish", 0xCA, "\xfe", "ş"},
        Case{"cp1255_hebrew", 0x7D, "\xf9", "ש"}, Case{"cp1256_arabic", 0x7E, "\xda", "ع"},
        Case{"cp10000_macintosh", 0x04, "\x8e", "é"},
        Case{"cp10006_greek_macintosh", 0x98, "\xbf", "Ω"},
        Case{"cp10007_russian_macintosh", 0x96, "\x86", "Ж"},
        Case{"cp10029_macintosh_ee", 0x97, "\xb8", "ł"},
        Case{"unmarked_reads_as_windows_1252", 0x00, "\xe9", "é"}),
    dbtest::CaseName());

}  // namespace
