// Text comes out as UTF-8 whatever the table's code page: stored bytes of each code page
// FoxPro marks (and of the dBase driver ids that share a page with them), with the characters
// they stand for in that page, in a character field, a binary one and a memo.
#include <gtest/gtest.h>

#include "components/vfpwriter/TableWriter.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"

namespace {

constexpr int kWidth = 6;  // of the character fields: the longest sample fills it

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
                                  {{"TXT", vfp::FieldType::Character, kWidth},
                                   {"RAW", vfp::FieldType::Character, kWidth, 0, false, true},
                                   {"MEM", vfp::FieldType::Memo}},
                                  options);
    // Bytes as stored (Binary), so the writer's own encoder plays no part.
    writer.append({dbtest::binary(GetParam().stored), dbtest::binary(GetParam().stored),
                   dbtest::binary(GetParam().stored)});
    writer.close();
    const dbtest::ReadTable table = dbtest::readTable(dir.path(), QStringLiteral("t"));
    ASSERT_EQ(table.rows.size(), 1u);
    const std::string padding(kWidth - GetParam().stored.size(), ' ');
    EXPECT_EQ(table.rows[0][0], GetParam().shown + padding);
    EXPECT_EQ(table.rows[0][2], GetParam().shown);
    // The binary flag (NOCPTRANS) stops translation between code pages: the field's text is
    // still read in the table's own code page, as FoxPro shows it.
    EXPECT_EQ(table.rows[0][1], GetParam().shown + padding);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, CodePagesTest,
    testing::Values(Case{"cp437_us_dos", 0x01, "\x81\x82", "üé"},
                    Case{"cp620_mazovia", 0x69, "\x86\x92\x9e", "ąłś"},
                    Case{"cp737_greek_dos", 0x6A, "\x80\x97", "ΑΩ"},
                    Case{"cp850_international_dos", 0x02, "\x9b\x82", "øé"},
                    Case{"cp852_eastern_european_dos", 0x64, "\xa5\x88", "ął"},
                    Case{"cp857_turkish_dos", 0x6B, "\x98\x9f", "İş"},
                    Case{"cp861_icelandic_dos", 0x67, "\x8b\x8c", "Ðð"},
                    Case{"cp865_nordic_dos", 0x66, "\x9b", "ø"},
                    Case{"cp866_russian_dos", 0x65, "\x80\x86", "АЖ"},
                    Case{"cp874_thai", 0x7C, "\xa1", "ก"},
                    Case{"cp895_kamenicky", 0x68, "\x80\x87\x9f", "Ččť"},
                    Case{"cp932_japanese", 0x7B, "\x82\xa0\x93\xfa\x96\x7b", "あ日本"},
                    Case{"cp936_chinese_simplified", 0x7A, "\xc4\xe3\xd6\xd0\xce\xc4", "你中文"},
                    Case{"cp949_korean", 0x79, "\xb0\xa1\xc7\xd1\xb1\xb9", "가한국"},
                    Case{"cp950_chinese_traditional", 0x78, "\xa4\xa4\xa4\xe5", "中文"},
                    Case{"cp1250_eastern_european", 0xC8, "\x9a\xb3", "šł"},
                    Case{"cp1251_russian", 0xC9, "\xc0\xc6", "АЖ"},
                    Case{"cp1252_western", 0x03, "\xe9\x80", "é€"},
                    Case{"cp1252_undefined_byte_kept", 0x03, "a\x81z", "a\xc2\x81z"},
                    Case{"cp1253_greek", 0xCB, "\xc1\xd9", "ΑΩ"},
                    Case{"cp1254_turkish", 0xCA, "\xd0\xfe", "Ğş"},
                    Case{"cp1255_hebrew", 0x7D, "\xe0\xf9", "אש"},
                    Case{"cp1256_arabic", 0x7E, "\xc7\xda", "اع"},
                    Case{"cp10000_macintosh", 0x04, "\x8a\x8e", "äé"},
                    Case{"cp10006_greek_macintosh", 0x98, "\xa1\xbf", "ΓΩ"},
                    Case{"cp10007_russian_macintosh", 0x96, "\x80\x86", "АЖ"},
                    Case{"cp10029_macintosh_ee", 0x97, "\x81\xb8", "Āł"},
                    Case{"dbase_driver_id_for_1252", 0x57, "\x80", "€"},
                    Case{"dbase_driver_id_for_866", 0x26, "\x80", "А"},
                    Case{"unmarked_reads_as_windows_1252", 0x00, "\xe9", "é"},
                    Case{"unknown_mark_reads_as_windows_1252", 0xEE, "\xe9", "é"}),
    dbtest::CaseName());

}  // namespace
