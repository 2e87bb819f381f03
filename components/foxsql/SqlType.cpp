// Reading and writing DataType texts.
#include "components/foxsql/SqlType.h"

#include "components/text/AsciiCase.h"

namespace foxsql {

namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// Reads a small decimal number; -1 when text is no such number.
int smallNumber(std::string_view text)
{
    text = trimmed(text);
    if (text.empty() || text.size() > 3)
        return -1;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

bool SqlType::isBinary() const
{
    return binary || letter == 'G' || letter == 'W' || letter == 'P' || letter == 'Q';
}

std::optional<SqlType> parseDataType(std::string_view text)
{
    const std::string upper = text::upperAscii(trimmed(text));
    static constexpr std::string_view kLetters = "CVMNFIBYDTLGWPQ";
    if (upper.empty() || kLetters.find(upper[0]) == std::string_view::npos)
        return std::nullopt;
    SqlType type = SqlType::of(upper[0]);
    std::string_view rest = std::string_view(upper).substr(1);
    if (!rest.empty() && rest.front() == '(') {
        const std::size_t close = rest.find(')');
        if (close == std::string_view::npos)
            return std::nullopt;
        const std::string_view inside = rest.substr(1, close - 1);
        const std::size_t comma = inside.find(',');
        type.width = smallNumber(inside.substr(0, comma));
        type.decimals = comma == std::string_view::npos ? 0 : smallNumber(inside.substr(comma + 1));
        if (type.width < 0 || type.decimals < 0)
            return std::nullopt;
        if (type.letter == 'B') {  // B(n): n is the number of decimals shown
            type.decimals = type.width;
            type.width = 0;
        }
        rest = rest.substr(close + 1);
    } else if (type.hasWidth()) {
        return std::nullopt;
    }
    rest = trimmed(rest);
    if (rest == "NOCPTRANS")
        type.binary = true;
    else if (!rest.empty() && rest != "NULL" && rest != "NOT NULL")
        return std::nullopt;
    return type;
}

std::string dataTypeText(const SqlType& type)
{
    std::string text(1, type.letter);
    if (type.hasWidth() && type.width > 0) {
        text.append("(").append(std::to_string(type.width));
        if (type.decimals > 0)
            text.append(",").append(std::to_string(type.decimals));
        text += ")";
    } else if (type.letter == 'B' && type.decimals > 0) {
        text.append("(").append(std::to_string(type.decimals)).append(")");
    }
    if (type.binary)
        text += " NOCPTRANS";
    return text;
}

}  // namespace foxsql
