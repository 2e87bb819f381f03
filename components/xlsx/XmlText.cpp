// The byte rules of XmlText.h. UTF-8 is checked by the text library's rules (well-formed
// sequences only).
#include "components/xlsx/XmlText.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "components/text/Utf8.h"

namespace xlsx {

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// A high bit in the result for some byte of word that is zero (the classic test: exact in
// telling whether any byte is, which is all we ask).
constexpr std::uint64_t zeroByte(std::uint64_t word)
{
    return (word - kOnes) & ~word & kHighBits;
}

bool isPlainByte(unsigned char c)
{
    return c >= 0x20 && c < 0x80 && c != '&' && c != '<' && c != '>';
}

// Bytes copied as they are: plain ones, tab and line feed.
const std::array<bool, 256>& copiedBytes()
{
    static const auto table = [] {
        std::array<bool, 256> made{};
        for (int c = 0; c < 256; ++c)
            made[std::size_t(c)] =
                isPlainByte(static_cast<unsigned char>(c)) || c == '\t' || c == '\n';
        return made;
    }();
    return table;
}

// Length of the well-formed sequence at text[i] (a byte >= 0x80), 0 when ill-formed or one
// of U+FFFE and U+FFFF (EF BF BE, EF BF BF), which no XML reader accepts.
std::size_t sequenceLength(std::string_view text, std::size_t i)
{
    const std::size_t length = text::sequenceLength(text, i);
    if (length == 3 && static_cast<unsigned char>(text[i]) == 0xEF &&
        static_cast<unsigned char>(text[i + 1]) == 0xBF &&
        static_cast<unsigned char>(text[i + 2]) >= 0xBE)
        return 0;
    return length;
}

char hexDigit(unsigned value)
{
    return "0123456789ABCDEF"[value & 0xF];
}

// Where the first word of eight bytes from `from` on that is not all plain ASCII begins, or
// where fewer than eight bytes are left.
std::size_t plainWords(std::string_view text, std::size_t from)
{
    std::size_t i = from;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        const std::uint64_t control = (word - kOnes * 0x20) & ~word & kHighBits;
        const std::uint64_t special = zeroByte(word ^ (kOnes * '&')) |
                                      zeroByte(word ^ (kOnes * '<')) |
                                      zeroByte(word ^ (kOnes * '>'));
        if (((word & kHighBits) | control | special) != 0)
            break;
    }
    return i;
}

}  // namespace

std::size_t plainLength(std::string_view text)
{
    std::size_t i = plainWords(text, 0);
    while (i < text.size() && isPlainByte(static_cast<unsigned char>(text[i])))
        ++i;
    return i;
}

bool appendEscapedText(std::string_view text, std::size_t plain, ByteBuffer& out,
                       std::size_t& codePoints)
{
    constexpr std::size_t kWidestEscape = 7;  // "_x001F_" for one byte ("&#13;" is shorter)
    char* p = out.reserve(text.size() * kWidestEscape);
    std::size_t continuationBytes = 0;
    std::size_t run = 0;  // start of the bytes copied unchanged
    auto copyRun = [&](std::size_t end) {
        std::memcpy(p, text.data() + run, end - run);
        p += end - run;
    };
    const std::array<bool, 256>& copied = copiedBytes();
    for (std::size_t i = plain; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (copied[c]) {
            ++i;
            continue;
        }
        if (c >= 0x80) {
            const std::size_t length = sequenceLength(text, i);
            if (length == 0)
                return false;
            continuationBytes += length - 1;
            // Past a character of other scripts, plain ASCII (the blanks that pad a fixed-width
            // field, say) goes eight bytes at a time again.
            i = plainWords(text, i + length);
            continue;
        }
        copyRun(i);
        if (c == '&') {
            p = put(p, "&amp;");
        } else if (c == '<') {
            p = put(p, "&lt;");
        } else if (c == '>') {
            p = put(p, "&gt;");
        } else if (c == '\r') {
            p = put(p, "&#13;");
        } else {
            p = put(p, "_x00");
            *p++ = hexDigit(c >> 4);
            *p++ = hexDigit(c);
            *p++ = '_';
        }
        run = ++i;
    }
    copyRun(text.size());
    out.commit(p);
    codePoints = text.size() - continuationBytes;
    return true;
}

std::string escapedData(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

std::string escapedAttribute(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '"')
            out += "&quot;";
        else
            out += escapedData(std::string_view(&c, 1));
    }
    return out;
}

long nameLength(std::string_view text)
{
    long characters = 0;
    for (std::size_t i = 0; i < text.size(); ++characters) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F)
            return -1;
        const std::size_t length = c >= 0x80 ? sequenceLength(text, i) : 1;
        if (length == 0)
            return -1;
        i += length;
    }
    return characters;
}

}  // namespace xlsx
