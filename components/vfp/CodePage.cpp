// Code-page marks and text conversion. Single-byte pages decode through a 256-entry table of
// UTF-8 sequences, built once per page from Qt's ICU-backed decoder (constructed by name:
// QStringConverter::encodingForName does not know "windows-1252"); multi-byte pages decode
// field by field through a stateless QStringDecoder.
#include "components/vfp/CodePage.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <mutex>
#include <unordered_map>
#include <vector>

#include <QStringDecoder>
#include <QStringEncoder>

#include "components/text/Utf8.h"
#include "components/vfp/VfpError.h"

namespace vfp {
namespace {

struct MarkEntry
{
    std::uint8_t mark;
    int codePage;
};

// FoxPro's marks first; after them dBase language-driver ids met in files of other writers.
constexpr MarkEntry kMarks[] = {
    {0x01, 437},   {0x69, 620},   {0x6A, 737},  {0x02, 850},  {0x64, 852},   {0x6B, 857},
    {0x67, 861},   {0x66, 865},   {0x65, 866},  {0x7C, 874},  {0x68, 895},   {0x7B, 932},
    {0x7A, 936},   {0x79, 949},   {0x78, 950},  {0xC8, 1250}, {0xC9, 1251},  {0x03, 1252},
    {0xCB, 1253},  {0xCA, 1254},  {0x7D, 1255}, {0x7E, 1256}, {0x04, 10000}, {0x98, 10006},
    {0x96, 10007}, {0x97, 10029}, {0x08, 865},  {0x09, 437},  {0x0A, 850},   {0x0B, 437},
    {0x0D, 437},   {0x0E, 850},   {0x0F, 437},  {0x10, 850},  {0x11, 437},   {0x12, 850},
    {0x13, 932},   {0x14, 850},   {0x15, 437},  {0x16, 850},  {0x17, 865},   {0x18, 437},
    {0x19, 437},   {0x1A, 850},   {0x1B, 437},  {0x1C, 863},  {0x1D, 850},   {0x1F, 852},
    {0x22, 852},   {0x23, 852},   {0x24, 860},  {0x25, 850},  {0x26, 866},   {0x37, 850},
    {0x40, 852},   {0x4D, 936},   {0x4E, 949},  {0x4F, 950},  {0x50, 874},   {0x57, 1252},
    {0x58, 1252},  {0x59, 1252},  {0x6C, 863},  {0x86, 737},  {0x87, 852},   {0x88, 857},
    {0xCC, 1257},
};

struct PageName
{
    int codePage;
    const char* name;  // ICU name; nullptr for pages built from 437 with own changes
};

constexpr PageName kPageNames[] = {
    {437, "IBM437"},
    {620, nullptr},
    {737, "IBM737"},
    {850, "IBM850"},
    {852, "IBM852"},
    {857, "IBM857"},
    {860, "IBM860"},
    {861, "IBM861"},
    {863, "IBM863"},
    {865, "IBM865"},
    {866, "IBM866"},
    {874, "windows-874"},
    {895, nullptr},
    {932, "windows-932"},
    {936, "windows-936"},
    {949, "windows-949"},
    {950, "windows-950"},
    {1250, "windows-1250"},
    {1251, "windows-1251"},
    {1252, "windows-1252"},
    {1253, "windows-1253"},
    {1254, "windows-1254"},
    {1255, "windows-1255"},
    {1256, "windows-1256"},
    {1257, "windows-1257"},
    {10000, "macintosh"},
    {10006, "x-mac-greek"},
    {10007, "x-mac-cyrillic"},
    {10029, "x-mac-centraleurroman"},
};

bool isMultiByte(int codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

const char* icuName(int codePage)
{
    for (const PageName& page : kPageNames)
        if (page.codePage == codePage)
            return page.name;
    return nullptr;
}

// Mazovia (620) and Kamenicky (895) are code page 437 with letters put in place of some of
// its characters; no common library carries them.
struct Override
{
    unsigned char byte;
    char16_t unicode;
};

constexpr Override kMazovia[] = {
    {0x86, u'ą'}, {0x8D, u'ć'}, {0x8F, u'Ą'}, {0x90, u'Ę'}, {0x91, u'ę'}, {0x92, u'ł'},
    {0x95, u'Ć'}, {0x98, u'Ś'}, {0x9C, u'Ł'}, {0x9E, u'ś'}, {0xA0, u'Ź'}, {0xA1, u'Ż'},
    {0xA2, u'ó'}, {0xA3, u'Ó'}, {0xA4, u'ń'}, {0xA5, u'Ń'}, {0xA6, u'ź'}, {0xA7, u'ż'},
};

constexpr Override kKamenicky[] = {
    {0x80, u'Č'}, {0x81, u'ü'}, {0x82, u'é'}, {0x83, u'ď'}, {0x84, u'ä'}, {0x85, u'Ď'},
    {0x86, u'Ť'}, {0x87, u'č'}, {0x88, u'ě'}, {0x89, u'Ě'}, {0x8A, u'Ĺ'}, {0x8B, u'Í'},
    {0x8C, u'ľ'}, {0x8D, u'ĺ'}, {0x8E, u'Ä'}, {0x8F, u'Á'}, {0x90, u'É'}, {0x91, u'ž'},
    {0x92, u'Ž'}, {0x93, u'ô'}, {0x94, u'ö'}, {0x95, u'Ó'}, {0x96, u'ů'}, {0x97, u'Ú'},
    {0x98, u'ý'}, {0x99, u'Ö'}, {0x9A, u'Ü'}, {0x9B, u'Š'}, {0x9C, u'Ľ'}, {0x9D, u'Ý'},
    {0x9E, u'Ř'}, {0x9F, u'ť'}, {0xA0, u'á'}, {0xA1, u'í'}, {0xA2, u'ó'}, {0xA3, u'ú'},
    {0xA4, u'ň'}, {0xA5, u'Ň'}, {0xA6, u'Ů'}, {0xA7, u'Ô'}, {0xA8, u'š'}, {0xA9, u'ř'},
    {0xAA, u'ŕ'}, {0xAB, u'Ŕ'}, {0xAC, u'¼'}, {0xAD, u'§'},
};

// One UTF-8 sequence per byte value.
struct ByteTable
{
    std::array<std::array<char, 4>, 256> utf8{};
    std::array<std::uint8_t, 256> length{};
    bool asciiIsIdentity = true;                          // bytes below 0x80 stand for themselves
    std::unordered_map<char32_t, unsigned char> reverse;  // for encoding
};

std::unique_ptr<ByteTable> buildTable(int codePage)
{
    const char* name = icuName(codePage);
    QStringDecoder decoder(name ? name : "IBM437", QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        throw VfpError("Code page " + std::to_string(codePage) +
                       " is not available on this system.");

    std::array<char32_t, 256> unicode{};
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        const QString text = decoder.decode(QByteArrayView(&c, 1));
        // A byte the page leaves undefined stands for the code point of the same number, as
        // Windows decodes Windows-1252's holes (0x81 is U+0081): nothing is dropped.
        unicode[byte] = (text.size() == 1 && text[0] != QChar::ReplacementCharacter)
                            ? text[0].unicode()
                            : static_cast<char32_t>(byte);
    }
    if (codePage == 620)
        for (const Override& o : kMazovia)
            unicode[o.byte] = o.unicode;
    if (codePage == 895)
        for (const Override& o : kKamenicky)
            unicode[o.byte] = o.unicode;

    auto table = std::make_unique<ByteTable>();
    for (int byte = 0; byte < 256; ++byte) {
        table->length[byte] =
            static_cast<std::uint8_t>(text::encodeUtf8(unicode[byte], table->utf8[byte].data()));
        if (byte < 0x80 && unicode[byte] != static_cast<char32_t>(byte))
            table->asciiIsIdentity = false;
        table->reverse.emplace(unicode[byte], static_cast<unsigned char>(byte));
    }
    return table;
}

// Tables live for the whole run: one per code page, built on first use.
const ByteTable& tableFor(int codePage)
{
    static std::mutex mutex;
    static std::map<int, std::unique_ptr<ByteTable>> tables;
    const std::lock_guard lock(mutex);
    auto& slot = tables[codePage];
    if (!slot)
        slot = buildTable(codePage);
    return *slot;
}

// True when the last byte of bytes is the first half of a two-byte character.
bool endsInLeadByte(std::string_view bytes, int codePage)
{
    const auto isLead = [codePage](unsigned char byte) {
        if (codePage == 932)
            return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        return byte >= 0x81 && byte <= 0xFE;
    };
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (isLead(static_cast<unsigned char>(bytes[i]))) {
            if (i + 1 == bytes.size())
                return true;
            ++i;
        }
    }
    return false;
}

bool isAscii(std::string_view bytes)
{
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

}  // namespace

int codePageForMark(std::uint8_t mark)
{
    for (const MarkEntry& entry : kMarks)
        if (entry.mark == mark)
            return entry.codePage;
    return 0;
}

std::uint8_t markForCodePage(int codePage)
{
    for (const MarkEntry& entry : kMarks)
        if (entry.codePage == codePage)
            return entry.mark;  // FoxPro's marks come first in the list
    return 0;
}

bool isSupportedCodePage(int codePage)
{
    for (const PageName& page : kPageNames)
        if (page.codePage == codePage)
            return true;
    return false;
}

std::vector<int> supportedCodePages()
{
    std::vector<int> pages;
    for (const PageName& page : kPageNames)
        pages.push_back(page.codePage);
    return pages;  // kPageNames is in ascending order
}

struct TextDecoder::Impl
{
    int codePage = 0;
    const ByteTable* table = nullptr;  // single-byte pages
    QStringDecoder decoder;            // multi-byte pages
    std::vector<char16_t> utf16;
};

TextDecoder::TextDecoder(int codePage) : d(std::make_unique<Impl>())
{
    if (!isSupportedCodePage(codePage))
        throw VfpError("Code page " + std::to_string(codePage) + " is not supported.");
    d->codePage = codePage;
    if (isMultiByte(codePage)) {
        d->decoder = QStringDecoder(icuName(codePage), QStringConverter::Flag::Stateless);
        if (!d->decoder.isValid())
            throw VfpError("Code page " + std::to_string(codePage) +
                           " is not available on this system.");
    } else {
        d->table = &tableFor(codePage);
    }
}

TextDecoder::~TextDecoder() = default;
TextDecoder::TextDecoder(TextDecoder&&) noexcept = default;
TextDecoder& TextDecoder::operator=(TextDecoder&&) noexcept = default;

int TextDecoder::codePage() const
{
    return d->codePage;
}

void TextDecoder::decode(std::string_view bytes, std::string& out)
{
    if (d->table) {
        const ByteTable& table = *d->table;
        if (table.asciiIsIdentity && isAscii(bytes)) {
            out.assign(bytes);
            return;
        }
        // No single-byte page needs more than 3 UTF-8 bytes; one more for the 4-byte copies.
        out.resize(bytes.size() * 3 + 1);
        char* to = out.data();
        // ASCII runs (the blanks that pad a field, say) are copied eight bytes at a time, from
        // the start and after each other byte.
        auto copyAscii = [&](std::size_t i) {
            if (!table.asciiIsIdentity)
                return i;
            for (std::uint64_t word; i + 8 <= bytes.size(); i += 8, to += 8) {
                std::memcpy(&word, bytes.data() + i, 8);
                if ((word & 0x8080808080808080ULL) != 0)
                    break;
                std::memcpy(to, &word, 8);
            }
            return i;
        };
        for (std::size_t i = copyAscii(0); i < bytes.size();) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            if (byte < 0x80 && table.asciiIsIdentity) {
                *to++ = bytes[i++];
                continue;
            }
            std::memcpy(to, table.utf8[byte].data(), 4);  // whole entry: one move, not a loop
            to += table.length[byte];
            i = copyAscii(i + 1);
        }
        out.resize(static_cast<std::size_t>(to - out.data()));
        return;
    }
    if (isAscii(bytes)) {
        out.assign(bytes);
        return;
    }
    // the stateless decoder silently drops a lead byte that ends the field: decode without it
    // and stand U+FFFD in its place, so no byte disappears unseen
    const bool dangling = endsInLeadByte(bytes, d->codePage);
    if (dangling)
        bytes.remove_suffix(1);
    const auto needed =
        static_cast<std::size_t>(d->decoder.requiredSpace(static_cast<qsizetype>(bytes.size())));
    if (d->utf16.size() < needed)
        d->utf16.resize(needed);
    auto* begin = reinterpret_cast<QChar*>(d->utf16.data());
    const QChar* end = d->decoder.appendToBuffer(
        begin, QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    // ICU's double-byte pages give U+001A for an invalid sequence; when the field holds no
    // 0x1A byte of its own, every U+001A is such a substitute and becomes U+FFFD
    if (bytes.find('\x1a') == std::string_view::npos)
        std::replace(d->utf16.data(), d->utf16.data() + (end - begin), u'\x1a',
                     static_cast<char16_t>(text::kReplacementCharacter));
    text::fromUtf16(std::u16string_view(d->utf16.data(), static_cast<std::size_t>(end - begin)),
                    out);
    if (dangling)
        text::appendUtf8(out, text::kReplacementCharacter);
}

std::string encodeText(std::string_view text, int codePage)
{
    if (!isSupportedCodePage(codePage))
        throw VfpError("Code page " + std::to_string(codePage) + " is not supported.");
    if (isMultiByte(codePage)) {
        // character by character: what does not come back unchanged is not in the page
        QStringEncoder encoder(icuName(codePage), QStringConverter::Flag::Stateless);
        QStringDecoder decoder(icuName(codePage), QStringConverter::Flag::Stateless);
        std::string out;
        text::forEachCodePoint(text, [&](char32_t unicode) {
            const QString character = QString::fromUcs4(&unicode, 1);
            const QByteArray bytes = encoder.encode(character);
            out += decoder.decode(bytes) == character ? bytes.toStdString() : std::string("?");
        });
        return out;
    }
    const ByteTable& table = tableFor(codePage);
    std::string out;
    text::forEachCodePoint(text, [&](char32_t unicode) {
        const auto found = table.reverse.find(unicode);
        out.push_back(found != table.reverse.end() ? static_cast<char>(found->second) : '?');
    });
    return out;
}

}  // namespace vfp
