// The text rules every layer shares: strict UTF-8, where each ill-formed part becomes one
// U+FFFD and the check, the decoder and the encoder agree; ASCII case for A to Z alone.
#include <gtest/gtest.h>

#include <string>

#include "components/text/AsciiCase.h"
#include "components/text/Utf8.h"

namespace {

struct Utf8Case
{
    const char* name;
    std::string bytes;
    std::u32string decoded;
};

class Utf8Decoding : public testing::TestWithParam<Utf8Case>
{
};

TEST_P(Utf8Decoding, GivesEachCharacterOrOneReplacementPerIllFormedPart)
{
    const std::string& bytes = GetParam().bytes;
    std::u32string decoded;
    text::forEachCodePoint(bytes, [&](char32_t c) { decoded += c; });
    EXPECT_EQ(decoded, GetParam().decoded);
    for (std::size_t i = 0; i < bytes.size();) {
        const text::Utf8Char c = text::decodeUtf8(bytes, i);
        if (static_cast<unsigned char>(bytes[i]) >= 0x80) {
            EXPECT_EQ(text::sequenceLength(bytes, i), c.valid ? c.length : 0) << "at " << i;
        }
        char encoded[4];
        if (c.valid) {
            EXPECT_EQ(bytes.substr(i, c.length),
                      std::string(encoded, std::size_t(text::encodeUtf8(c.codePoint, encoded))));
        }
        i += c.length;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, Utf8Decoding,
    testing::Values(
        Utf8Case{"ascii_and_every_length", "a\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80",
                 U"a\u00FC\u20AC\U0001F600"},
        Utf8Case{"edges_of_the_ranges", "\xC2\x80\xE0\xA0\x80\xED\x9F\xBF\xF4\x8F\xBF\xBF",
                 U"\u0080\u0800\uD7FF\U0010FFFF"},
        Utf8Case{"invalid_byte_replaced",
                 "a\xFF"
                 "b",
                 U"a\uFFFDb"},
        Utf8Case{"cp1252_byte_replaced", "caf\xE9", U"caf\uFFFD"},
        Utf8Case{"truncated_sequence_one_replacement", "a\xE2\x82", U"a\uFFFD"},
        Utf8Case{"lead_before_ascii_keeps_the_ascii", "\xE2\x82z", U"\uFFFDz"},
        Utf8Case{"overlong_slash_replaced_bytewise", "\xC0\xAF", U"\uFFFD\uFFFD"},
        Utf8Case{"overlong_three_bytes_replaced", "\xE0\x9F\xBF", U"\uFFFD\uFFFD\uFFFD"},
        Utf8Case{"cesu_surrogate_replaced", "\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},
        Utf8Case{"above_unicode_replaced", "\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(AsciiCase, ChangesTheLettersAToZAlone)
{
    EXPECT_EQ(text::lowerAscii("AZ@[az`{\xC3\x89"), "az@[az`{\xC3\x89");
    EXPECT_EQ(text::upperAscii("az`{AZ@[\xC3\xA9"), "AZ`{AZ@[\xC3\xA9");
    EXPECT_TRUE(text::equalsIgnoringAsciiCase("Field", "fIELD"));
    EXPECT_FALSE(text::equalsIgnoringAsciiCase("\xC3\xA9", "\xC3\x89"));  // é, É
    EXPECT_FALSE(text::equalsIgnoringAsciiCase("@", "`"));                // 0x40, 0x60: not letters
    EXPECT_FALSE(text::equalsIgnoringAsciiCase("table", "tables"));
}

}  // namespace
