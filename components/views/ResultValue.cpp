// SQLite's values of a view's row turned back into engine values of the column's kind.
#include "components/views/ResultValue.h"

#include <sqlite3.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "components/calendar/Calendar.h"
#include "components/views/IsoDate.h"
#include "components/views/SqliteFunctions.h"

namespace views {

namespace {

using Kind = vfp::Value::Kind;

// Largest magnitude a currency value holds (int64 / 10,000).
constexpr double kMaxCurrency = 922337203685477.0;
constexpr int kSecondsPerDay = 86400;

std::string_view columnText(sqlite3_stmt* statement, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return {text == nullptr ? "" : text,
            static_cast<std::size_t>(sqlite3_column_bytes(statement, column))};
}

void setText(vfp::Value& out, Kind kind, std::string_view text)
{
    out.kind = kind;
    out.bytes.assign(text);
}

std::size_t characterCount(std::string_view text)
{
    std::size_t count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

// A computed number: as many decimals as it has, up to 15 significant digits.
std::string freeNumber(double value)
{
    std::array<char, 40> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.15g", value == 0.0 ? 0.0 : value);
    return buffer.data();
}

std::string fixedNumber(double value, int decimals)
{
    std::array<char, 400> buffer{};
    const double rounded = roundHalfAway(value, decimals);
    std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, rounded == 0.0 ? 0.0 : rounded);
    return buffer.data();
}

void readDecimal(sqlite3_stmt* statement, int column, const foxsql::SqlType& type, vfp::Value& out)
{
    switch (sqlite3_column_type(statement, column)) {
        case SQLITE_INTEGER:
            setText(out, Kind::Decimal, std::to_string(sqlite3_column_int64(statement, column)));
            return;
        case SQLITE_FLOAT: {
            const double value = sqlite3_column_double(statement, column);
            if (!std::isfinite(value))
                setText(out, Kind::Text, freeNumber(value));
            else if (type.width > 0)
                setText(out, Kind::Decimal, fixedNumber(value, type.decimals));
            else
                setText(out, Kind::Decimal, freeNumber(value));
            return;
        }
        default:  // an overflowed field ("*****") or text where a number was meant
            setText(out, Kind::Text, columnText(statement, column));
            return;
    }
}

void readCurrency(sqlite3_stmt* statement, int column, vfp::Value& out)
{
    const double value = roundHalfAway(sqlite3_column_double(statement, column), 4);
    if (sqlite3_column_type(statement, column) == SQLITE_TEXT ||
        !(std::fabs(value) < kMaxCurrency)) {
        setText(out, Kind::Text, columnText(statement, column));
        return;
    }
    out.kind = Kind::Currency;
    out.integer = std::llround(value * 10000.0);
}

void readMoment(sqlite3_stmt* statement, int column, bool withTime, vfp::Value& out)
{
    const std::string_view text = columnText(statement, column);
    const std::optional<Moment> moment = parseMoment(text);
    if (sqlite3_column_type(statement, column) != SQLITE_TEXT || !moment) {
        setText(out, Kind::Text, text);
        return;
    }
    const auto civil = calendar::civilFromDays(moment->days);
    out.kind = withTime ? Kind::DateTime : Kind::Date;
    out.year = civil.year;
    out.month = civil.month;
    out.day = civil.day;
    const std::int64_t seconds = withTime ? moment->seconds % kSecondsPerDay : 0;
    out.hour = static_cast<int>(seconds / 3600);
    out.minute = static_cast<int>(seconds / 60 % 60);
    out.second = static_cast<int>(seconds % 60);
}

void readUntyped(sqlite3_stmt* statement, int column, vfp::Value& out)
{
    switch (sqlite3_column_type(statement, column)) {
        case SQLITE_FLOAT:
            setText(out, Kind::Text, freeNumber(sqlite3_column_double(statement, column)));
            return;
        case SQLITE_BLOB: {
            const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
            setText(out, Kind::Binary,
                    {bytes == nullptr ? "" : bytes,
                     static_cast<std::size_t>(sqlite3_column_bytes(statement, column))});
            return;
        }
        default:
            setText(out, Kind::Text, columnText(statement, column));
            return;
    }
}

}  // namespace

void readResultValue(sqlite3_stmt* statement, int column, const foxsql::SqlType& type,
                     vfp::Value& out)
{
    if (sqlite3_column_type(statement, column) == SQLITE_NULL) {
        out.kind = Kind::Null;
        return;
    }
    if (type.isBinary()) {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
        setText(out, Kind::Binary,
                {bytes == nullptr ? "" : bytes,
                 static_cast<std::size_t>(sqlite3_column_bytes(statement, column))});
        return;
    }
    switch (type.letter) {
        case 'C':
        case 'V':
        case 'M': {
            setText(out, Kind::Text, columnText(statement, column));
            const std::size_t characters = characterCount(out.bytes);
            if (type.letter == 'C' && type.width > 0 &&
                characters < static_cast<std::size_t>(type.width))
                out.bytes.append(static_cast<std::size_t>(type.width) - characters, ' ');
            return;
        }
        case 'N':
        case 'F':
            readDecimal(statement, column, type, out);
            return;
        case 'I':
            out.kind = Kind::Integer;
            out.integer = sqlite3_column_int64(statement, column);
            return;
        case 'B':
            out.kind = Kind::Double;
            out.real = sqlite3_column_double(statement, column);
            return;
        case 'Y':
            readCurrency(statement, column, out);
            return;
        case 'L':
            out.kind = Kind::Boolean;
            out.integer = sqlite3_column_int64(statement, column) != 0 ? 1 : 0;
            return;
        case 'D':
        case 'T':
            readMoment(statement, column, type.letter == 'T', out);
            return;
        default:
            readUntyped(statement, column, out);
            return;
    }
}

}  // namespace views
