// One decoded field value of a FoxPro record, independent of any front end.
#pragma once

#include <cstdint>
#include <string>

namespace vfp {

// Text kinds hold UTF-8 (already decoded from the table's code page); Decimal holds the
// number as stored, as plain decimal text; Binary holds raw bytes. The decoder reuses the
// string buffers between records, so reading a value allocates nothing in the steady state.
// A field whose bytes do not make a value of its type keeps what is stored instead of
// failing: a date that is no date gives Text, a date-time out of range gives Binary (its 8
// bytes), a numeric field holding no number ("*****" after an overflow) gives Decimal with
// that text, trimmed.
struct Value
{
    enum class Kind : std::uint8_t {
        Empty,     // no value at all (before the first read)
        Null,      // SQL NULL (null flag set), or a blank date, date-time, numeric or logical
        Text,      // character, varchar, memo text: UTF-8, trailing blanks kept
        Binary,    // varbinary, binary character/memo, general, blob, picture: raw bytes
        Integer,   // integer ('I'), autoincrement
        Double,    // double ('B')
        Currency,  // currency ('Y'): integer scaled by 10,000
        Decimal,   // numeric/float ('N', 'F'): plain decimal text ("-0.5", "1500" for "1.5E+3")
        Date,      // date ('D')
        DateTime,  // datetime ('T'), rounded to the nearest second
        Boolean,   // logical ('L')
    };

    Kind kind = Kind::Empty;
    std::string bytes;                     // Text, Binary, Decimal
    std::int64_t integer = 0;              // Integer, Currency (x 10,000), Boolean (0/1)
    double real = 0.0;                     // Double
    int year = 0, month = 0, day = 0;      // Date, DateTime
    int hour = 0, minute = 0, second = 0;  // DateTime

    bool isNull() const { return kind == Kind::Null; }

    // Values of each kind, for writers and tests.
    static Value null() { return ofKind(Kind::Null); }
    static Value fromText(std::string utf8) { return withBytes(Kind::Text, std::move(utf8)); }
    static Value fromBinary(std::string raw) { return withBytes(Kind::Binary, std::move(raw)); }
    static Value fromDecimal(std::string digits)
    {
        return withBytes(Kind::Decimal, std::move(digits));
    }
    static Value fromInteger(std::int64_t n) { return withInteger(Kind::Integer, n); }
    static Value fromCurrency(std::int64_t tenThousandths)
    {
        return withInteger(Kind::Currency, tenThousandths);
    }
    static Value fromBoolean(bool b) { return withInteger(Kind::Boolean, b ? 1 : 0); }
    static Value fromDouble(double d)
    {
        Value value = ofKind(Kind::Double);
        value.real = d;
        return value;
    }
    static Value fromDate(int y, int m, int d) { return withMoment(Kind::Date, y, m, d, 0, 0, 0); }
    static Value fromDateTime(int y, int m, int d, int hh, int mm, int ss)
    {
        return withMoment(Kind::DateTime, y, m, d, hh, mm, ss);
    }

private:
    static Value withMoment(Kind k, int y, int m, int d, int hh, int mm, int ss)
    {
        Value value = ofKind(k);
        value.year = y;
        value.month = m;
        value.day = d;
        value.hour = hh;
        value.minute = mm;
        value.second = ss;
        return value;
    }
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
