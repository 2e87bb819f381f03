// SQLGetData for each fetch kind. Variable-length data is read in pieces: a driver reports the
// remaining length (or SQL_NO_TOTAL) and SQL_SUCCESS_WITH_INFO while more is left.
#include "components/odbc/ValueReader.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <optional>

#include <sqlext.h>

#include "components/calendar/Calendar.h"
#include "components/rows/DatabaseError.h"
#include "components/text/Utf8.h"

namespace odbc {

namespace {

using Kind = vfp::Value::Kind;

// The first piece of a variable-length value; longer values grow the buffer to what the
// driver says is left.
constexpr std::size_t kFirstPieceBytes = 4096;
constexpr long kNanosecondsPerHalfSecond = 500'000'000;

std::string twoDigits(int value)
{
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%02d", value);
    return buffer.data();
}

std::string momentText(int year, int month, int day, const std::string& time)
{
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%04d", year);
    return buffer.data() + std::string("-") + twoDigits(month) + "-" + twoDigits(day) + time;
}

}  // namespace

ValueReader::ValueReader(const Handle& statement, std::string context)
    : mStatement(statement), mContext(std::move(context))
{}

void ValueReader::read(unsigned column, Fetch fetch, vfp::Value& out)
{
    switch (fetch) {
        case Fetch::Text:
            readText(column, Kind::Text, out);
            return;
        case Fetch::Decimal:
            readText(column, Kind::Decimal, out);
            return;
        case Fetch::Binary:
            out.kind = readPieces(column, SQL_C_BINARY, out.bytes) == Piece::Null ? Kind::Null
                                                                                  : Kind::Binary;
            return;
        case Fetch::Integer: {
            SQLBIGINT value = 0;
            out.kind = readFixed(column, SQL_C_SBIGINT, value) ? Kind::Integer : Kind::Null;
            out.integer = value;
            return;
        }
        case Fetch::Single: {
            SQLREAL value = 0;
            if (!readFixed(column, SQL_C_FLOAT, value)) {
                out.kind = Kind::Null;
                return;
            }
            // The shortest text that reads back as the same float: 0.1, not 0.100000001490116.
            std::array<char, 64> buffer{};
            const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
            out.kind = Kind::Decimal;
            out.bytes.assign(buffer.data(), end.ptr);
            return;
        }
        case Fetch::Double: {
            SQLDOUBLE value = 0;
            out.kind = readFixed(column, SQL_C_DOUBLE, value) ? Kind::Double : Kind::Null;
            out.real = value;
            return;
        }
        case Fetch::Boolean: {
            SQLCHAR value = 0;
            out.kind = readFixed(column, SQL_C_BIT, value) ? Kind::Boolean : Kind::Null;
            out.integer = value != 0 ? 1 : 0;
            return;
        }
        case Fetch::Date:
            readDate(column, out);
            return;
        case Fetch::Timestamp:
            readTimestamp(column, out);
            return;
    }
}

template <typename T>
bool ValueReader::readFixed(unsigned column, short cType, T& value)
{
    SQLLEN indicator = 0;
    mStatement.check(SQLGetData(mStatement.get(), static_cast<SQLUSMALLINT>(column), cType, &value,
                                sizeof value, &indicator),
                     mContext);
    return indicator != SQL_NULL_DATA;
}

template <typename Buffer>
ValueReader::Piece ValueReader::readPieces(unsigned column, short cType, Buffer& buffer)
{
    constexpr std::size_t kUnit = sizeof(typename Buffer::value_type);
    // A character value ends in a terminator the driver writes into each piece; bytes do not.
    const std::size_t terminator = cType == SQL_C_BINARY ? 0 : 1;
    buffer.resize(kFirstPieceBytes / kUnit);
    std::size_t have = 0;
    Piece piece = Piece::Gone;
    for (;;) {
        const std::size_t room = buffer.size() - have;  // units, the terminator's included
        SQLLEN indicator = 0;
        const SQLRETURN rc =
            SQLGetData(mStatement.get(), static_cast<SQLUSMALLINT>(column), cType,
                       buffer.data() + have, static_cast<SQLLEN>(room * kUnit), &indicator);
        if (rc == SQL_NO_DATA)
            break;
        mStatement.check(rc, mContext);
        if (indicator == SQL_NULL_DATA)
            return Piece::Null;
        piece = Piece::Value;
        // The indicator gives what was left before this piece, in bytes, when the driver knows.
        const std::size_t left =
            indicator == SQL_NO_TOTAL ? buffer.size() : static_cast<std::size_t>(indicator) / kUnit;
        if (indicator != SQL_NO_TOTAL && left + terminator <= room) {
            have += left;
            break;
        }
        have += room - terminator;
        buffer.resize(have + left + terminator);
    }
    buffer.resize(have);
    return piece;
}

void ValueReader::readText(unsigned column, Kind kind, vfp::Value& out)
{
    if (readPieces(column, SQL_C_WCHAR, mWide) == Piece::Null) {
        out.kind = Kind::Null;
        return;
    }
    out.kind = kind;
    text::fromUtf16(mWide, out.bytes);
}

void ValueReader::readDate(unsigned column, vfp::Value& out)
{
    SQL_DATE_STRUCT date{};
    if (!readFixed(column, SQL_C_TYPE_DATE, date)) {
        keepAsText(column, std::nullopt, out);
        return;
    }
    if (!calendar::isValidDate(date.year, date.month, date.day)) {
        keepAsText(column, momentText(date.year, date.month, date.day, ""), out);
        return;
    }
    out = vfp::Value::fromDate(date.year, date.month, date.day);
}

void ValueReader::readTimestamp(unsigned column, vfp::Value& out)
{
    SQL_TIMESTAMP_STRUCT stamp{};
    if (!readFixed(column, SQL_C_TYPE_TIMESTAMP, stamp)) {
        keepAsText(column, std::nullopt, out);
        return;
    }
    if (!calendar::isValidDate(stamp.year, stamp.month, stamp.day) || stamp.hour > 23 ||
        stamp.minute > 59 || stamp.second > 59) {
        keepAsText(column,
                   momentText(stamp.year, stamp.month, stamp.day,
                              " " + twoDigits(stamp.hour) + ":" + twoDigits(stamp.minute) + ":" +
                                  twoDigits(stamp.second)),
                   out);
        return;
    }
    // Whole seconds, as FoxPro keeps date-times: the fraction (nanoseconds) rounds, carrying
    // into the next day where it must.
    std::int64_t seconds = ((static_cast<std::int64_t>(stamp.hour) * 60 + stamp.minute) * 60) +
                           stamp.second + (stamp.fraction >= kNanosecondsPerHalfSecond ? 1 : 0);
    std::int64_t days = calendar::daysFromCivil(stamp.year, stamp.month, stamp.day);
    constexpr std::int64_t kSecondsPerDay = 86400;
    days += seconds / kSecondsPerDay;
    seconds %= kSecondsPerDay;
    const calendar::Civil civil = calendar::civilFromDays(days);
    out = vfp::Value::fromDateTime(
        civil.year, civil.month, civil.day, static_cast<int>(seconds / 3600),
        static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
}

void ValueReader::keepAsText(unsigned column, const std::optional<std::string>& shown,
                             vfp::Value& out)
{
    Piece piece = Piece::Gone;
    try {
        piece = readPieces(column, SQL_C_WCHAR, mWide);
    } catch (const rows::DatabaseError&) {
        // The driver gives each value once: what it made of the value is all there is.
    }
    if (piece == Piece::Value) {
        out.kind = Kind::Text;
        text::fromUtf16(mWide, out.bytes);
    } else if (shown) {
        out.kind = Kind::Text;
        out.bytes = *shown;
    } else {
        out.kind = Kind::Null;
    }
}

}  // namespace odbc
