// The vfp_ functions that translated view SQL calls where FoxPro's rules differ from SQLite's.
// Dates travel as ISO text ("1997-01-31", "1997-01-31 14:05:00"), logicals as 0/1,
// currency as a number rounded to four decimals. Every function gives NULL for a NULL input.
// A text longer than a view's value may be (kMaxValueBytes) is made a mark instead, and the
// functions that make text from text pass a mark on (OverflowMarks.h).
//
//   vfp_eq(a, b)        "=" under SET ANSI OFF: texts equal over the shorter one's length
//   vfp_add(a, b)       "+": numbers add, texts join, a date moves by days, a date-time by
//   vfp_sub(a, b)       "-"  seconds; date - date gives days; text - text moves the first
//                       text's trailing blanks to the end
//   vfp_cy(x)           x rounded to four decimals (currency arithmetic)
//   vfp_round(x, n)     ROUND(): half away from zero, n may be negative
//   vfp_mod(a, b)       MOD() and %: the result takes the divisor's sign
//   vfp_empty(x)        EMPTY(): 0, blank text, empty bytes; NULL is not empty
//   vfp_str(x, w, d)    STR(): right-aligned in w characters, d decimals, "***" on overflow
//   vfp_val(s)          VAL(): the number at the start of s, else 0
//   vfp_upper(s), vfp_lower(s)              UPPER(), LOWER() for every letter, not ASCII only
//   vfp_padl(s, n, c), vfp_padr, vfp_padc   PADL(), PADR(), PADC()
//   vfp_replicate(s, n)                     REPLICATE()
#pragma once

#include <string_view>

struct sqlite3;

namespace views {

class OverflowMarks;

// Registers the functions on db, making their marks with `marks` (which must outlive db).
// Returns SQLite's result code (SQLITE_OK on success).
int registerSqliteFunctions(sqlite3* db, OverflowMarks& marks);

// True when name (lower case) is one of the functions above.
bool isFoxFunction(std::string_view name);

// x rounded to `places` decimals (negative: to tens, hundreds ...), half away from zero, as
// the decimal number x shows with 15 significant digits (FoxPro's precision), so 1.005 rounds
// to 1.01 although its binary value lies just below.
double roundHalfAway(double x, int places);

}  // namespace views
