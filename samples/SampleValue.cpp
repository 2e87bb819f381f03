// Text to FoxPro values for the sample data set: exact decimal parsing, calendar checks, and
// a round trip through Windows-1252 so no character silently becomes "?".
#include "samples/SampleValue.h"

#include <charconv>
#include <chrono>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

#include "components/vfp/CodePage.h"

namespace samples {

namespace {

constexpr int kTableCodePage = 1252;  // the sample tables carry mark 0x03

[[noreturn]] void invalid(const std::string& text, const std::string& expected)
{
    throw std::runtime_error("\"" + text + "\" is not " + expected);
}

bool isDigits(std::string_view s)
{
    if (s.empty())
        return false;
    for (const char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// A plain decimal: optional '-', digits, optionally '.' and digits.
struct DecimalParts
{
    bool negative = false;
    std::string_view whole;
    std::string_view fraction;
};

DecimalParts splitDecimal(const std::string& text, const std::string& expected)
{
    DecimalParts parts;
    std::string_view rest = text;
    if (!rest.empty() && rest.front() == '-') {
        parts.negative = true;
        rest.remove_prefix(1);
    }
    const std::size_t point = rest.find('.');
    parts.whole = rest.substr(0, point);
    if (point != std::string_view::npos) {
        parts.fraction = rest.substr(point + 1);
        if (!isDigits(parts.fraction))
            invalid(text, expected);
    }
    if (!isDigits(parts.whole))
        invalid(text, expected);
    return parts;
}

vfp::Value decimalValue(const std::string& text, int decimals)
{
    const std::string expected = "a number with at most " + std::to_string(decimals) + " decimals";
    const DecimalParts parts = splitDecimal(text, expected);
    if (parts.fraction.size() > static_cast<std::size_t>(decimals))
        invalid(text, expected);
    vfp::Value value;
    value.kind = vfp::Value::Kind::Decimal;
    value.bytes = std::string(parts.negative ? "-" : "") + std::string(parts.whole);
    if (decimals > 0)
        value.bytes.append(".")
            .append(parts.fraction)
            .append(static_cast<std::size_t>(decimals) - parts.fraction.size(), '0');
    return value;
}

vfp::Value currencyValue(const std::string& text)
{
    constexpr std::size_t kScaleDigits = 4;  // currency is stored as an integer times 10,000
    const std::string expected = "an amount with at most 4 decimals";
    const DecimalParts parts = splitDecimal(text, expected);
    if (parts.fraction.size() > kScaleDigits ||
        parts.whole.size() > 14)  // keeps x 10,000 in 64 bits
        invalid(text, expected);
    const std::string digits = std::string(parts.whole) + std::string(parts.fraction) +
                               std::string(kScaleDigits - parts.fraction.size(), '0');
    vfp::Value value;
    value.kind = vfp::Value::Kind::Currency;
    std::from_chars(digits.data(), digits.data() + digits.size(), value.integer);
    if (parts.negative)
        value.integer = -value.integer;
    return value;
}

vfp::Value integerValue(const std::string& text)
{
    vfp::Value value;
    value.kind = vfp::Value::Kind::Integer;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value.integer);
    if (error != std::errc{} || end != text.data() + text.size() ||
        value.integer < std::numeric_limits<std::int32_t>::min() ||
        value.integer > std::numeric_limits<std::int32_t>::max())
        invalid(text, "a 32-bit integer");
    return value;
}

vfp::Value doubleValue(const std::string& text)
{
    vfp::Value value;
    value.kind = vfp::Value::Kind::Double;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value.real);
    if (error != std::errc{} || end != text.data() + text.size())
        invalid(text, "a number");
    return value;
}

int number(std::string_view digits, const std::string& text, const std::string& expected)
{
    if (!isDigits(digits))
        invalid(text, expected);
    int n = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), n);
    return n;
}

vfp::Value dateValue(const std::string& text, bool withTime)
{
    const std::string expected = withTime ? "a date-time YYYY-MM-DD hh:mm:ss" : "a date YYYY-MM-DD";
    const std::size_t length = withTime ? 19 : 10;
    if (text.size() != length || text[4] != '-' || text[7] != '-')
        invalid(text, expected);
    const std::string_view s = text;
    vfp::Value value;
    value.kind = withTime ? vfp::Value::Kind::DateTime : vfp::Value::Kind::Date;
    value.year = number(s.substr(0, 4), text, expected);
    value.month = number(s.substr(5, 2), text, expected);
    value.day = number(s.substr(8, 2), text, expected);
    const std::chrono::year_month_day date{std::chrono::year{value.year},
                                           std::chrono::month{static_cast<unsigned>(value.month)},
                                           std::chrono::day{static_cast<unsigned>(value.day)}};
    if (!date.ok() || value.year < 1)
        invalid(text, expected);
    if (withTime) {
        if (text[10] != ' ' || text[13] != ':' || text[16] != ':')
            invalid(text, expected);
        value.hour = number(s.substr(11, 2), text, expected);
        value.minute = number(s.substr(14, 2), text, expected);
        value.second = number(s.substr(17, 2), text, expected);
        if (value.hour > 23 || value.minute > 59 || value.second > 59)
            invalid(text, expected);
    }
    return value;
}

vfp::Value textValue(const std::string& text)
{
    vfp::TextDecoder decoder(kTableCodePage);
    std::string roundTrip;
    decoder.decode(vfp::encodeText(text, kTableCodePage), roundTrip);
    if (roundTrip != text)
        invalid(text, "text that Windows-1252 can hold");
    vfp::Value value;
    value.kind = vfp::Value::Kind::Text;
    value.bytes = text;
    return value;
}

}  // namespace

vfp::Value parseSampleValue(const CsvCell& cell, const vfpwriter::FieldDefinition& field)
{
    using vfp::FieldType;
    vfp::Value value;
    if (!cell.quoted && cell.text == "NULL") {
        if (!field.nullable)
            throw std::runtime_error(
                "NULL in a field that cannot be Null (add \":null\" to its header)");
        value.kind = vfp::Value::Kind::Null;
        return value;
    }
    switch (field.type) {
        case FieldType::Character:
        case FieldType::Varchar:
        case FieldType::Memo:
            return textValue(cell.text);
        default:
            break;
    }
    if (cell.text.empty())
        return value;  // Empty: the writer stores the field's blank bytes
    switch (field.type) {
        case FieldType::Numeric:
        case FieldType::Float:
            return decimalValue(cell.text, field.decimals);
        case FieldType::Integer:
            return integerValue(cell.text);
        case FieldType::Double:
            return doubleValue(cell.text);
        case FieldType::Currency:
            return currencyValue(cell.text);
        case FieldType::Date:
            return dateValue(cell.text, false);
        case FieldType::DateTime:
            return dateValue(cell.text, true);
        case FieldType::Logical:
            if (cell.text != "T" && cell.text != "F")
                invalid(cell.text, "a logical T or F");
            value.kind = vfp::Value::Kind::Boolean;
            value.integer = cell.text == "T" ? 1 : 0;
            return value;
        default:
            throw std::runtime_error("the sample data set has no values for this field type");
    }
}

}  // namespace samples
