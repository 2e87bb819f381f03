// Cell-text preparation. Text that needs no change (nearly every cell) is only checked;
// everything else is walked character by character.
#include "components/spreadsheet/CellText.h"

#include <cstdint>
#include <cstring>

#include "components/spreadsheet/Worksheet.h"
#include "components/text/Utf8.h"

namespace spreadsheet {

namespace {

// The writer refuses a text of more code points than this, counted before it escapes control
// characters (NUL included) but after our own escapes of literal "_xHHHH_".
constexpr int kMaxWriterCodePoints = 32'767;
constexpr std::string_view kEscapedUnderscore = "_x005F_";

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Characters that reach the file as an "_xHHHH_" escape by the writer's hand: every control
// character but tab, line feed and carriage return (which XML carries).
bool writtenEscaped(char c)
{
    return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

// "_xHHHH_" at pos: the form readers decode as one escaped character. "_xHHHH" before a
// character written escaped counts too: that escape's "_" would close it.
bool startsEscape(std::string_view text, std::size_t pos)
{
    return pos + 7 <= text.size() && text[pos] == '_' && text[pos + 1] == 'x' &&
           isHexDigit(text[pos + 2]) && isHexDigit(text[pos + 3]) && isHexDigit(text[pos + 4]) &&
           isHexDigit(text[pos + 5]) && (text[pos + 6] == '_' || writtenEscaped(text[pos + 6]));
}

// Where the first word of eight bytes from `from` on that is not all printable ASCII without
// "_" begins, or where fewer than eight bytes are left.
std::size_t plainWords(std::string_view text, std::size_t from)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    std::size_t i = from;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        const std::uint64_t control = (word - kOnes * 0x20) & ~word & kHighBits;
        const std::uint64_t underscore = word ^ (kOnes * '_');
        if (((word & kHighBits) | control | ((underscore - kOnes) & ~underscore & kHighBits)) != 0)
            break;
    }
    return i;
}

// East Asian wide and fullwidth characters take two character cells.
bool isWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F) ||
           (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD);
}

}  // namespace

CellText::Prepared CellText::prepare(std::string_view text)
{
    // Text that needs no change: printable ASCII and two-byte characters (Latin, Greek,
    // Cyrillic, Hebrew, Arabic: one UTF-16 unit and one character cell each), no "_x", within
    // the limit. Every other text takes the walk below.
    std::size_t i = plainWords(text, 0);
    int characters = static_cast<int>(i);
    for (; i < text.size(); ++characters) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x80 && !(c == '_' && i + 1 < text.size() && text[i + 1] == 'x')) {
            ++i;
        } else if (c >= 0xC2 && c <= 0xDF && i + 1 < text.size() &&
                   (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) {
            // Past such a character, plain ASCII (the blanks that pad a fixed-width field, say)
            // goes eight bytes at a time again.
            const std::size_t next = plainWords(text, i + 2);
            characters += static_cast<int>(next - i - 2);
            i = next;
        } else {
            return prepareSlowly(text);
        }
    }
    if (characters > kMaxCellTextLength)
        return prepareSlowly(text);
    return {text, characters, false};
}

CellText::Prepared CellText::prepareSlowly(std::string_view text)
{
    mBuffer.clear();
    int utf16Units = 0;
    int writerCodePoints = 0;
    int width = 0;
    bool cut = false;
    for (std::size_t i = 0; i < text.size();) {
        const text::Utf8Char c = text::decodeUtf8(text, i);
        const char32_t shown =
            text::isXmlNonCharacter(c.codePoint) ? text::kReplacementCharacter : c.codePoint;
        const bool escaped = shown == '_' && startsEscape(text, i);
        const int units = shown >= 0x10000 ? 2 : 1;
        const int codePoints = escaped ? 7 : 1;
        if (utf16Units + units > kMaxCellTextLength ||
            writerCodePoints + codePoints > kMaxWriterCodePoints) {
            cut = true;
            break;
        }
        if (escaped)
            mBuffer += kEscapedUnderscore;
        else
            text::appendUtf8(mBuffer, shown);
        utf16Units += units;
        writerCodePoints += codePoints;
        width += isWide(shown) ? 2 : 1;
        i += c.length;
    }
    return {mBuffer, width, cut};
}

}  // namespace spreadsheet
