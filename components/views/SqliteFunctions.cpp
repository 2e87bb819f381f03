// FoxPro's rules for operators and functions that SQLite spells differently, as SQLite
// functions over the values the table module hands out.
#include "components/views/SqliteFunctions.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include <QString>

#include "components/views/IsoDate.h"
#include "components/views/OverflowMarks.h"
#include "components/views/Sandbox.h"

namespace views {

namespace {

constexpr int kSecondsPerDay = 86400;
// Significant digits FoxPro computes with; rounding looks at the number this precise.
constexpr int kSignificantDigits = 15;
// Below 2^52 every double's integer part and the halves between are exact.
constexpr double kExactDoubleLimit = 4503599627370496.0;

std::string_view textOf(sqlite3_value* value)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return {text == nullptr ? "" : text, static_cast<std::size_t>(sqlite3_value_bytes(value))};
}

std::string_view bytesOf(sqlite3_value* value)
{
    const auto* bytes = static_cast<const char*>(sqlite3_value_blob(value));
    return {bytes == nullptr ? "" : bytes, static_cast<std::size_t>(sqlite3_value_bytes(value))};
}

bool anyNull(int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    }
    return false;
}

bool isNumber(sqlite3_value* value)
{
    const int type = sqlite3_value_type(value);
    return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
}

OverflowMarks& marksOf(sqlite3_context* context)
{
    return *static_cast<OverflowMarks*>(sqlite3_user_data(context));
}

// A text longer than a view's value may be is born as a mark instead.
void resultText(sqlite3_context* context, std::string_view text)
{
    if (text.size() > static_cast<std::size_t>(kMaxValueBytes))
        return marksOf(context).markResult(context);
    sqlite3_result_text64(context, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

// A function that makes text from text gives a mark it is handed back unchanged, as it would
// give Null for Null: the cell it reaches is the one left unreadable.
bool passedOnMark(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i) {
        if (marksOf(context).isMark(argv[i])) {
            sqlite3_result_value(context, argv[i]);
            return true;
        }
    }
    return false;
}

void typeMismatch(sqlite3_context* context)
{
    sqlite3_result_error(context, "Operator/operand type mismatch.", -1);
}

// date + days, date-time + seconds (sign -1 subtracts).
void moveMoment(sqlite3_context* context, const Moment& start, sqlite3_value* amount, int sign)
{
    Moment moved = start;
    const double step = sqlite3_value_double(amount) * sign;
    if (std::fabs(step) > 1e12) {
        typeMismatch(context);
        return;
    }
    if (moved.hasTime)
        moved.seconds += static_cast<std::int64_t>(std::llround(step));
    else
        moved.days += static_cast<std::int64_t>(std::trunc(step));
    const std::optional<std::string> text = formatMoment(moved);
    if (!text) {
        sqlite3_result_error(context, "Date value is out of range.", -1);
        return;
    }
    resultText(context, *text);
}

void addNumbers(sqlite3_context* context, sqlite3_value* a, sqlite3_value* b, int sign)
{
    if (sqlite3_value_type(a) == SQLITE_INTEGER && sqlite3_value_type(b) == SQLITE_INTEGER) {
        std::int64_t sum = 0;
        const std::int64_t x = sqlite3_value_int64(a);
        const std::int64_t y = sqlite3_value_int64(b);
        const bool overflow =
            sign > 0 ? __builtin_add_overflow(x, y, &sum) : __builtin_sub_overflow(x, y, &sum);
        if (!overflow) {
            sqlite3_result_int64(context, sum);
            return;
        }
    }
    sqlite3_result_double(context, sqlite3_value_double(a) + sign * sqlite3_value_double(b));
}

void addOrSubtract(sqlite3_context* context, sqlite3_value** argv, int sign)
{
    sqlite3_value* a = argv[0];
    sqlite3_value* b = argv[1];
    if (isNumber(a) && isNumber(b)) {
        addNumbers(context, a, b, sign);
        return;
    }
    const bool textA = sqlite3_value_type(a) == SQLITE_TEXT;
    const bool textB = sqlite3_value_type(b) == SQLITE_TEXT;
    const std::optional<Moment> momentA = textA ? parseMoment(textOf(a)) : std::nullopt;
    const std::optional<Moment> momentB = textB ? parseMoment(textOf(b)) : std::nullopt;
    if (momentA && isNumber(b)) {
        moveMoment(context, *momentA, b, sign);
    } else if (momentB && isNumber(a) && sign > 0) {
        moveMoment(context, *momentB, a, 1);
    } else if (momentA && momentB && sign < 0 && momentA->hasTime == momentB->hasTime) {
        const std::int64_t difference =
            (momentA->days - momentB->days) * (momentA->hasTime ? kSecondsPerDay : 1) +
            (momentA->seconds - momentB->seconds);
        sqlite3_result_int64(context, difference);
    } else if (textA && textB) {
        const std::string_view left = textOf(a);
        const std::string_view right = textOf(b);
        if (sign > 0) {
            resultText(context, std::string(left) + std::string(right));
        } else {
            const std::size_t kept = left.find_last_not_of(' ') + 1;
            resultText(context, std::string(left.substr(0, kept)) + std::string(right) +
                                    std::string(left.size() - kept, ' '));
        }
    } else {
        typeMismatch(context);
    }
}

void vfpAdd(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (passedOnMark(context, argc, argv))
        return;
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    addOrSubtract(context, argv, 1);
}

void vfpSub(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (passedOnMark(context, argc, argv))
        return;
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    addOrSubtract(context, argv, -1);
}

// SET ANSI OFF compares the shorter value's length. For valid UTF-8, one text being a prefix
// of the other in characters is the same as being a prefix in bytes.
void vfpEq(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    const int typeA = sqlite3_value_type(argv[0]);
    const int typeB = sqlite3_value_type(argv[1]);
    bool equal = false;
    if ((typeA == SQLITE_TEXT && typeB == SQLITE_TEXT) ||
        (typeA == SQLITE_BLOB && typeB == SQLITE_BLOB)) {
        const std::string_view a = typeA == SQLITE_TEXT ? textOf(argv[0]) : bytesOf(argv[0]);
        const std::string_view b = typeB == SQLITE_TEXT ? textOf(argv[1]) : bytesOf(argv[1]);
        const std::size_t length = std::min(a.size(), b.size());
        equal = a.substr(0, length) == b.substr(0, length);
    } else if (isNumber(argv[0]) && isNumber(argv[1])) {
        equal = typeA == SQLITE_INTEGER && typeB == SQLITE_INTEGER
                    ? sqlite3_value_int64(argv[0]) == sqlite3_value_int64(argv[1])
                    : sqlite3_value_double(argv[0]) == sqlite3_value_double(argv[1]);
    }
    sqlite3_result_int(context, equal ? 1 : 0);
}

void vfpEmpty(sqlite3_context* context, int, sqlite3_value** argv)
{
    bool empty = false;
    switch (sqlite3_value_type(argv[0])) {
        case SQLITE_INTEGER:
            empty = sqlite3_value_int64(argv[0]) == 0;
            break;
        case SQLITE_FLOAT:
            empty = sqlite3_value_double(argv[0]) == 0.0;
            break;
        case SQLITE_TEXT:
            empty = textOf(argv[0]).find_first_not_of(" \t\r\n") == std::string_view::npos;
            break;
        case SQLITE_BLOB:
            empty = sqlite3_value_bytes(argv[0]) == 0;
            break;
        default:  // EMPTY(.NULL.) is .F. in FoxPro
            break;
    }
    sqlite3_result_int(context, empty ? 1 : 0);
}

void vfpCy(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    sqlite3_result_double(context, roundHalfAway(sqlite3_value_double(argv[0]), 4));
}

void vfpRound(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    const std::int64_t places = sqlite3_value_int64(argv[1]);
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER && places >= 0)
        return sqlite3_result_int64(context, sqlite3_value_int64(argv[0]));
    const int clamped =
        static_cast<int>(std::clamp<std::int64_t>(places, -kSignificantDigits, kSignificantDigits));
    sqlite3_result_double(context, roundHalfAway(sqlite3_value_double(argv[0]), clamped));
}

void vfpMod(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER &&
        sqlite3_value_type(argv[1]) == SQLITE_INTEGER) {
        const std::int64_t a = sqlite3_value_int64(argv[0]);
        const std::int64_t b = sqlite3_value_int64(argv[1]);
        if (b == 0)
            return sqlite3_result_null(context);
        if (b == -1)  // a % -1 is 0; INT64_MIN % -1 would trap
            return sqlite3_result_int64(context, 0);
        std::int64_t r = a % b;
        if (r != 0 && ((r < 0) != (b < 0)))
            r += b;
        return sqlite3_result_int64(context, r);
    }
    const double a = sqlite3_value_double(argv[0]);
    const double b = sqlite3_value_double(argv[1]);
    if (b == 0.0)
        return sqlite3_result_null(context);
    double r = std::fmod(a, b);
    if (r != 0.0 && ((r < 0) != (b < 0)))
        r += b;
    sqlite3_result_double(context, r);
}

std::string fixed(double value, int decimals)
{
    std::array<char, 400> buffer{};
    const double rounded = roundHalfAway(value, decimals);
    std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, rounded == 0.0 ? 0.0 : rounded);
    return buffer.data();
}

void vfpStr(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    const double value = sqlite3_value_double(argv[0]);
    const auto width = static_cast<std::size_t>(
        std::clamp<std::int64_t>(sqlite3_value_int64(argv[1]), 1, 255));  // FoxPro's widest STR()
    int decimals = static_cast<int>(std::clamp<std::int64_t>(sqlite3_value_int64(argv[2]), 0, 18));
    // Too wide: FoxPro gives up decimals first, then shows asterisks.
    for (; decimals >= 0; --decimals) {
        const std::string text = fixed(value, decimals);
        if (text.size() <= width && std::isfinite(value))
            return resultText(context, std::string(width - text.size(), ' ') + text);
    }
    resultText(context, std::string(width, '*'));
}

void vfpVal(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    if (isNumber(argv[0]))
        return sqlite3_result_value(context, argv[0]);
    const std::string_view text = textOf(argv[0]);
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos)
        return sqlite3_result_int(context, 0);
    const std::size_t start = i;
    if (text[i] == '+' || text[i] == '-')
        ++i;
    const std::size_t digitsStart = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    bool whole = true;
    if (i < text.size() && text[i] == '.') {
        whole = false;
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
    }
    if (i == digitsStart || (i == digitsStart + 1 && !whole))
        return sqlite3_result_int(context, 0);
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && text[j] >= '0' && text[j] <= '9') {
            whole = false;
            while (j < text.size() && text[j] >= '0' && text[j] <= '9')
                ++j;
            i = j;
        }
    }
    const std::string number(text.substr(start, i - start));
    if (whole && number.size() < 19)
        return sqlite3_result_int64(context, std::stoll(number));
    sqlite3_result_double(context, std::strtod(number.c_str(), nullptr));
}

void changeCase(sqlite3_context* context, sqlite3_value* value, bool toUpper)
{
    if (passedOnMark(context, 1, &value))
        return;
    if (sqlite3_value_type(value) != SQLITE_TEXT)
        return sqlite3_result_value(context, value);
    const std::string_view text = textOf(value);
    const QString unicode = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QByteArray changed = (toUpper ? unicode.toUpper() : unicode.toLower()).toUtf8();
    resultText(context,
               std::string_view(changed.constData(), static_cast<std::size_t>(changed.size())));
}

void vfpUpper(sqlite3_context* context, int, sqlite3_value** argv)
{
    changeCase(context, argv[0], true);
}

void vfpLower(sqlite3_context* context, int, sqlite3_value** argv)
{
    changeCase(context, argv[0], false);
}

// PADL/PADR/PADC: side -1 pads on the left, 1 on the right, 0 on both. A longer value is cut
// to the length asked for. Each character takes a byte at least: a length past the longest
// value is a mark before anything is built.
void pad(sqlite3_context* context, int argc, sqlite3_value** argv, int side)
{
    if (passedOnMark(context, argc, argv))
        return;
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    const std::string_view text = textOf(argv[0]);
    const std::int64_t length = sqlite3_value_int64(argv[1]);
    if (length > kMaxValueBytes)
        return marksOf(context).markResult(context);
    const QString value = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QString fill =
        QString::fromUtf8(textOf(argv[2]).data(), static_cast<qsizetype>(textOf(argv[2]).size()));
    const QChar padding = fill.isEmpty() ? QLatin1Char(' ') : fill.front();
    const qsizetype wanted = static_cast<qsizetype>(std::max<std::int64_t>(length, 0));
    QString out = value.left(wanted);
    const qsizetype missing = wanted - out.size();
    const qsizetype before = side < 0 ? missing : side == 0 ? missing / 2 : 0;
    out = QString(before, padding) + out + QString(missing - before, padding);
    const QByteArray bytes = out.toUtf8();
    resultText(context,
               std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void vfpPadl(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    pad(context, argc, argv, -1);
}

void vfpPadr(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    pad(context, argc, argv, 1);
}

void vfpPadc(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    pad(context, argc, argv, 0);
}

void vfpReplicate(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (passedOnMark(context, argc, argv))
        return;
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    const std::string_view text = textOf(argv[0]);
    const std::int64_t times = std::max<std::int64_t>(sqlite3_value_int64(argv[1]), 0);
    if (!text.empty() && times > kMaxValueBytes / static_cast<std::int64_t>(text.size()))
        return marksOf(context).markResult(context);
    std::string out;
    out.reserve(text.size() * static_cast<std::size_t>(times));
    for (std::int64_t i = 0; i < times; ++i)
        out += text;
    resultText(context, out);
}

struct Registration
{
    const char* name;
    int args;
    void (*function)(sqlite3_context*, int, sqlite3_value**);
};

constexpr std::array<Registration, 15> kRegistrations{{
    {"vfp_add", 2, vfpAdd},
    {"vfp_sub", 2, vfpSub},
    {"vfp_eq", 2, vfpEq},
    {"vfp_empty", 1, vfpEmpty},
    {"vfp_cy", 1, vfpCy},
    {"vfp_round", 2, vfpRound},
    {"vfp_mod", 2, vfpMod},
    {"vfp_str", 3, vfpStr},
    {"vfp_val", 1, vfpVal},
    {"vfp_upper", 1, vfpUpper},
    {"vfp_lower", 1, vfpLower},
    {"vfp_padl", 3, vfpPadl},
    {"vfp_padr", 3, vfpPadr},
    {"vfp_padc", 3, vfpPadc},
    {"vfp_replicate", 2, vfpReplicate},
}};

}  // namespace

double roundHalfAway(double x, int places)
{
    if (!std::isfinite(x) || x == 0.0)
        return x;
    const double scale = std::pow(10.0, std::abs(places));
    const double scaled = places >= 0 ? std::fabs(x) * scale : std::fabs(x) / scale;
    double kept = 0;
    // Far from a half, the binary value rounds as its 15-digit decimal does: no need to
    // write the decimal out.
    const double fraction = scaled - std::floor(scaled);
    if (scaled < kExactDoubleLimit && std::fabs(fraction - 0.5) > scaled * 1e-14 + 1e-9) {
        kept = std::round(scaled);
    } else {
        // The value with 15 significant digits: d.dddddddddddddde±x.
        std::array<char, 48> buffer{};
        std::snprintf(buffer.data(), buffer.size(), "%.*e", kSignificantDigits - 1, std::fabs(x));
        std::int64_t mantissa = buffer[0] - '0';
        for (int i = 2; i <= kSignificantDigits; ++i)
            mantissa = mantissa * 10 + (buffer[static_cast<std::size_t>(i)] - '0');
        const int exponent = std::atoi(buffer.data() + kSignificantDigits + 2);
        // mantissa x 10^(exponent - 14); keep the digits down to 10^-places.
        const int dropped = (kSignificantDigits - 1 - exponent) - places;
        if (dropped <= 0)
            return x;
        if (dropped > kSignificantDigits)
            return 0.0;
        std::int64_t divisor = 1;
        for (int i = 0; i < dropped; ++i)
            divisor *= 10;
        kept =
            static_cast<double>(mantissa / divisor + (mantissa % divisor >= divisor / 2 ? 1 : 0));
    }
    const double magnitude = places >= 0 ? kept / scale : kept * scale;
    return x < 0 ? -magnitude : magnitude;
}

int registerSqliteFunctions(sqlite3* db, OverflowMarks& marks)
{
    constexpr int kFlags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    for (const Registration& r : kRegistrations) {
        const int rc = sqlite3_create_function_v2(db, r.name, r.args, kFlags, &marks, r.function,
                                                  nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            return rc;
    }
    return SQLITE_OK;
}

bool isFoxFunction(std::string_view name)
{
    return std::any_of(kRegistrations.begin(), kRegistrations.end(),
                       [&](const Registration& r) { return name == r.name; });
}

}  // namespace views
