// Sheet names as spreadsheet programs accept them; each refused name gets a message that says
// which rule it breaks.
#include <gtest/gtest.h>

#include "components/spreadsheet/SheetName.h"
#include "components/spreadsheet/SpreadsheetError.h"

namespace {

struct NameCase
{
    const char* name;
    std::string sheetName;
    std::string error;  // empty: accepted
};

void PrintTo(const NameCase& c, std::ostream* out)
{
    *out << c.name;
}

class SheetNameRules : public ::testing::TestWithParam<NameCase>
{
};

TEST_P(SheetNameRules, AcceptsOrRefusesWithTheReason)
{
    try {
        spreadsheet::checkSheetName(GetParam().sheetName);
        EXPECT_EQ(GetParam().error, "") << "accepted";
    } catch (const spreadsheet::SpreadsheetError& error) {
        EXPECT_EQ(error.what(), GetParam().error);
    }
}

const std::string kE = "\xC3\xA9";               // é
const std::string kSmiley = "\xF0\x9F\x98\x80";  // U+1F600, two UTF-16 units

std::string repeated(const std::string& piece, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

std::string forbidden(const std::string& name, char c)
{
    return "The sheet name \"" + name + "\" contains \"" + std::string(1, c) +
           "\"; sheet names cannot contain any of [ ] : * ? / \\.";
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SheetNameRules,
    ::testing::Values(
        NameCase{"thirty_one_characters", std::string(31, 'N'), ""},
        NameCase{"thirty_one_accented", repeated(kE, 31), ""},
        NameCase{"inner_apostrophe", "Bob's", ""},
        NameCase{"space_and_punctuation", "Orders 2024 (old) #1", ""},
        NameCase{"thirty_two_characters", std::string(32, 'N'),
                 "The sheet name \"" + std::string(32, 'N') +
                     "\" has 32 characters; a sheet name may have at most 31."},
        NameCase{"astral_counted_as_two", repeated(kSmiley, 16),
                 "The sheet name \"" + repeated(kSmiley, 16) +
                     "\" has 32 characters; a sheet name may have at most 31."},
        NameCase{"left_bracket", "a[b", forbidden("a[b", '[')},
        NameCase{"right_bracket", "a]b", forbidden("a]b", ']')},
        NameCase{"colon", "a:b", forbidden("a:b", ':')},
        NameCase{"star", "a*b", forbidden("a*b", '*')},
        NameCase{"question_mark", "a?b", forbidden("a?b", '?')},
        NameCase{"slash", "a/b", forbidden("a/b", '/')},
        NameCase{"backslash", "a\\b", forbidden("a\\b", '\\')},
        NameCase{"leading_apostrophe", "'Orders",
                 "The sheet name \"'Orders\" starts or ends with an apostrophe, which sheet names "
                 "cannot."},
        NameCase{"trailing_apostrophe", "Orders'",
                 "The sheet name \"Orders'\" starts or ends with an apostrophe, which sheet names "
                 "cannot."},
        NameCase{"empty", "", "A sheet name cannot be empty; it needs 1 to 31 characters."},
        NameCase{"tab", "a\tb",
                 "The sheet name \"a\xEF\xBF\xBD"
                 "b\" contains a control character, which sheet names cannot contain."},
        NameCase{"start_of_heading", "\x01",
                 "The sheet name \"\xEF\xBF\xBD\" contains a control character, which sheet names "
                 "cannot contain."},
        NameCase{"c1_control", "a\xC2\x85",
                 "The sheet name \"a\xEF\xBF\xBD\" contains a control character, which sheet names "
                 "cannot contain."},
        NameCase{"invalid_utf8", "caf\xE9",
                 "The sheet name \"caf\xEF\xBF\xBD\" is not valid UTF-8 text."},
        NameCase{"noncharacter", "a\xEF\xBF\xBE",
                 "The sheet name \"a\xEF\xBF\xBD\" is not valid UTF-8 text."}),
    [](const auto& c) { return std::string(c.param.name); });

struct KeyCase
{
    const char* name;
    std::string first;
    std::string second;
    bool clash;
};

void PrintTo(const KeyCase& c, std::ostream* out)
{
    *out << c.name;
}

class SheetNameKeys : public ::testing::TestWithParam<KeyCase>
{
};

TEST_P(SheetNameKeys, ClashIgnoringCaseBeyondAscii)
{
    EXPECT_EQ(
        spreadsheet::sheetNameKey(GetParam().first) == spreadsheet::sheetNameKey(GetParam().second),
        GetParam().clash);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SheetNameKeys,
    ::testing::Values(KeyCase{"ascii_case", "Customers", "CUSTOMERS", true},
                      KeyCase{"accented_case", "Caf\xC3\xA9", "CAF\xC3\x89", true},
                      KeyCase{"greek_case", "\xCE\xA3\xCE\xB9", "\xCF\x83\xCE\x99", true},
                      KeyCase{"accent_differs", "Cafe", "Caf\xC3\xA9", false},
                      KeyCase{"different_names", "Orders", "Order", false}),
    [](const auto& c) { return std::string(c.param.name); });

}  // namespace
