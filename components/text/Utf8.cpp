// Strict UTF-8 decoding (the well-formed byte sequences of the Unicode standard, table 3-7).
#include "components/text/Utf8.h"

namespace text {

Utf8Char decodeUtf8(std::string_view text, std::size_t pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(pos);
    if (first < 0x80)
        return {first, 1, true};
    const LeadByte lead = leadByte(first);
    if (lead.length == 0)
        return {kReplacementCharacter, 1, false};

    char32_t value = first & (0x7Fu >> lead.length);
    for (std::size_t k = 1; k < lead.length; ++k) {
        const std::size_t i = pos + k;
        const unsigned char low = k == 1 ? lead.low : 0x80;
        const unsigned char high = k == 1 ? lead.high : 0xBF;
        if (i >= text.size() || byte(i) < low || byte(i) > high)
            return {kReplacementCharacter, k, false};
        value = (value << 6) | (byte(i) & 0x3Fu);
    }
    return {value, lead.length, true};
}

void appendUtf8(std::string& out, char32_t codePoint)
{
    char bytes[4];
    out.append(bytes, static_cast<std::size_t>(encodeUtf8(codePoint, bytes)));
}

}  // namespace text
