// Engine values as SQLite values, and the equality keys of both.
#include "components/views/EngineValue.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <charconv>

namespace views {

namespace {

constexpr double kCurrencyScale = 10000.0;  // currency is stored as value x 10,000

enum class NumberKind { Integer, Real, None };

// A Decimal's text (plain notation, as the engine gives it) as an integer when it has no
// fraction and fits, else as a double; None for text that is no number ("*****").
NumberKind parseDecimal(const std::string& text, std::int64_t& integer, double& real)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (text.find_first_of(".eE") == std::string::npos) {
        const auto result = std::from_chars(begin, end, integer);
        if (result.ec == std::errc() && result.ptr == end)
            return NumberKind::Integer;
    }
    const auto result = std::from_chars(begin, end, real);
    return result.ec == std::errc() && result.ptr == end ? NumberKind::Real : NumberKind::None;
}

// Writes `count` digits of value, kept within what they can show; returns the end.
char* putDigits(char* out, int value, int count)
{
    int rest = std::clamp(value, 0, count == 4 ? 9999 : 99);
    for (int i = count - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    }
    return out + count;
}

// "1997-01-31" or "1997-01-31 14:05:00" into buffer (once per date read: no printf);
// returns its length.
int isoText(const vfp::Value& value, std::array<char, 20>& buffer)
{
    char* p = buffer.data();
    p = putDigits(p, value.year, 4);
    *p++ = '-';
    p = putDigits(p, value.month, 2);
    *p++ = '-';
    p = putDigits(p, value.day, 2);
    if (value.kind == vfp::Value::Kind::DateTime) {
        *p++ = ' ';
        p = putDigits(p, value.hour, 2);
        *p++ = ':';
        p = putDigits(p, value.minute, 2);
        *p++ = ':';
        p = putDigits(p, value.second, 2);
    }
    return static_cast<int>(p - buffer.data());
}

void numberKey(double number, std::string& out)
{
    if (number == 0.0)
        number = 0.0;  // -0.0 and 0.0 are equal: one key
    out.assign(1, 'N');
    out.append(reinterpret_cast<const char*>(&number), sizeof number);
}

void textKey(const char* text, std::size_t length, std::string& out)
{
    while (length > 0 && text[length - 1] == ' ')
        --length;
    out.assign(1, 'T');
    out.append(text, length);
}

}  // namespace

void resultEngineValue(sqlite3_context* context, const vfp::Value& value)
{
    using Kind = vfp::Value::Kind;
    switch (value.kind) {
        case Kind::Empty:
        case Kind::Null:
            sqlite3_result_null(context);
            return;
        case Kind::Text:
            sqlite3_result_text64(context, value.bytes.data(), value.bytes.size(), SQLITE_TRANSIENT,
                                  SQLITE_UTF8);
            return;
        case Kind::Binary:
            sqlite3_result_blob64(context, value.bytes.data(), value.bytes.size(),
                                  SQLITE_TRANSIENT);
            return;
        case Kind::Integer:
        case Kind::Boolean:
            sqlite3_result_int64(context, value.integer);
            return;
        case Kind::Double:
            sqlite3_result_double(context, value.real);
            return;
        case Kind::Currency:
            sqlite3_result_double(context, static_cast<double>(value.integer) / kCurrencyScale);
            return;
        case Kind::Decimal: {
            std::int64_t integer = 0;
            double real = 0;
            switch (parseDecimal(value.bytes, integer, real)) {
                case NumberKind::Integer:
                    sqlite3_result_int64(context, integer);
                    return;
                case NumberKind::Real:
                    sqlite3_result_double(context, real);
                    return;
                case NumberKind::None:  // an overflowed field ("*****") keeps its text
                    sqlite3_result_text64(context, value.bytes.data(), value.bytes.size(),
                                          SQLITE_TRANSIENT, SQLITE_UTF8);
                    return;
            }
            return;
        }
        case Kind::Date:
        case Kind::DateTime: {
            std::array<char, 20> buffer{};
            const int length = isoText(value, buffer);
            sqlite3_result_text(context, buffer.data(), length, SQLITE_TRANSIENT);
            return;
        }
    }
}

bool lookupKey(const vfp::Value& value, std::string& out)
{
    using Kind = vfp::Value::Kind;
    switch (value.kind) {
        case Kind::Text:
            textKey(value.bytes.data(), value.bytes.size(), out);
            return true;
        case Kind::Integer:
        case Kind::Boolean:
            numberKey(static_cast<double>(value.integer), out);
            return true;
        case Kind::Double:
            numberKey(value.real, out);
            return true;
        case Kind::Currency:
            numberKey(static_cast<double>(value.integer) / kCurrencyScale, out);
            return true;
        case Kind::Decimal: {
            std::int64_t integer = 0;
            double real = 0;
            const NumberKind kind = parseDecimal(value.bytes, integer, real);
            if (kind == NumberKind::None)
                textKey(value.bytes.data(), value.bytes.size(), out);
            else
                numberKey(kind == NumberKind::Integer ? static_cast<double>(integer) : real, out);
            return true;
        }
        case Kind::Date:
        case Kind::DateTime: {
            std::array<char, 20> buffer{};
            const int length = isoText(value, buffer);
            textKey(buffer.data(), static_cast<std::size_t>(length), out);
            return true;
        }
        case Kind::Empty:
        case Kind::Null:
        case Kind::Binary:
            return false;
    }
    return false;
}

bool lookupKey(sqlite3_value* value, std::string& out)
{
    switch (sqlite3_value_type(value)) {
        case SQLITE_INTEGER:
            numberKey(static_cast<double>(sqlite3_value_int64(value)), out);
            return true;
        case SQLITE_FLOAT:
            numberKey(sqlite3_value_double(value), out);
            return true;
        case SQLITE_TEXT: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
            textKey(text == nullptr ? "" : text,
                    static_cast<std::size_t>(sqlite3_value_bytes(value)), out);
            return true;
        }
        default:
            return false;
    }
}

}  // namespace views
