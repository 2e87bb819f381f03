// One decoded field value of a FoxPro record, independent of any front end.
#pragma once

#include <cstdint>
#include <string>

namespace vfp {

// Text kinds hold UTF-8 (already decoded from the table's code page); Decimal holds the
// number as stored, as plain decimal text; Binary holds raw bytes. The decoder reuses the
// string buffers between records, so reading a value allocates nothing in the steady state.
struct Value
{
    enum class Kind : std::uint8_t {
        Empty,     // no value at all (before the first read)
        Null,      // SQL NULL (null flag set, or a blank date/datetime)
        Text,      // character, varchar, memo text: UTF-8, trailing blanks kept
        Binary,    // varbinary, binary character/memo, general, blob, picture: raw bytes
        Integer,   // integer ('I'), autoincrement
        Double,    // double ('B')
        Currency,  // currency ('Y'): integer scaled by 10,000
        Decimal,   // numeric/float ('N', 'F'): the stored digits as plain decimal text
        Date,      // date ('D')
        DateTime,  // datetime ('T'), rounded to the nearest second
        Boolean,   // logical ('L')
    };

    Kind kind = Kind::Empty;
    std::string bytes;         // Text, Binary, Decimal
    std::int64_t integer = 0;  // Integer, Currency (x 10,000), Boolean (0/1)
    double real = 0.0;         // Double
    int year = 0, month = 0, day = 0;      // Date, DateTime
    int hour = 0, minute = 0, second = 0;  // DateTime

    bool isNull() const { return kind == Kind::Null; }
};

}  // namespace vfp
