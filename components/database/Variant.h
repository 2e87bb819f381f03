// A field value as the database component hands it out, and its text form (the cell text).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace database {

// One value. Text kinds hold UTF-8; Decimal holds the number as stored, as plain decimal
// text; Binary holds raw bytes. Date is days since 0001-01-01 style civil date packed as
// year/month/day; DateTime adds whole seconds of the day (already rounded).
struct Variant
{
    enum class Kind : std::uint8_t {
        Empty,     // no value at all (before the first read)
        Null,      // SQL NULL
        Text,      // character, varchar, memo text: UTF-8, trailing blanks kept
        Binary,    // varbinary, binary character/memo, general, blob: raw bytes
        Integer,   // integer ('I'), autoincrement
        Double,    // double ('B'), float kept as number when the text form is required
        Currency,  // currency ('Y'): integer scaled by 10,000
        Decimal,   // numeric/float ('N', 'F'): the stored digits as plain decimal text
        Date,      // date ('D')
        DateTime,  // datetime ('T')
        Boolean,   // logical ('L')
    };

    Kind kind = Kind::Empty;
    std::string bytes;        // Text, Binary, Decimal
    std::int64_t integer = 0; // Integer, Currency (x 10,000), Boolean (0/1)
    double real = 0.0;        // Double
    int year = 0, month = 0, day = 0;          // Date, DateTime
    int hour = 0, minute = 0, second = 0;      // DateTime

    bool isNull() const { return kind == Kind::Null; }
};

// The text of a value as the export writes it into a cell (a Null or Empty gives ""):
// text exactly as stored; numbers plain decimal with "." and no grouping, trailing
// fractional zeros dropped; Integer and Double shortest round-trip; currency up to four
// decimals; "True"/"False"; dates "YYYY-MM-DD"; date-times "YYYY-MM-DD hh:mm:ss";
// binary as upper-case hexadecimal digits.
// Appends to out (which the caller may reuse between cells) rather than allocating.
void appendText(const Variant& value, std::string& out);
std::string toText(const Variant& value);

}  // namespace database
