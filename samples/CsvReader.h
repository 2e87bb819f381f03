// Reads comma-separated text (RFC 4180): quoted cells may hold commas, line breaks and
// doubled quotes. Used for the sample data set that the build turns into FoxPro tables.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace samples {

struct CsvCell
{
    std::string text;
    bool quoted = false;  // written between quotes: taken literally, never as a keyword
};

struct CsvRow
{
    int line = 0;  // line of the file on which the row starts (1-based)
    std::vector<CsvCell> cells;
};

// Splits text into rows. Line ends are "\n" or "\r\n" outside quotes; inside quotes every
// character is kept as written. A final line end is optional; empty lines are skipped.
// Throws std::runtime_error naming the line when a quote is not closed or a closing quote
// is followed by anything but a comma or a line end.
std::vector<CsvRow> parseCsv(std::string_view text);

}  // namespace samples
