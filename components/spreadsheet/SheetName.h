// Sheet names as spreadsheet programs accept them, and the key that compares them ignoring case.
#pragma once

#include <string_view>

#include <QString>

namespace spreadsheet {

// Checks name against the rules of Worksheet::setName (1 to 31 UTF-16 units, valid UTF-8 without
// U+FFFE / U+FFFF, no control character, none of [ ] : * ? / \, no apostrophe first or last).
// Throws SpreadsheetError naming the broken rule; uniqueness is the workbook's to check.
void checkSheetName(std::string_view name);

// The name with Unicode case folding applied: two names clash when their keys are equal.
QString sheetNameKey(std::string_view name);

}  // namespace spreadsheet
