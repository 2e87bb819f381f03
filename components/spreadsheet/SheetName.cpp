// Sheet-name rules. The writer's own check folds ASCII case only (as libxlsxwriter's does);
// "CAFÉ" beside "Café" would make LibreOffice rename the sheet.
#include "components/spreadsheet/SheetName.h"

#include "components/spreadsheet/SpreadsheetError.h"
#include "components/spreadsheet/SpreadsheetMessages.h"
#include "components/spreadsheet/Worksheet.h"
#include "components/text/Utf8.h"

namespace spreadsheet {

namespace {

constexpr std::string_view kForbiddenCharacters = "[]:*?/\\";

bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

}  // namespace

void checkSheetName(std::string_view name)
{
    if (name.empty())
        throw SpreadsheetError(messages::sheetNameEmpty());

    int utf16Length = 0;
    for (std::size_t i = 0; i < name.size();) {
        const text::Utf8Char c = text::decodeUtf8(name, i);
        if (!c.valid || text::isXmlNonCharacter(c.codePoint))
            throw SpreadsheetError(messages::sheetNameNotUtf8(name));
        if (isControl(c.codePoint))
            throw SpreadsheetError(messages::sheetNameControlCharacter(name));
        if (c.codePoint < 0x80 &&
            kForbiddenCharacters.find(static_cast<char>(c.codePoint)) != std::string_view::npos)
            throw SpreadsheetError(
                messages::sheetNameForbiddenCharacter(name, static_cast<char>(c.codePoint)));
        utf16Length += c.codePoint >= 0x10000 ? 2 : 1;
        i += c.length;
    }
    if (name.front() == '\'' || name.back() == '\'')
        throw SpreadsheetError(messages::sheetNameApostrophe(name));
    // Spreadsheet programs count UTF-16 units; the writer counts code points, which is laxer.
    if (utf16Length > kMaxSheetNameLength)
        throw SpreadsheetError(messages::sheetNameTooLong(name, utf16Length));
}

QString sheetNameKey(std::string_view name)
{
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toCaseFolded();
}

}  // namespace spreadsheet
