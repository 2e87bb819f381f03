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

    // Values of each kind, for writers and tests.
    static Value null() { return ofKind(Kind::Null); }
    static Value fromText(std::string utf8) { return withBytes(Kind::Text, std::move(utf8)); }
    static Value fromBinary(std::string raw) { return withBytes(Kind::Binary, std::move(raw)); }
    static Value fromDecimal(std::string digits) { return withBytes(Kind::Decimal, std::move(digits)); }
    static Value fromInteger(std::int64_t n) { return withInteger(Kind::Integer, n); }
    static Value fromCurrency(std::int64_t tenThousandths) { return withInteger(Kind::Currency, tenThousandths); }
    static Value fromBoolean(bool b) { return withInteger(Kind::Boolean, b ? 1 : 0); }
    static Value fromDouble(double d)
    {
        Value value = ofKind(Kind::Double);
        value.real = d;
        return value;
    }
    static Value fromDate(int y, int m, int d) { return fromDateTime(y, m, d, 0, 0, 0, Kind::Date); }
    static Value fromDateTime(int y, int m, int d, int hh, int mm, int ss, Kind as = Kind::DateTime)
    {
        Value value = ofKind(as);
        value.year = y;
        value.month = m;
        value.day = d;
        value.hour = hh;
        value.minute = mm;
        value.second = ss;
        return value;
    }

private:
    static Value ofKind(Kind k)
    {
        Value value;
        value.kind = k;
        return value;
    }
    static Value withBytes(Kind k, std::string b)
    {
        Value value = ofKind(k);
        value.bytes = std::move(b);
        return value;
    }
    static Value withInteger(Kind k, std::int64_t n)
    {
        Value value = ofKind(k);
        value.integer = n;
        return value;
    }
};

}  // namespace vfp
