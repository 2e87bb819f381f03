// UTF-8 as the Unicode standard defines well-formed sequences (no overlong forms, no encoded
// surrogates, nothing past U+10FFFF): checking, decoding and encoding, for every layer that
// must hand on well-formed text. The checks used once per byte are inline.
//
//   for (std::size_t i = 0; i < bytes.size();) {
//       const text::Utf8Char c = text::decodeUtf8(bytes, i);   // c.valid, c.codePoint
//       i += c.length;                                         // never 0
//   }
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace text {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// What a byte that starts a sequence of two to four bytes allows: the sequence's length (0
// when the byte starts none) and the range of its second byte (narrower after E0, ED, F0 and
// F4, which is what rules out overlong forms, surrogates and values past U+10FFFF).
struct LeadByte
{
    std::size_t length;
    unsigned char low;
    unsigned char high;
};

constexpr LeadByte leadByte(unsigned char lead)
{
    LeadByte allowed{0, 0x80, 0xBF};
    if (lead >= 0xC2 && lead <= 0xDF) {
        allowed.length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        allowed.length = 3;
        if (lead == 0xE0)
            allowed.low = 0xA0;  // below: overlong
        if (lead == 0xED)
            allowed.high = 0x9F;  // above: surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        allowed.length = 4;
        if (lead == 0xF0)
            allowed.low = 0x90;  // below: overlong
        if (lead == 0xF4)
            allowed.high = 0x8F;  // above: past U+10FFFF
    }
    return allowed;
}

// Length (2 to 4) of the well-formed sequence that starts at text[i], a byte of 0x80 or more;
// 0 when the bytes there are ill-formed or cut short by the end of text.
inline std::size_t sequenceLength(std::string_view text, std::size_t i)
{
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const LeadByte lead = leadByte(at(0));
    if (lead.length == 0 || i + lead.length > text.size() || at(1) < lead.low || at(1) > lead.high)
        return 0;
    for (std::size_t k = 2; k < lead.length; ++k) {
        if (at(k) < 0x80 || at(k) > 0xBF)
            return 0;
    }
    return lead.length;
}

struct Utf8Char
{
    char32_t codePoint;  // kReplacementCharacter when !valid
    std::size_t length;  // bytes taken: the whole character, or the ill-formed bytes (1 to 3)
    bool valid;
};

// Decodes the character starting at text[pos] (pos < text.size()). An ill-formed sequence is
// taken as one maximal ill-formed part, so each becomes one U+FFFD, as the Unicode standard
// recommends.
Utf8Char decodeUtf8(std::string_view text, std::size_t pos);

// Calls f(code point) for each character of text; each maximal ill-formed part gives U+FFFD.
template <typename F>
void forEachCodePoint(std::string_view text, F f)
{
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Char c = decodeUtf8(text, i);
        f(c.codePoint);
        i += c.length;
    }
}

// Writes the UTF-8 form of codePoint (at most 4 bytes) to out; returns its length.
inline int encodeUtf8(char32_t codePoint, char* out)
{
    const auto put = [&](int k, char32_t bits) { out[k] = static_cast<char>(bits); };
    if (codePoint < 0x80) {
        put(0, codePoint);
        return 1;
    }
    if (codePoint < 0x800) {
        put(0, 0xC0 | (codePoint >> 6));
        put(1, 0x80 | (codePoint & 0x3F));
        return 2;
    }
    if (codePoint < 0x10000) {
        put(0, 0xE0 | (codePoint >> 12));
        put(1, 0x80 | ((codePoint >> 6) & 0x3F));
        put(2, 0x80 | (codePoint & 0x3F));
        return 3;
    }
    put(0, 0xF0 | (codePoint >> 18));
    put(1, 0x80 | ((codePoint >> 12) & 0x3F));
    put(2, 0x80 | ((codePoint >> 6) & 0x3F));
    put(3, 0x80 | (codePoint & 0x3F));
    return 4;
}

void appendUtf8(std::string& out, char32_t codePoint);

// Replaces out with the UTF-8 form of UTF-16 text (what Qt's decoders give); a lone surrogate
// becomes U+FFFD.
inline void fromUtf16(std::u16string_view text, std::string& out)
{
    out.resize(text.size() * 3);
    char* to = out.data();
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t unicode = text[i];
        if (unicode >= 0xD800 && unicode <= 0xDBFF && i + 1 < text.size() &&
            text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            unicode = 0x10000 + ((unicode - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (unicode >= 0xD800 && unicode <= 0xDFFF) {
            unicode = kReplacementCharacter;
        }
        to += encodeUtf8(unicode, to);
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
}

// U+FFFE and U+FFFF are not XML characters: a file holding them does not load.
constexpr bool isXmlNonCharacter(char32_t c)
{
    return c == 0xFFFE || c == 0xFFFF;
}

}  // namespace text
