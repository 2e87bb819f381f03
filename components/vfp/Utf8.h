// Small UTF-8 helpers: encoding one code point, converting UTF-16 (from Qt's decoders) into a
// reused std::string, and walking the code points of UTF-8 text.
#pragma once

#include <string>
#include <string_view>

namespace vfp::utf8 {

constexpr char32_t kReplacement = 0xFFFD;

// Writes the UTF-8 form of unicode (at most 4 bytes) to out; returns its length.
inline int encode(char32_t unicode, char* out)
{
    if (unicode < 0x80) {
        out[0] = static_cast<char>(unicode);
        return 1;
    }
    if (unicode < 0x800) {
        out[0] = static_cast<char>(0xC0 | (unicode >> 6));
        out[1] = static_cast<char>(0x80 | (unicode & 0x3F));
        return 2;
    }
    if (unicode < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (unicode >> 12));
        out[1] = static_cast<char>(0x80 | ((unicode >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (unicode & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (unicode >> 18));
    out[1] = static_cast<char>(0x80 | ((unicode >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((unicode >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (unicode & 0x3F));
    return 4;
}

// Replaces out with the UTF-8 form of text; a lone surrogate becomes U+FFFD.
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
            unicode = kReplacement;
        }
        to += encode(unicode, to);
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
}

// Calls f(code point) for each character of UTF-8 text; a malformed byte gives U+FFFD.
template <typename F>
void forEachCodePoint(std::string_view text, F f)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = lead < 0x80           ? 0
                    : (lead >> 5) == 0x6  ? 1
                    : (lead >> 4) == 0xE  ? 2
                    : (lead >> 3) == 0x1E ? 3
                                          : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size()) {
            f(kReplacement);
            ++i;
            continue;
        }
        char32_t unicode = extra == 0 ? lead : lead & (0x3F >> extra);
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            unicode = (unicode << 6) | (next & 0x3F);
        }
        if (!valid) {
            f(kReplacement);
            ++i;
            continue;
        }
        f(unicode);
        i += static_cast<std::size_t>(extra) + 1;
    }
}

}  // namespace vfp::utf8
