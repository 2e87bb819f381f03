// The fixed parts of a worksheet as libxlsxwriter writes them, byte for byte.
#include "components/xlsx/SheetHead.h"

#include "components/xlsx/ByteBuffer.h"
#include "components/xlsx/CellReference.h"
#include "components/xlsx/NumberText.h"

namespace xlsx {

namespace {

constexpr int kDigitPixels = 7;  // width of "0" in the default font (Calibri 11)
constexpr int kPaddingPixels = 5;

constexpr std::string_view kStart =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">";
constexpr std::string_view kMargins =
    "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
    "footer=\"0.3\"/></worksheet>";
constexpr std::string_view kTailWithRows =
    "</sheetData><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" "
    "header=\"0.3\" footer=\"0.3\"/></worksheet>";

std::string number(double value)
{
    char text[kMaxNumberText];
    return std::string(text, appendNumber(text, value));
}

std::string dimension(const UsedRange& used)
{
    if (used.empty())
        return "A1";
    const std::string first = cellReference(used.firstRow, used.firstColumn);
    if (used.firstRow == used.lastRow && used.firstColumn == used.lastColumn)
        return first;
    return first + ":" + cellReference(used.lastRow, used.lastColumn);
}

}  // namespace

double storedColumnWidth(double characters)
{
    if (characters <= 0)
        return 0;
    const int pixels = characters < 1
                           ? static_cast<int>(characters * (kDigitPixels + kPaddingPixels) + 0.5)
                           : static_cast<int>(characters * kDigitPixels + 0.5) + kPaddingPixels;
    return static_cast<int>(pixels / double(kDigitPixels) * 256.0) / 256.0;
}

std::string sheetHeadXml(const SheetHead& head)
{
    std::string xml(kStart);
    xml += "<dimension ref=\"" + dimension(head.used) + "\"/>";
    xml += head.selected ? "<sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\"/>"
                         : "<sheetViews><sheetView workbookViewId=\"0\"/>";
    xml += "</sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>";
    if (!head.widths.empty()) {
        xml += "<cols>";
        for (const auto& [column, width] : head.widths) {
            const std::string position = std::to_string(column + 1);
            xml += "<col min=\"" + position + "\" max=\"" + position + "\" width=\"" +
                   number(storedColumnWidth(width)) + "\"";
            xml += width != kDefaultColumnWidth ? " customWidth=\"1\"/>" : "/>";
        }
        xml += "</cols>";
    }
    xml += head.hasRows ? "<sheetData>" : "<sheetData/>";
    return xml;
}

std::string_view sheetTailXml(bool hasRows)
{
    return hasRows ? kTailWithRows : kMargins;
}

}  // namespace xlsx
