// Decoding of the fixed-width scalar fields (numeric, date, date-time, logical) from their
// record bytes into a Value. Text, memo and null handling live in RecordReader.
#pragma once

#include <string_view>

#include "components/vfp/Value.h"

namespace vfp::decode {

enum class Numeric { Number, Blank, NotANumber };

// N and F: the stored text without surrounding blanks and NULs. A plain decimal (sign,
// digits, point) or exponent form becomes Decimal kind in plain notation ("-.5" gives
// "-0.5", "1.5E+3" gives "1500"); all blanks give Null; anything else ("*****" when the
// value overflowed the field, "1,5") is left for the caller, who keeps it as text.
Numeric numeric(std::string_view raw, Value& out);

// D: "YYYYMMDD". Blanks, zeros and NULs give Null; a valid date gives Date; anything else
// gives false and leaves out alone (the caller keeps the stored text).
bool date(std::string_view raw, Value& out);

// T: Julian day + milliseconds, both int32 LE, rounded to the nearest second (FoxPro stores
// 16:46:19.999 for 16:46:20). Eight zero bytes or eight spaces give Null; day 0 with a time
// gives Text "hh:mm:ss"; a day outside 0001-9999 or a time past midnight gives false.
bool dateTime(std::string_view raw, Value& out);

// L: T/t/Y/y true, F/f/N/n false, anything else (' ', '?') Null.
void logical(char raw, Value& out);

}  // namespace vfp::decode
