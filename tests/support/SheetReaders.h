// Written workbooks read back by the programs and libraries their users read them with: every
// sheet as rows of the texts each reader shows or hands to a script. LibreOffice and Gnumeric
// convert every sheet to CSV; openpyxl, SheetJS and ExcelJS run as child processes.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

struct SheetRows
{
    std::vector<std::vector<std::string>> rows;  // cells as the reader shows them

    // The cell at a reference like "B3" ("" when the sheet has no such cell).
    std::string cell(const std::string& reference) const;
};

using SheetBook = std::map<std::string, SheetRows>;  // by sheet name

// The rows of CSV as spreadsheet programs write it: fields between double quotes keep their
// commas, quotes (doubled), line feeds and carriage returns; a carriage return before a record's
// line feed ends the record with it.
std::vector<std::vector<std::string>> parseCsv(const std::string& text);

// The sheets a converter wrote into folder as PREFIX<sheet name>.csv, by sheet name.
SheetBook csvSheets(const std::filesystem::path& folder, const std::string& prefix);

enum class SheetReader {
    LibreOffice,  // decodes "_xHHHH_"
    Gnumeric,     // ssconvert; shows "_xHHHH_" as it stands
    Openpyxl,     // shows "_xHHHH_" as it stands
    SheetJs,      // decodes "_xHHHH_"
    ExcelJs,      // shows "_xHHHH_" as it stands
};

// Why the reader cannot run here, naming what installs it; "" when it can.
std::string readerMissing(SheetReader reader);

// Every sheet of each workbook as the reader shows it, in the order given: LibreOffice in one
// run for all of them, the others one run per workbook. Fails the current test (and gives
// empty books) when the reader cannot read them.
std::vector<SheetBook> readSheets(SheetReader reader,
                                  const std::vector<std::filesystem::path>& files);

}  // namespace testsupport
