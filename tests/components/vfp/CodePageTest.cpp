// Code pages: every mark FoxPro writes decodes a letter of its page to the right character;
// holes in Windows-1252 become the character Windows gives them; unmarked tables use the
// configured code page; binary fields are never translated.
#include <gtest/gtest.h>

#include "components/vfp/CodePage.h"
#include "components/vfp/RecordReader.h"
#include "tests/support/TableBytes.h"

namespace {

using namespace vfptest;

struct MarkCase
{
    const char* name;
    std::uint8_t mark;
    std::string bytes;     // stored in a C field
    std::string expected;  // UTF-8
};

std::vector<std::string> readTexts(const TableBytes& table, const vfp::OpenOptions& options = {})
{
    const vfp::Table opened =
        vfp::Table::open(vfp::memorySource(table.build(), "t.dbf"), nullptr, options);
    vfp::RecordReader reader(opened);
    std::vector<vfp::Value> values;
    std::vector<std::string> texts;
    while (reader.next()) {
        reader.readAll(values);
        for (const vfp::Value& value : values)
            texts.push_back(describe(value));
    }
    return texts;
}

class CodePageMarkTest : public testing::TestWithParam<MarkCase>
{
};

TEST_P(CodePageMarkTest, DecodesTheMarkedPage)
{
    const MarkCase& c = GetParam();
    TableBytes table;
    table.codePageMark = c.mark;
    table.fields = {{"F", 'C', static_cast<int>(c.bytes.size())}};
    table.add({c.bytes});
    EXPECT_EQ(readTexts(table), std::vector<std::string>{"text:" + c.expected});
}

INSTANTIATE_TEST_SUITE_P(
    Marks, CodePageMarkTest,
    testing::Values(
        MarkCase{"cp437_us_dos", 0x01, "\x81", "ü"},
        MarkCase{"cp620_mazovia", 0x69, "\x86\x92\x9e", "ąłś"},
        MarkCase{"cp737_greek_dos", 0x6A, "\x80", "Α"},
        MarkCase{"cp850_international_dos", 0x02, "\x9b", "ø"},
        MarkCase{"cp852_eastern_european_dos", 0x64, "\xa5", "ą"},
        MarkCase{"cp857_turkish_dos", 0x6B, "\x98", "İ"},
        MarkCase{"cp861_icelandic_dos", 0x67, "\x8b", "Ð"},
        MarkCase{"cp865_nordic_dos", 0x66, "\x9b", "ø"},
        MarkCase{"cp866_russian_dos", 0x65, "\x80", "А"}, MarkCase{"cp874_thai", 0x7C, "\xa1", "ก"},
        MarkCase{"cp895_kamenicky", 0x68, "\x80\x87\x9f", "Ččť"},
        MarkCase{"cp932_japanese", 0x7B, "\x82\xa0", "あ"},
        MarkCase{"cp936_simplified_chinese", 0x7A, "\xc4\xe3", "你"},
        MarkCase{"cp949_korean", 0x79, "\xb0\xa1", "가"},
        MarkCase{"cp950_traditional_chinese", 0x78, "\xa4\xa4", "中"},
        MarkCase{"cp1250_eastern_european", 0xC8, "\x9a", "š"},
        MarkCase{"cp1251_russian", 0xC9, "\xc0", "А"},
        MarkCase{"cp1252_windows_ansi", 0x03, "\x80", "€"},
        MarkCase{"cp1252_undefined_byte_kept", 0x03, "a\x81z", "a\xc2\x81z"},
        MarkCase{"cp1253_greek", 0xCB, "\xc1", "Α"}, MarkCase{"cp1254_turkish", 0xCA, "\xd0", "Ğ"},
        MarkCase{"cp1255_hebrew", 0x7D, "\xe0", "א"}, MarkCase{"cp1256_arabic", 0x7E, "\xc7", "ا"},
        MarkCase{"mac_roman", 0x04, "\x8a", "ä"}, MarkCase{"mac_greek", 0x98, "\xa1", "Γ"},
        MarkCase{"mac_cyrillic", 0x96, "\x80", "А"},
        MarkCase{"mac_central_european", 0x97, "\x81", "Ā"},
        MarkCase{"dbase_driver_id_for_1252", 0x57, "\x80", "€"},
        MarkCase{"dbase_driver_id_for_866", 0x26, "\x80", "А"},
        MarkCase{"unmarked_reads_as_1252", 0x00, "\xe9", "é"},
        MarkCase{"unknown_mark_reads_as_1252", 0xEE, "\xe9", "é"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CodePageTest, EachFoxProPageHasItsOwnMark)
{
    // FoxPro's marks, not the dBase driver ids that share a page with them
    const std::vector<std::pair<int, std::uint8_t>> marks = {
        {437, 0x01},   {620, 0x69},  {737, 0x6A},  {850, 0x02},  {852, 0x64},   {857, 0x6B},
        {861, 0x67},   {865, 0x66},  {866, 0x65},  {874, 0x7C},  {895, 0x68},   {932, 0x7B},
        {936, 0x7A},   {949, 0x79},  {950, 0x78},  {1250, 0xC8}, {1251, 0xC9},  {1252, 0x03},
        {1253, 0xCB},  {1254, 0xCA}, {1255, 0x7D}, {1256, 0x7E}, {10000, 0x04}, {10006, 0x98},
        {10007, 0x96}, {10029, 0x97}};
    for (const auto& [page, mark] : marks) {
        EXPECT_EQ(vfp::markForCodePage(page), mark) << page;
        EXPECT_EQ(vfp::codePageForMark(mark), page) << page;
    }
    EXPECT_EQ(vfp::markForCodePage(65001), 0) << "FoxPro has no mark for UTF-8";
}

TEST(CodePageTest, UnmarkedTableUsesTheConfiguredPage)
{
    TableBytes table;
    table.codePageMark = 0;
    table.fields = {{"F", 'C', 2}};
    table.add({"\x80\xe9"});
    vfp::OpenOptions options;
    options.defaultCodePage = 866;
    EXPECT_EQ(readTexts(table, options), std::vector<std::string>{"text:Ащ"});
}

TEST(CodePageTest, BrokenMultiByteCharacterIsReplacedInItsOwnField)
{
    // a lead byte at the end of one field must not swallow the start of the next
    TableBytes table;
    table.codePageMark = 0x7B;
    table.fields = {{"A", 'C', 1}, {"B", 'C', 2}, {"C", 'C', 2}};
    table.add({"\x82", "\x82\xa0", "\x82 "});
    EXPECT_EQ(readTexts(table),
              (std::vector<std::string>{"text:\xef\xbf\xbd", "text:あ", "text:\xef\xbf\xbd "}));
}

TEST(CodePageTest, FieldNamesAreDecodedToo)
{
    TableBytes table;
    table.codePageMark = 0x7A;
    table.fields = {{"\xc4\xe3\xba\xc3", 'C', 1}};
    table.add({"x"});
    const vfp::Table opened = vfp::Table::open(vfp::memorySource(table.build(), "t.dbf"), nullptr);
    EXPECT_EQ(opened.fields().at(0).name, "你好");
}

TEST(CodePageTest, WriterEncodingGivesBackEveryByte)
{
    std::string bytes;
    for (int byte = 0x20; byte < 0x100; ++byte)
        bytes.push_back(static_cast<char>(byte));
    for (const int page : {437, 620, 850, 866, 895, 1250, 1251, 1252, 10007}) {
        vfp::TextDecoder decoder(page);
        std::string text;
        decoder.decode(bytes, text);
        EXPECT_EQ(vfp::encodeText(text, page), bytes) << "code page " << page;
    }
    EXPECT_EQ(vfp::encodeText("あ€", 932), "\x82\xa0?");
}

}  // namespace
