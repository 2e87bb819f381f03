// Numbers in the sheet XML as the reference writer (libxlsxwriter) prints them, printf's
// "%.16G": 16 significant digits with trailing zeros dropped, exponent form below 1E-04 and
// from 1E+16. 0.1 + 0.2 is "0.3" there, where the shortest round trip would give
// 0.30000000000000004; a cell written by both must read the same.
#pragma once

#include <cstddef>

namespace xlsx {

// Room appendNumber needs: "-2.225073858507201E-308" is 23 characters, and fixed notation
// copies 16 digits past the point in one move.
constexpr std::size_t kMaxNumberText = 40;

// Writes a finite value at out (room for kMaxNumberText) and returns the end.
char* appendNumber(char* out, double value);

// The same for a value that must read back as the very same double: appendNumber's 16 digits
// where they do (the reference writer's text), else the 17 digits every double needs at most
// ("0.30000000000000004" where "%.16G" gives "0.3").
char* appendExactNumber(char* out, double value);

}  // namespace xlsx
