// Sheet names: the cleaning and cutting of a table name, the case-blind test against the
// workbook's sheets, and the numbered names for long-name clashes and continuation sheets.
#pragma once

#include <QString>

namespace spreadsheet {
class Workbook;
class Worksheet;
}  // namespace spreadsheet

namespace exporting {

// Sheet names are cut to this many characters by CleanSheetName; one short of the 31 a
// spreadsheet accepts.
constexpr int kSheetNameCut = 30;
// Names longer than this are shortened to a numbered stem before cleaning.
constexpr int kLongTableName = 31;

// The first count characters of text, counted in UTF-16 units as spreadsheet programs count
// them; a surrogate pair that would be split is left out whole, so the result stays valid.
QString leftCharacters(const QString& text, int count);

// Removes every "[" and "]", then keeps the first 30 characters of what remains.
QString CleanSheetName(const QString& name);

// True when a sheet of the workbook other than naming carries name, ignoring case (Unicode case
// folding, the way the workbook itself refuses a duplicate). naming: the sheet being named,
// whose own name never counts, so a table "Sheet1" keeps that name on a sheet called so before.
// Throws what the workbook throws.
bool SheetNameExists(const QString& name, spreadsheet::Workbook& workbook,
                     const spreadsheet::Worksheet* naming = nullptr);

// stem followed by number in decimal, the stem cut so that the whole fits in limit characters:
// numberedSheetName("Customer addresses of 2021 ...", 12, 30) keeps 28 characters of the stem.
QString numberedSheetName(const QString& stem, int number, int limit = kSheetNameCut);

// The name of the number-th sheet of a table too long for one sheet: base followed by
// " (number)", base cut to fit 31 characters, number raised until no sheet carries the name.
// Returns the name and leaves number at the value used.
QString continuationSheetName(const QString& base, int& number, spreadsheet::Workbook& workbook);

}  // namespace exporting
