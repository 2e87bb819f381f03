// Cell references as the sheet XML writes them: column letters (A, B, ..., XFD) and 1-based row
// numbers.
#pragma once

#include <string>
#include <string_view>

namespace xlsx {

// Letters of a 0-based column (0 <= column < kMaxColumns), from a table made once; three bytes
// may be read from data() whatever the length.
std::string_view columnLetters(int column);

// "B7" for 0-based row 6, column 1.
std::string cellReference(int row, int column);

// The 0-based column of the letters at the start of text, and how many letters there were.
int columnOfLetters(std::string_view text, std::size_t& letters);

}  // namespace xlsx
