// Code pages at the engine: FoxPro's own mark for each page, the configured page of unmarked
// tables, a broken multi-byte character kept in its own field, field names decoded, and the
// writer's encoding giving back every byte. (What each mark decodes to is read through a
// recordset in tests/components/database/CodePagesTest.cpp.)
#include <gtest/gtest.h>

#include "components/vfp/CodePage.h"
#include "components/vfp/RecordReader.h"
#include "tests/support/TableBytes.h"

namespace {

using namespace vfptest;

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
