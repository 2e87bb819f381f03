// Strict UTF-8 decoding (the well-formed byte sequences of the Unicode standard, table 3-7).
#include "components/text/Utf8.h"

namespace text {

Utf8Char decodeUtf8(std::string_view text, std::size_t pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80)
        return {lead, 1, true};

    std::size_t length = 0;
    unsigned char low = 0x80;  // allowed range of the second byte
    unsigned char high = 0xBF;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        if (lead == 0xE0)
            low = 0xA0;  // below: overlong
        else if (lead == 0xED)
            high = 0x9F;  // above: surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        if (lead == 0xF0)
            low = 0x90;  // below: overlong
        else if (lead == 0xF4)
            high = 0x8F;  // above: past U+10FFFF
    } else {
        return {kReplacementCharacter, 1, false};
    }

    for (std::size_t k = 1; k < length; ++k) {
        const std::size_t i = pos + k;
        const unsigned char lo = k == 1 ? low : 0x80;
        const unsigned char hi = k == 1 ? high : 0xBF;
        if (i >= text.size() || byte(i) < lo || byte(i) > hi)
            return {kReplacementCharacter, k, false};
        value = (value << 6) | (byte(i) & 0x3Fu);
    }
    return {value, length, true};
}

void appendUtf8(std::string& out, char32_t c)
{
    const auto put = [&](char32_t bits) { out += static_cast<char>(bits); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6));
        put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18));
        put(0x80 | ((c >> 12) & 0x3F));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    }
}

}  // namespace text
