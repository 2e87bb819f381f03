// Control characters found and written as escapes.
#include "programs/quorvane-export/TerminalText.h"

namespace cli {

std::size_t controlLength(std::string_view text, std::size_t i)
{
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x20 || byte == 0x7F)
        return 1;
    // U+0080 to U+009F: 0xC2 then 0x80 to 0x9F.
    if (byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) <= 0x9F &&
        static_cast<unsigned char>(text[i + 1]) >= 0x80)
        return 2;
    return 0;
}

void appendHexEscapes(std::string& out, std::string_view text, std::size_t i, std::size_t length)
{
    static constexpr char kHex[] = "0123456789abcdef";
    for (std::size_t k = i; k < i + length; ++k) {
        const auto byte = static_cast<unsigned char>(text[k]);
        out += "\\x";
        out += kHex[byte >> 4];
        out += kHex[byte & 0x0F];
    }
}

std::string withoutControls(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = controlLength(text, i);
        if (length == 0) {
            out += text[i++];
            continue;
        }
        appendHexEscapes(out, text, i, length);
        i += length;
    }
    return out;
}

}  // namespace cli
