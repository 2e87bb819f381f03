// A field value as the database component hands it out, and its text form (the cell text).
#pragma once

#include <string>

#include "components/vfp/Value.h"

namespace database {

// The engine's value is the component's variant: a Null is handed out as Null; what it becomes
// in a cell is the caller's choice.
using Variant = vfp::Value;

// The text of a value as the export writes it into a cell (a Null or Empty gives ""):
// text exactly as stored; numbers plain decimal with "." and no grouping, trailing
// fractional zeros dropped; Integer exact; Double the shortest text that reads back as the
// same double ("0.30000000000000004", "1e+300"); currency up to four
// decimals; "True"/"False"; dates "YYYY-MM-DD"; date-times "YYYY-MM-DD hh:mm:ss";
// binary as upper-case hexadecimal digits.
// Appends to out (which the caller may reuse between cells) rather than allocating.
void appendText(const Variant& value, std::string& out);
std::string toText(const Variant& value);

}  // namespace database
