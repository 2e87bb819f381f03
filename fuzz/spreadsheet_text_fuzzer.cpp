// Feeds bytes to the cell-text preparation and the sheet-name check, and compares both with
// a model written here from their contracts (its own UTF-8 decoder, not the component's).
// Byte 0 (modulo 16) chooses the cell text: 6, the rest after ~32,700 "a" (so the rest meets
// the length cut); 7, the rest repeated past 33,000 bytes (escapes add up to the writer's
// limit); else the rest as is.
// Cell text, as a spreadsheet program reads it back (each "_xHHHH_" decoded), must be the
// input with every ill-formed sequence and U+FFFE / U+FFFF as U+FFFD, cut only where the next
// character would pass 32,767 UTF-16 units or the writer's 32,767 code points; the prepared
// bytes are valid UTF-8 without U+FFFE or U+FFFF (control characters, NUL included, are left
// to the writer's escapes); clean, short text passes unchanged.
// A sheet name is refused (SpreadsheetError) exactly when it breaks one of its rules.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "components/spreadsheet/CellText.h"
#include "components/spreadsheet/SheetName.h"
#include "components/spreadsheet/SpreadsheetError.h"

namespace {

constexpr std::size_t kMaxUnits = 32'767;
constexpr std::size_t kMaxWriterCodePoints = 32'767;
constexpr char32_t kReplacement = 0xFFFD;

[[noreturn]] void finding(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// One decoded character: its code point (U+FFFD for an ill-formed part) and its bytes.
struct Decoded
{
    char32_t codePoint;
    std::size_t length;
    bool valid;
};

// Decodes with U+FFFD for each maximal ill-formed part: the longest start of a well-formed
// sequence, or the one byte that cannot start any.
// Decodes into out, whose storage the long texts reuse from one input to the next.
void decode(std::string_view text, std::vector<Decoded>& out)
{
    out.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
        const unsigned lead = b(i);
        std::size_t need = 0;  // continuation bytes
        unsigned low = 0x80;   // allowed second byte
        unsigned high = 0xBF;
        if (lead < 0x80) {
            out.push_back({lead, 1, true});
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF)
            need = 1;
        else if (lead >= 0xE0 && lead <= 0xEF)
            need = 2;
        else if (lead >= 0xF0 && lead <= 0xF4)
            need = 3;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
        std::size_t taken = 1;
        char32_t value = lead & (need == 1 ? 0x1Fu : need == 2 ? 0x0Fu : 0x07u);
        while (need > 0 && taken <= need && i + taken < text.size()) {
            const unsigned next = b(i + taken);
            if (next < (taken == 1 ? low : 0x80u) || next > (taken == 1 ? high : 0xBFu))
                break;
            value = (value << 6) | (next & 0x3Fu);
            ++taken;
        }
        if (need == 0 || taken != need + 1)
            out.push_back({kReplacement, taken, false});
        else
            out.push_back({value, taken, true});
        i += taken;
    }
}

bool isHex(char32_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The characters a reader gets from the file for a text handed to the writer: it writes every
// control character but tab, line feed and carriage return as "_x00HH_".
void writtenForm(const std::vector<Decoded>& text, std::vector<Decoded>& out)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    out.clear();
    for (const Decoded& c : text) {
        if (c.codePoint >= 0x20 || c.codePoint == '\t' || c.codePoint == '\n' ||
            c.codePoint == '\r') {
            out.push_back(c);
            continue;
        }
        for (const char e :
             {'_', 'x', '0', '0', kHex[c.codePoint >> 4], kHex[c.codePoint & 0xF], '_'})
            out.push_back({static_cast<char32_t>(e), 1, true});
    }
}

// What a spreadsheet program shows for a text handed to the writer: each "_xHHHH_" of the
// written form is the character HHHH.
void readBack(const std::vector<Decoded>& text, std::u32string& out)
{
    static std::vector<Decoded> stored;
    writtenForm(text, stored);
    out.clear();
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i].codePoint == '_' && i + 6 < stored.size() && stored[i + 1].codePoint == 'x' &&
            isHex(stored[i + 2].codePoint) && isHex(stored[i + 3].codePoint) &&
            isHex(stored[i + 4].codePoint) && isHex(stored[i + 5].codePoint) &&
            stored[i + 6].codePoint == '_') {
            std::string hex;
            for (std::size_t k = 2; k < 6; ++k)
                hex += static_cast<char>(stored[i + k].codePoint);
            out += static_cast<char32_t>(std::strtoul(hex.c_str(), nullptr, 16));
            i += 6;
        } else {
            out += stored[i].codePoint;
        }
    }
}

std::size_t units(char32_t c)
{
    return c >= 0x10000 ? 2 : 1;
}

void checkCellText(std::string_view input)
{
    static spreadsheet::CellText cellText;
    const spreadsheet::CellText::Prepared prepared = cellText.prepare(input);
    const std::string_view stored(prepared.text);

    static std::vector<Decoded> storedChars;
    static std::vector<Decoded> inputChars;
    static std::u32string expected;
    static std::u32string shown;
    static std::u32string inputShown;
    decode(stored, storedChars);
    for (const Decoded& c : storedChars) {
        if (!c.valid)
            finding("the prepared text is not valid UTF-8");
        if (c.codePoint == 0xFFFE || c.codePoint == 0xFFFF)
            finding("the prepared text holds U+FFFE or U+FFFF");
    }
    if (storedChars.size() > kMaxWriterCodePoints)
        finding("the prepared text has more code points than the writer takes");

    expected.clear();
    bool clean = true;
    decode(input, inputChars);
    for (const Decoded& c : inputChars) {
        const bool nonCharacter = c.codePoint == 0xFFFE || c.codePoint == 0xFFFF;
        clean &= c.valid && !nonCharacter;
        expected += nonCharacter ? kReplacement : c.codePoint;
    }
    readBack(storedChars, shown);
    if (shown != std::u32string_view(expected).substr(0, shown.size()))
        finding("the text read back is not the start of the input");
    if (prepared.cut != (shown.size() < expected.size()))
        finding("the cut flag does not tell whether text was lost");

    std::size_t shownUnits = 0;
    for (const char32_t c : shown)
        shownUnits += units(c);
    if (shownUnits > kMaxUnits)
        finding("the text read back is longer than a cell holds");
    if (prepared.cut && shownUnits + units(expected[shown.size()]) <= kMaxUnits &&
        storedChars.size() + 7 <= kMaxWriterCodePoints)
        finding("the text was cut before it reached a limit");
    if (prepared.width < static_cast<int>(shown.size()) ||
        prepared.width > 2 * static_cast<int>(shown.size()))
        finding("the display width does not fit the text");

    std::size_t inputUnits = 0;
    for (const char32_t c : expected)
        inputUnits += units(c);
    readBack(inputChars, inputShown);
    const bool literalEscape = inputShown != expected;
    if (clean && !literalEscape && inputUnits <= kMaxUnits &&
        expected.size() <= kMaxWriterCodePoints && (stored != input || prepared.cut))
        finding("clean text within the limits did not pass unchanged");
}

bool breaksSheetNameRule(std::string_view name)
{
    if (name.empty())
        return true;
    std::size_t length = 0;
    static std::vector<Decoded> chars;
    decode(name, chars);
    for (const Decoded& c : chars) {
        if (!c.valid || c.codePoint == 0xFFFE || c.codePoint == 0xFFFF)
            return true;
        if (c.codePoint < 0x20 || (c.codePoint >= 0x7F && c.codePoint <= 0x9F))
            return true;
        if (c.codePoint < 0x80 && std::strchr("[]:*?/\\", static_cast<int>(c.codePoint)) != nullptr)
            return true;
        length += units(c.codePoint);
    }
    return name.front() == '\'' || name.back() == '\'' || length > 31;
}

void checkSheetName(std::string_view name)
{
    bool refused = false;
    try {
        spreadsheet::checkSheetName(name);
    } catch (const spreadsheet::SpreadsheetError& error) {
        refused = true;
        static std::vector<Decoded> chars;
        decode(error.what(), chars);
        for (const Decoded& c : chars) {
            if (!c.valid || c.codePoint < 0x20 || c.codePoint == 0xFFFE || c.codePoint == 0xFFFF)
                finding("the sheet-name message holds bytes a report cannot show");
        }
    }
    if (refused != breaksSheetNameRule(name))
        finding(refused ? "a sheet name within the rules was refused"
                        : "a sheet name breaking the rules was accepted");
    if (!refused)
        spreadsheet::sheetNameKey(name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    checkSheetName(rest);
    // The long texts cost a thousand times more: one input in eight each.
    switch (data[0] % 8) {
        case 6:
            checkCellText(std::string(kMaxUnits - 64 + data[0] / 8, 'a') + std::string(rest));
            break;
        case 7: {
            if (rest.empty())
                return 0;
            std::string repeated;
            while (repeated.size() < 33'000)
                repeated += rest;
            checkCellText(repeated);
            break;
        }
        default:
            checkCellText(rest);
            break;
    }
    return 0;
}
