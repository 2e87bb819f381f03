// Sheet names: what a table name becomes as a sheet name, and the numbered variants.
#include "modules/export/Excel1.h"

#include <string>

#include "components/spreadsheet/Workbook.h"
#include "components/spreadsheet/Worksheet.h"

namespace exporting {
namespace {

// Longest name a sheet accepts; continuation names use all of it.
constexpr int kMaxSheetName = 31;

}  // namespace

QString leftCharacters(const QString& text, int count)
{
    if (count <= 0)
        return {};
    if (text.size() <= count)
        return text;
    // Cutting between the two halves of a pair would leave half a character behind.
    if (text.at(count - 1).isHighSurrogate())
        --count;
    return text.left(count);
}

QString CleanSheetName(const QString& name)
{
    QString cleaned = name;
    cleaned.remove(QLatin1Char('['));
    cleaned.remove(QLatin1Char(']'));
    return leftCharacters(cleaned, kSheetNameCut);
}

bool SheetNameExists(const QString& name, spreadsheet::Workbook& workbook,
                     const spreadsheet::Worksheet* naming)
{
    const int count = workbook.WorksheetsCount();
    for (int index = 1; index <= count; ++index) {
        const spreadsheet::Worksheet& sheet = workbook.Worksheets(index);
        if (&sheet == naming)
            continue;
        const std::string existing = sheet.name();
        if (QString::fromUtf8(existing).compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString numberedSheetName(const QString& stem, int number, int limit)
{
    const QString digits = QString::number(number);
    return leftCharacters(stem, limit - int(digits.size())) + digits;
}

QString continuationSheetName(const QString& base, int& number, spreadsheet::Workbook& workbook)
{
    for (;; ++number) {
        const QString suffix = QStringLiteral(" (%1)").arg(number);
        const QString name = leftCharacters(base, kMaxSheetName - int(suffix.size())) + suffix;
        if (!SheetNameExists(name, workbook))
            return name;
    }
}

}  // namespace exporting
