// Strict UTF-8 decoding one character at a time, for texts that must reach the file well formed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace text {

constexpr char32_t kReplacementCharacter = 0xFFFD;

struct Utf8Char
{
    char32_t codePoint;  // kReplacementCharacter when !valid
    std::size_t length;  // bytes taken: the whole character, or the ill-formed bytes (1 to 3)
    bool valid;
};

// Decodes the character starting at text[pos] (pos < text.size()) as the Unicode standard's
// well-formed byte sequences allow: no overlong forms, no surrogates, nothing above U+10FFFF.
// An ill-formed sequence is taken as one maximal ill-formed part, so each becomes one U+FFFD.
Utf8Char decodeUtf8(std::string_view text, std::size_t pos);

void appendUtf8(std::string& out, char32_t codePoint);

// U+FFFE and U+FFFF are not XML characters: a file holding them does not load.
constexpr bool isXmlNonCharacter(char32_t c)
{
    return c == 0xFFFE || c == 0xFFFF;
}

}  // namespace text
