// The cell text of a value: what the export writes for each field. Runs once per cell, so it
// appends into the caller's buffer and never allocates beyond that buffer's growth.
#include "components/database/Variant.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <string_view>
#include <system_error>

namespace database {

namespace {

// Longest shortest round-trip double: 17 digits, sign, point and a four-character exponent.
constexpr std::size_t kDoubleTextCapacity = 32;
// A stored exponent ("1.5E+3") is written out in plain digits; beyond this many digits the
// stored text is kept as it is instead of growing a cell without bound.
constexpr int kMaxPlainDigits = 400;

void appendDigits(std::string& out, std::uint64_t value, int minimumWidth)
{
    std::array<char, 24> buffer{};
    char* end = buffer.data() + buffer.size();
    char* p = end;
    do {
        *--p = static_cast<char>('0' + value % 10);
        value /= 10;
        --minimumWidth;
    } while (value != 0 || minimumWidth > 0);
    out.append(p, static_cast<std::size_t>(end - p));
}

void appendInteger(std::string& out, std::int64_t value)
{
    // The magnitude in unsigned arithmetic, so the most negative value keeps its digits.
    std::uint64_t magnitude = static_cast<std::uint64_t>(value);
    if (value < 0) {
        out.push_back('-');
        magnitude = ~magnitude + 1;
    }
    appendDigits(out, magnitude, 1);
}

void appendDouble(std::string& out, double value)
{
    if (value == 0.0) {  // -0.0 included: a cell has no negative zero
        out.push_back('0');
        return;
    }
    // The shortest text that reads back as the very same double, in plain or exponent form,
    // whichever is shorter ("0.30000000000000004", "1e+300").
    std::array<char, kDoubleTextCapacity> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (result.ec == std::errc())
        out.append(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
}

void appendCurrency(std::string& out, std::int64_t scaled)
{
    constexpr std::uint64_t kScale = 10000;  // currency is stored as value x 10,000
    std::uint64_t magnitude = static_cast<std::uint64_t>(scaled);
    if (scaled < 0) {
        out.push_back('-');
        magnitude = ~magnitude + 1;
    }
    appendDigits(out, magnitude / kScale, 1);
    std::uint64_t fraction = magnitude % kScale;
    if (fraction == 0)
        return;
    int width = 4;
    while (fraction % 10 == 0) {
        fraction /= 10;
        --width;
    }
    out.push_back('.');
    appendDigits(out, fraction, width);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A decimal number as the engine hands it over: [-+] digits [. digits] [E [-+] digits], with
// blanks around it. Written as plain decimal with no leading or trailing zeros; false (and
// nothing appended) when the text is not such a number.
bool appendPlainDecimal(std::string& out, std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);

    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    const std::size_t integerStart = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    const std::string_view integerDigits = text.substr(integerStart, i - integerStart);
    std::string_view fractionDigits;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionStart = ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        fractionDigits = text.substr(fractionStart, i - fractionStart);
    }
    if (integerDigits.empty() && fractionDigits.empty())
        return false;
    long exponent = 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            negativeExponent = text[i++] == '-';
        if (i == text.size())
            return false;
        while (i < text.size() && isDigit(text[i])) {
            exponent = exponent * 10 + (text[i++] - '0');
            if (exponent > kMaxPlainDigits)
                return false;
        }
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != text.size())
        return false;

    // All significant digits in one run; the decimal point sits after `point` of them.
    // Leading zeros of the integer part and trailing zeros of the fraction carry nothing.
    std::size_t lead = 0;
    while (lead < integerDigits.size() && integerDigits[lead] == '0')
        ++lead;
    std::size_t fractionLength = fractionDigits.size();
    while (fractionLength > 0 && fractionDigits[fractionLength - 1] == '0')
        --fractionLength;
    const std::string_view wholePart = integerDigits.substr(lead);
    const std::string_view fractionPart = fractionDigits.substr(0, fractionLength);
    const long digitCount = static_cast<long>(wholePart.size() + fractionPart.size());
    if (digitCount == 0) {
        out.push_back('0');
        return true;
    }
    const long point = static_cast<long>(wholePart.size()) + exponent;
    if (point > kMaxPlainDigits || point < -kMaxPlainDigits)
        return false;
    const auto digitAt = [&](long k) {
        const auto index = static_cast<std::size_t>(k);
        return index < wholePart.size() ? wholePart[index] : fractionPart[index - wholePart.size()];
    };

    // Skip zeros a negative exponent moved into the front, and zeros a positive one moved
    // behind the point; what remains decides the sign of a zero.
    long first = 0;
    while (first < digitCount && digitAt(first) == '0')
        ++first;
    long last = digitCount;
    while (last > first && last > point && digitAt(last - 1) == '0')
        --last;
    if (first == digitCount) {
        out.push_back('0');
        return true;
    }
    if (negative)
        out.push_back('-');
    if (point <= first) {
        out.push_back('0');
    } else {
        for (long k = first; k < point; ++k)
            out.push_back(k < digitCount ? digitAt(k) : '0');
    }
    if (last > point) {
        out.push_back('.');
        for (long k = point; k < first; ++k)
            out.push_back('0');
        for (long k = std::max(point, first); k < last; ++k)
            out.push_back(digitAt(k));
    }
    return true;
}

void appendHex(std::string& out, std::string_view bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const std::size_t start = out.size();
    out.resize(start + bytes.size() * 2);
    char* p = out.data() + start;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *p++ = kDigits[byte >> 4];
        *p++ = kDigits[byte & 0x0F];
    }
}

void appendDate(std::string& out, const Variant& value)
{
    appendDigits(out, static_cast<std::uint64_t>(value.year), 4);
    out.push_back('-');
    appendDigits(out, static_cast<std::uint64_t>(value.month), 2);
    out.push_back('-');
    appendDigits(out, static_cast<std::uint64_t>(value.day), 2);
}

void appendTime(std::string& out, const Variant& value)
{
    appendDigits(out, static_cast<std::uint64_t>(value.hour), 2);
    out.push_back(':');
    appendDigits(out, static_cast<std::uint64_t>(value.minute), 2);
    out.push_back(':');
    appendDigits(out, static_cast<std::uint64_t>(value.second), 2);
}

}  // namespace

void appendText(const Variant& value, std::string& out)
{
    using Kind = Variant::Kind;
    switch (value.kind) {
        case Kind::Empty:
        case Kind::Null:
            return;
        case Kind::Text:
            out.append(value.bytes);
            return;
        case Kind::Binary:
            appendHex(out, value.bytes);
            return;
        case Kind::Integer:
            appendInteger(out, value.integer);
            return;
        case Kind::Double:
            appendDouble(out, value.real);
            return;
        case Kind::Currency:
            appendCurrency(out, value.integer);
            return;
        case Kind::Decimal:
            if (!appendPlainDecimal(out, value.bytes))
                out.append(value.bytes);  // "***" overflow marks and the like stay as stored
            return;
        case Kind::Date:
            appendDate(out, value);
            return;
        case Kind::DateTime:
            appendDate(out, value);
            out.push_back(' ');
            appendTime(out, value);
            return;
        case Kind::Boolean:
            out.append(value.integer != 0 ? "True" : "False");
            return;
    }
}

std::string toText(const Variant& value)
{
    std::string text;
    appendText(value, text);
    return text;
}

}  // namespace database
