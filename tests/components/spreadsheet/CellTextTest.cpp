// Cell text made safe for the file: well-formed UTF-8, escapes that keep literal text literal,
// and the cut at the cell limit that never splits a character.
#include <gtest/gtest.h>

#include <string>

#include "components/spreadsheet/CellText.h"
#include "components/spreadsheet/Worksheet.h"

namespace {

using spreadsheet::CellText;
using spreadsheet::kMaxCellTextLength;

const std::string kReplacement = "\xEF\xBF\xBD";

struct TextCase
{
    const char* name;
    std::string input;
    std::string written;
    int width;
};

void PrintTo(const TextCase& c, std::ostream* out)
{
    *out << c.name;
}

class CellTextSafety : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(CellTextSafety, WritesWhatReadersShowUnchanged)
{
    CellText text;
    const CellText::Prepared prepared = text.prepare(GetParam().input);
    EXPECT_EQ(std::string(prepared.text), GetParam().written);
    EXPECT_EQ(prepared.width, GetParam().width);
    EXPECT_FALSE(prepared.cut);
}

INSTANTIATE_TEST_SUITE_P(
    Prepare, CellTextSafety,
    ::testing::Values(
        TextCase{"plain_ascii_unchanged", "Hello, World 42", "Hello, World 42", 15},
        TextCase{"underscore_without_escape_form_unchanged", "ORDER_ID_x12_", "ORDER_ID_x12_", 13},
        TextCase{"literal_escape_kept_literal", "a_x0041_b", "a_x005F_x0041_b", 9},
        TextCase{"literal_escape_lowercase_hex", "_x00e9_", "_x005F_x00e9_", 7},
        TextCase{"capital_X_is_no_escape", "_X0041_", "_X0041_", 7},
        TextCase{"blank_among_the_hex_digits_is_no_escape", "_x001 _4_x005F_",
                 "_x001 _4_x005F_x005F_", 15},
        TextCase{"nul_left_to_the_writer", std::string("a\0b", 3), std::string("a\0b", 3), 3},
        TextCase{"escape_form_closed_by_an_escaped_nul", std::string("_x0041\0", 7),
                 std::string("_x005F_x0041\0", 13), 7},
        TextCase{"escape_form_closed_by_the_writers_escape", "_x0041\x01", "_x005F_x0041\x01", 7},
        TextCase{"escape_form_before_carriage_return_unchanged", "_x0041\r", "_x0041\r", 7},
        TextCase{"escape_form_before_tab_unchanged", "_x0041\t", "_x0041\t", 7},
        TextCase{"control_characters_left_to_the_writer", "a\x01\tb\r\n", "a\x01\tb\r\n", 6},
        TextCase{"utf8_unchanged", "Z\xC3\xBCrich \xE2\x82\xAC", "Z\xC3\xBCrich \xE2\x82\xAC", 8},
        TextCase{"wide_characters_count_twice", "\xE6\x97\xA5\xE6\x9C\xAC",
                 "\xE6\x97\xA5\xE6\x9C\xAC", 4},
        TextCase{"overlong_slash_replaced_bytewise", "\xC0\xAF", kReplacement + kReplacement, 2},
        TextCase{"noncharacter_fffe_replaced", "a\xEF\xBF\xBE", "a" + kReplacement, 2},
        TextCase{"noncharacter_ffff_replaced", "\xEF\xBF\xBFz", kReplacement + "z", 2}),
    [](const auto& c) { return std::string(c.param.name); });

struct CutCase
{
    const char* name;
    std::string input;
    std::string written;
    bool cut;
};

void PrintTo(const CutCase& c, std::ostream* out)
{
    *out << c.name;
}

class CellTextCut : public ::testing::TestWithParam<CutCase>
{
};

TEST_P(CellTextCut, CutsAtTheCellLimitOnACharacterBoundary)
{
    CellText text;
    const CellText::Prepared prepared = text.prepare(GetParam().input);
    EXPECT_EQ(std::string(prepared.text), GetParam().written);
    EXPECT_EQ(prepared.cut, GetParam().cut);
}

const std::string kFull(kMaxCellTextLength, 'a');
const std::string kSmiley = "\xF0\x9F\x98\x80";  // U+1F600: two UTF-16 units

INSTANTIATE_TEST_SUITE_P(
    Prepare, CellTextCut,
    ::testing::Values(CutCase{"limit_kept_whole", kFull, kFull, false},
                      CutCase{"one_past_limit_cut", kFull + "b", kFull, true},
                      CutCase{"surrogate_pair_not_split", std::string(32'766, 'a') + kSmiley,
                              std::string(32'766, 'a'), true},
                      CutCase{"surrogate_pair_fitting_kept", std::string(32'765, 'a') + kSmiley,
                              std::string(32'765, 'a') + kSmiley, false},
                      CutCase{"two_byte_characters_counted_as_characters",
                              [] {
                                  std::string s;
                                  for (int i = 0; i < kMaxCellTextLength; ++i)
                                      s += "\xC3\xA9";
                                  return s;
                              }(),
                              [] {
                                  std::string s;
                                  for (int i = 0; i < kMaxCellTextLength; ++i)
                                      s += "\xC3\xA9";
                                  return s;
                              }(),
                              false},
                      CutCase{"cut_after_slow_path_character", "\xC3\xA9" + kFull,
                              "\xC3\xA9" + std::string(32'766, 'a'), true}),
    [](const auto& c) { return std::string(c.param.name); });

// Escapes lengthen the text libxlsxwriter counts; a text within the cell limit whose escaped
// form is past the library's limit must be cut rather than be refused (and lost) by the writer.
TEST(CellTextCut, EscapesNeverPushTheWrittenTextPastTheWriterLimit)
{
    std::string input;
    for (int i = 0; i < 4'000; ++i)
        input += "_x0041_";  // 28,000 characters, 52,000 once escaped
    CellText text;
    const CellText::Prepared prepared = text.prepare(input);
    const std::string written(prepared.text);
    EXPECT_TRUE(prepared.cut);
    EXPECT_LE(written.size(), 32'767u);  // ASCII: bytes are code points
    EXPECT_GT(written.size(), 32'767u - 13);
    std::string escapedWhole;
    for (int i = 0; i < 4'000; ++i)
        escapedWhole += "_x005F_x0041_";
    EXPECT_EQ(escapedWhole.substr(0, written.size()), written);
}

// A memo of 13,317 characters, 9,658 of them NUL, is within the cell limit: the writer's escape
// of a NUL is one character of the text, not seven.
TEST(CellTextCut, NulRichTextIsKeptWhole)
{
    std::string input;
    for (int i = 0; i < 9'658; ++i)
        input += i < 3'659 ? std::string("a\0", 2) : std::string(1, '\0');
    ASSERT_EQ(input.size(), 13'317u);
    CellText text;
    const CellText::Prepared prepared = text.prepare(input);
    EXPECT_FALSE(prepared.cut);
    EXPECT_EQ(std::string(prepared.text), input);
}

}  // namespace
