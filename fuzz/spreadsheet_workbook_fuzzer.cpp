// Writes a workbook of untrusted sheet names, texts, numbers, decimals, logicals, dates and
// counts of decimals shown per column through the spreadsheet component into a file in memory,
// then reads the package back as a spreadsheet program would and checks it: every zip entry
// inflates to its size and CRC-32; every part is well-formed XML without a character XML
// forbids; the sheets carry the names the workbook reports, in tab order; each cell read back
// holds what was written (a text with "_xHHHH_" decoded is the text given, or its start when
// the cell was cut; a number is the same double); the width counted for a number shown with
// decimals is that of the text it shows. Any other outcome aborts.
//
// The input is a list of steps: one byte picks the step, the next ones its operands (a text is
// a length byte and that many bytes).
#include <sys/mman.h>
#include <unistd.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include <zlib.h>

#include <QString>
#include <QXmlStreamReader>

#include "components/spreadsheet/FixedDecimals.h"
#include "components/spreadsheet/SpreadsheetError.h"
#include "components/spreadsheet/XlsxWorkbook.h"

namespace {

[[noreturn]] void finding(const std::string& what)
{
    std::fprintf(stderr, "%s\n", what.c_str());
    std::abort();
}

// The width columns count for `value` shown with each count of decimals is the length of the
// text it shows.
void checkShownWidths(double value)
{
    if (!std::isfinite(value))
        return;
    for (int decimals = 1; decimals <= spreadsheet::kMaxShownDecimals; ++decimals) {
        std::array<char, 400> text{};  // a sign, 309 digits, the point, 30 decimals
        const auto end = std::to_chars(text.data(), text.data() + text.size(), value,
                                       std::chars_format::fixed, decimals)
                             .ptr;
        const int counted = spreadsheet::fixedDecimalsWidth(value, decimals);
        if (counted != end - text.data())
            finding("width of " + std::string(text.data(), end) + " counted as " +
                    std::to_string(counted));
    }
}

// The steps' operands, taken from the input as long as it lasts (zeros after).
class Input
{
public:
    Input(const std::uint8_t* data, std::size_t size) : mData(data), mSize(size) {}
    bool done() const { return mAt >= mSize; }
    std::uint8_t byte() { return mAt < mSize ? mData[mAt++] : 0; }
    std::string text()
    {
        const std::size_t length = std::min<std::size_t>(byte(), mSize - std::min(mAt, mSize));
        std::string taken(reinterpret_cast<const char*>(mData) + mAt, length);
        mAt += length;
        return taken;
    }
    double number()
    {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits = bits << 8 | byte();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

private:
    const std::uint8_t* mData;
    std::size_t mSize;
    std::size_t mAt = 0;
};

// What a cell must hold when read back; Unknown where the last write leaves it open.
struct Text
{
    std::string utf8;
    bool cut = false;
};
struct Number
{
    double value;
};
struct Decimal
{
    std::string digits;
};
struct Logical
{
    bool value;
};
struct Unknown
{
};
using Expected = std::variant<Text, Number, Decimal, Logical, Unknown>;
using Cells = std::map<std::pair<int, int>, Expected>;  // by (row, column), 1-based

bool isValidUtf8(std::string_view text)
{
    const QString decoded = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return decoded.toUtf8() == QByteArrayView(text.data(), static_cast<qsizetype>(text.size())) &&
           !decoded.contains(QChar(0xFFFE)) && !decoded.contains(QChar(0xFFFF));
}

// Runs the steps on a workbook written to descriptor; returns each sheet's cells in tab order
// and fills names with the names the workbook reports.
std::vector<Cells> writeWorkbook(Input& input, int descriptor, std::vector<std::string>& names)
{
    spreadsheet::XlsxWorkbook book(descriptor, "fuzz.xlsx");
    std::vector<Cells> sheets(1);
    std::size_t active = 0;
    int row = 1;
    const auto column = [&] {
        const int c = input.byte();
        return c < 250 ? 1 + c % 24 : spreadsheet::kMaxColumns - 4 + (c - 250);
    };
    while (!input.done()) {
        spreadsheet::Worksheet& sheet = book.ActiveSheet();
        Cells& cells = sheets[active];
        try {
            switch (input.byte() % 12) {
                case 0:
                    sheet.setName(input.text());
                    break;
                case 1:
                case 2: {
                    const int c = column();
                    const std::string text = input.text();
                    const bool cut = sheet.writeText(row, c, text);
                    cells[{row, c}] = text.empty() ? Expected{Unknown{}} : Text{text, cut};
                    break;
                }
                case 3: {  // a long text, cut at the cell's limit
                    const int c = column();
                    const std::string piece = input.text();
                    std::string text;
                    while (!piece.empty() && text.size() < 33'000)
                        text += piece;
                    const bool cut = sheet.writeText(row, c, text);
                    cells[{row, c}] = text.empty() ? Expected{Unknown{}} : Text{text, cut};
                    break;
                }
                case 4: {
                    const int c = column();
                    const double value = input.number();
                    sheet.writeNumber(row, c, value);
                    cells[{row, c}] = Number{value};
                    checkShownWidths(value);
                    break;
                }
                case 5: {
                    const int c = column();
                    std::string digits = input.text();
                    for (char& d : digits)
                        d = "0123456789.-+eE "[static_cast<unsigned char>(d) % 16];
                    sheet.writeDecimal(row, c, digits);
                    cells[{row, c}] = digits.empty() ? Expected{Unknown{}} : Decimal{digits};
                    break;
                }
                case 6: {
                    const int c = column();
                    const bool value = input.byte() & 1;
                    sheet.writeBoolean(row, c, value);
                    cells[{row, c}] = Logical{value};
                    break;
                }
                case 7: {
                    const int c = column();
                    spreadsheet::CellDate date{1890 + input.byte() * 40, input.byte() % 14,
                                               input.byte() % 33,        input.byte() % 25,
                                               input.byte() % 61,        input.byte() % 61,
                                               (input.byte() & 1) != 0};
                    sheet.writeDate(row, c, date);
                    cells[{row, c}] = Unknown{};
                    break;
                }
                case 8:
                    row = input.byte() == 255 ? spreadsheet::kMaxRows : row + 1 + input.byte() % 3;
                    break;
                case 9:
                    book.WorksheetsAdd();
                    sheets.emplace_back();
                    active = sheets.size() - 1;
                    row = 1;
                    break;
                case 10:
                    sheet.ColumnsAutoFit();
                    break;
                default: {
                    const int c = column();
                    sheet.setNumberDecimals(c, static_cast<std::int8_t>(input.byte()));
                    break;
                }
            }
        } catch (const spreadsheet::SpreadsheetError&) {
            // refused, writing nothing: the sheet is as it was
        }
    }
    for (int i = 1; i <= book.WorksheetsCount(); ++i)
        names.push_back(book.Worksheets(i).name());
    book.close();
    return sheets;
}

std::uint32_t le(const std::string& bytes, std::size_t at, int width)
{
    if (at + static_cast<std::size_t>(width) > bytes.size())
        finding("a zip record runs past the end of the file");
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// Every entry of the package, inflated and checked against its size and CRC-32.
std::map<std::string, std::string> readPackage(const std::string& file)
{
    const std::size_t end = file.rfind(std::string("PK\x05\x06", 4));
    if (end == std::string::npos)
        finding("no end of central directory");
    std::size_t at = le(file, end + 16, 4);
    const std::uint32_t count = le(file, end + 10, 2);
    std::map<std::string, std::string> parts;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (le(file, at, 4) != 0x02014b50)
            finding("a central directory record is missing");
        const std::uint32_t method = le(file, at + 10, 2);
        const std::uint32_t crc = le(file, at + 16, 4);
        const std::uint32_t packed = le(file, at + 20, 4);
        const std::uint32_t size = le(file, at + 24, 4);
        const std::uint32_t nameLength = le(file, at + 28, 2);
        const std::size_t local = le(file, at + 42, 4);
        const std::string name = file.substr(at + 46, nameLength);
        at += 46 + nameLength + le(file, at + 30, 2) + le(file, at + 32, 2);
        const std::size_t data = local + 30 + le(file, local + 26, 2) + le(file, local + 28, 2);
        if (data + packed > file.size())
            finding(name + ": its data runs past the end of the file");
        std::string inflated(size, '\0');
        if (method == 8) {
            z_stream stream{};
            inflateInit2(&stream, -MAX_WBITS);
            stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(file.data() + data));
            stream.avail_in = packed;
            stream.next_out = reinterpret_cast<Bytef*>(inflated.data());
            stream.avail_out = size;
            const int status = inflate(&stream, Z_FINISH);
            inflateEnd(&stream);
            if (status != Z_STREAM_END || stream.avail_out != 0)
                finding(name + ": does not inflate to its size");
        } else if (method == 0 && packed == size) {
            inflated = file.substr(data, size);
        } else {
            finding(name + ": an unknown compression");
        }
        if (crc32(0, reinterpret_cast<const Bytef*>(inflated.data()), size) != crc)
            finding(name + ": CRC-32 differs");
        parts.emplace(name, std::move(inflated));
    }
    return parts;
}

void checkWellFormed(const std::string& name, const std::string& xml)
{
    for (const char c : xml)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
            finding(name + ": a control character XML forbids");
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    while (!reader.atEnd())
        reader.readNext();
    if (reader.hasError())
        finding(name + ": not well-formed XML: " + reader.errorString().toStdString());
}

// "B3" as (3, 2).
std::pair<int, int> cellPosition(const QString& reference)
{
    int column = 0;
    qsizetype i = 0;
    for (; i < reference.size() && reference[i].isUpper(); ++i)
        column = column * 26 + (reference[i].unicode() - 'A' + 1);
    return {reference.mid(i).toInt(), column};
}

// The text a spreadsheet program shows for a stored text: each "_xHHHH_" is the character, H
// being exactly a hexadecimal digit (QString::toUShort would also take " 1F" or "+1F", which
// no reader decodes).
QString decodeEscapes(const QString& stored)
{
    const auto isHex = [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    };
    QString shown;
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const bool escape = i + 6 < stored.size() && stored[i] == u'_' && stored[i + 1] == u'x' &&
                            isHex(stored[i + 2]) && isHex(stored[i + 3]) && isHex(stored[i + 4]) &&
                            isHex(stored[i + 5]) && stored[i + 6] == u'_';
        if (escape) {
            shown += QChar(stored.mid(i + 2, 4).toUShort(nullptr, 16));
            i += 6;
        } else {
            shown += stored[i];
        }
    }
    return shown;
}

void checkCell(const std::string& where, const Expected& expected, const QString& type,
               const QString& value)
{
    const bool isText = type == u"inlineStr" || type == u"str";
    if (const auto* text = std::get_if<Text>(&expected)) {
        if (!isText)
            finding(where + ": a text came back as another kind of cell");
        if (!isValidUtf8(text->utf8))
            return;  // made valid first: compared by the cell-text fuzzer's model
        const QString given = QString::fromStdString(text->utf8);
        const QString shown = decodeEscapes(value);
        if (text->cut ? !given.startsWith(shown) || shown.size() >= given.size() : shown != given)
            finding(where + ": the text read back is not the text written");
    } else if (const auto* number = std::get_if<Number>(&expected)) {
        if (std::isfinite(number->value)) {
            if (isText || value.toDouble() != number->value)
                finding(where + ": the number read back is not the number written");
        } else if (!isText) {
            finding(where + ": a value no cell holds is not a text");
        }
    } else if (const auto* decimal = std::get_if<Decimal>(&expected)) {
        const QString digits = QString::fromStdString(decimal->digits);
        if (isText ? decodeEscapes(value) != digits
                   : value.toDouble() != std::strtod(decimal->digits.c_str(), nullptr))
            finding(where + ": the decimal read back is not the decimal written");
    } else if (const auto* logical = std::get_if<Logical>(&expected)) {
        if (type != u"b" || value != (logical->value ? u"1" : u"0"))
            finding(where + ": the logical read back is not the logical written");
    }
}

void checkSheet(const std::string& name, const std::string& xml, const Cells& cells)
{
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    std::size_t found = 0;
    QString reference, type, value;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == u"c") {
            reference = reader.attributes().value(QLatin1String("r")).toString();
            type = reader.attributes().value(QLatin1String("t")).toString();
            value.clear();
        } else if (reader.isStartElement() && (reader.name() == u"v" || reader.name() == u"t")) {
            value = reader.readElementText();
        } else if (reader.isEndElement() && reader.name() == u"c") {
            const auto cell = cells.find(cellPosition(reference));
            if (cell == cells.end())
                finding(name + ": a cell nobody wrote: " + reference.toStdString());
            checkCell(name + " " + reference.toStdString(), cell->second, type, value);
            ++found;
        }
    }
    std::size_t written = 0;
    for (const auto& [position, expected] : cells)
        written += std::holds_alternative<Unknown>(expected) ? 0 : 1;
    if (found < written)
        finding(name + ": a cell written is missing");
}

void checkSheetNames(const std::string& workbookXml, const std::vector<std::string>& names)
{
    QXmlStreamReader reader(QByteArray::fromStdString(workbookXml));
    std::vector<std::string> inFile;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == u"sheet")
            inFile.push_back(
                reader.attributes().value(QLatin1String("name")).toString().toStdString());
    }
    if (inFile != names)
        finding("the sheet names in the file are not the workbook's");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const int descriptor = memfd_create("workbook", MFD_CLOEXEC);
    if (descriptor < 0)
        return 0;
    Input input(data, size);
    std::vector<std::string> names;
    const std::vector<Cells> sheets = writeWorkbook(input, descriptor, names);

    std::string file(static_cast<std::size_t>(lseek(descriptor, 0, SEEK_END)), '\0');
    if (pread(descriptor, file.data(), file.size(), 0) != static_cast<ssize_t>(file.size()))
        finding("the workbook cannot be read back");
    close(descriptor);

    const std::map<std::string, std::string> parts = readPackage(file);
    for (const auto& [name, xml] : parts)
        checkWellFormed(name, xml);
    const auto workbook = parts.find("xl/workbook.xml");
    if (workbook == parts.end())
        finding("xl/workbook.xml is missing");
    checkSheetNames(workbook->second, names);
    if (names.size() != sheets.size())
        finding("the workbook has another number of sheets than were added");
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::string name = "xl/worksheets/sheet" + std::to_string(i + 1) + ".xml";
        const auto sheet = parts.find(name);
        if (sheet == parts.end())
            finding(name + " is missing");
        checkSheet(name, sheet->second, sheets[i]);
    }
    return 0;
}
