// The FoxPro SQL tokenizer: one pass over the bytes, each token kept with its position.
#include "components/foxsql/FoxSqlLexer.h"

#include <array>
#include <cstdio>

#include "components/calendar/Calendar.h"
#include "components/foxsql/TranslationError.h"

namespace foxsql {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isNameStart(char c)
{
    // Bytes of 0x80 and above belong to UTF-8 letters: FoxPro names may hold accented letters.
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool isNamePart(char c)
{
    return isNameStart(c) || isDigit(c);
}

char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Reads up to maxDigits digits at text[i]; -1 when there is none.
int readNumber(std::string_view text, std::size_t& i, int maxDigits)
{
    int value = 0;
    int digits = 0;
    while (i < text.size() && isDigit(text[i]) && digits < maxDigits) {
        value = value * 10 + (text[i++] - '0');
        ++digits;
    }
    return digits == 0 ? -1 : value;
}

void skipBlanks(std::string_view text, std::size_t& i)
{
    while (i < text.size() && text[i] == ' ')
        ++i;
}

class Lexer
{
public:
    explicit Lexer(std::string_view sql) : mSql(sql) {}

    std::vector<Token> run()
    {
        while (true) {
            skipSpaceAndComments();
            if (mPos >= mSql.size())
                break;
            mTokens.push_back(next());
        }
        mTokens.push_back(Token{TokenKind::End, {}, mSql.size(), false});
        return std::move(mTokens);
    }

private:
    [[noreturn]] void fail(std::size_t offset, const std::string& what) const
    {
        throw TranslationError(what + " " + positionText(offset));
    }

    bool lineEndsAfter(std::size_t i) const
    {
        while (i < mSql.size() && (mSql[i] == ' ' || mSql[i] == '\t'))
            ++i;
        return i >= mSql.size() || mSql[i] == '\r' || mSql[i] == '\n';
    }

    void skipSpaceAndComments()
    {
        while (mPos < mSql.size()) {
            const char c = mSql[mPos];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f') {
                ++mPos;
            } else if (c == '&' && mPos + 1 < mSql.size() && mSql[mPos + 1] == '&') {
                while (mPos < mSql.size() && mSql[mPos] != '\n')
                    ++mPos;
            } else if (c == ';' && lineEndsAfter(mPos + 1)) {
                ++mPos;  // line continuation
            } else {
                return;
            }
        }
    }

    Token make(TokenKind kind, std::string text, std::size_t start, bool quoted = false) const
    {
        return Token{kind, std::move(text), start, quoted};
    }

    Token next()
    {
        const std::size_t start = mPos;
        const char c = mSql[mPos];
        if (isNameStart(c))
            return name(start);
        if (isDigit(c) || (c == '.' && mPos + 1 < mSql.size() && isDigit(mSql[mPos + 1])))
            return number(start);
        if (c == '.')
            return dotted(start);
        if (c == '\'' || c == '"' || c == '[')
            return text(start, c == '[' ? ']' : c);
        if (c == '`')
            return quotedName(start);
        if (c == '{')
            return date(start);
        if (c == '?')
            return parameter(start);
        if (c == '$' && mPos + 1 < mSql.size() &&
            (isDigit(mSql[mPos + 1]) || mSql[mPos + 1] == '.') && !followsOperand()) {
            ++mPos;
            Token amount = number(mPos);
            return make(TokenKind::Currency, amount.text, start);
        }
        if (c == '&')
            fail(start, "macro substitution (&) has no value outside FoxPro");
        return symbol(start);
    }

    // True when the previous token ends an operand, so "$" is the "contained in" operator.
    bool followsOperand() const
    {
        if (mTokens.empty())
            return false;
        const Token& last = mTokens.back();
        if (last.kind != TokenKind::Symbol)
            return true;
        return last.text == ")";
    }

    Token name(std::size_t start)
    {
        while (mPos < mSql.size() && isNamePart(mSql[mPos]))
            ++mPos;
        return make(TokenKind::Name, std::string(mSql.substr(start, mPos - start)), start);
    }

    Token quotedName(std::size_t start)
    {
        const std::size_t close = mSql.find('`', start + 1);
        if (close == std::string_view::npos)
            fail(start, "a name in back-quotes has no closing back-quote");
        mPos = close + 1;
        return make(TokenKind::Name, std::string(mSql.substr(start + 1, close - start - 1)), start,
                    true);
    }

    Token number(std::size_t start)
    {
        if (mSql[mPos] == '0' && mPos + 1 < mSql.size() && upper(mSql[mPos + 1]) == 'X')
            return hexNumber(start);
        while (mPos < mSql.size() && isDigit(mSql[mPos]))
            ++mPos;
        if (mPos < mSql.size() && mSql[mPos] == '.' && !startsDottedWord(mPos)) {
            ++mPos;
            while (mPos < mSql.size() && isDigit(mSql[mPos]))
                ++mPos;
        }
        if (mPos < mSql.size() && upper(mSql[mPos]) == 'E') {
            std::size_t i = mPos + 1;
            if (i < mSql.size() && (mSql[i] == '+' || mSql[i] == '-'))
                ++i;
            if (i < mSql.size() && isDigit(mSql[i])) {
                while (i < mSql.size() && isDigit(mSql[i]))
                    ++i;
                mPos = i;
            }
        }
        if (mPos < mSql.size() && isNameStart(mSql[mPos])) {
            std::string message =
                "\"";  // appended piecewise: GCC 12 warns falsely about "lit" + string
            message.append(mSql.substr(start, mPos - start + 1))
                .append("\" is neither a number nor a name");
            fail(start, message);
        }
        return make(TokenKind::Number, std::string(mSql.substr(start, mPos - start)), start);
    }

    Token hexNumber(std::size_t start)
    {
        mPos += 2;
        unsigned long long value = 0;
        int digits = 0;
        while (mPos < mSql.size()) {
            const char h = upper(mSql[mPos]);
            int digit = -1;
            if (isDigit(h))
                digit = h - '0';
            else if (h >= 'A' && h <= 'F')
                digit = h - 'A' + 10;
            if (digit < 0)
                break;
            if (++digits > 15)  // beyond 15 hex digits the value no longer fits a double exactly
                fail(start, "the hexadecimal number is too long");
            value = value * 16 + static_cast<unsigned>(digit);
            ++mPos;
        }
        if (digits == 0)
            fail(start, "\"0x\" is not followed by hexadecimal digits");
        return make(TokenKind::Number, std::to_string(value), start);
    }

    // True when a word between dots (".AND.") starts at i.
    bool startsDottedWord(std::size_t i) const
    {
        std::size_t j = i + 1;
        while (j < mSql.size() && isNameStart(mSql[j]) && j - i <= 5)
            ++j;
        return j > i + 1 && j < mSql.size() && mSql[j] == '.';
    }

    Token dotted(std::size_t start)
    {
        if (!startsDottedWord(start))
            return symbol(start);
        std::size_t end = start + 1;
        std::string word;
        while (mSql[end] != '.')
            word.push_back(upper(mSql[end++]));
        if (word == "T" || word == "Y" || word == "F" || word == "N") {
            mPos = end + 1;
            return make(TokenKind::Logical, (word == "T" || word == "Y") ? "1" : "0", start);
        }
        if (word == "AND" || word == "OR" || word == "NOT" || word == "NULL") {
            mPos = end + 1;
            return make(TokenKind::Name, word, start);
        }
        return symbol(start);
    }

    Token text(std::size_t start, char close)
    {
        const std::size_t end = mSql.find(close, start + 1);
        if (end == std::string_view::npos)
            fail(start,
                 std::string("a text starting with ") + mSql[start] + " has no closing " + close);
        mPos = end + 1;
        return make(TokenKind::Text, std::string(mSql.substr(start + 1, end - start - 1)), start);
    }

    Token parameter(std::size_t start)
    {
        ++mPos;
        skipBlanks(mSql, mPos);
        const std::size_t nameStart = mPos;
        while (mPos < mSql.size() && isNamePart(mSql[mPos]))
            ++mPos;
        return make(TokenKind::Parameter, std::string(mSql.substr(nameStart, mPos - nameStart)),
                    start);
    }

    Token date(std::size_t start)
    {
        const std::size_t close = mSql.find('}', start + 1);
        if (close == std::string_view::npos)
            fail(start, "a date in braces has no closing }");
        mPos = close + 1;
        const std::string_view inner = mSql.substr(start + 1, close - start - 1);
        const std::string literal(mSql.substr(start, close - start + 1));

        bool empty = true;
        for (const char c : inner)
            empty = empty && (c == ' ' || c == '/' || c == '-' || c == '.' || c == ':');
        if (empty)
            return make(TokenKind::Date, {}, start);

        std::size_t i = 0;
        skipBlanks(inner, i);
        if (i >= inner.size() || inner[i] != '^')
            fail(start, "the date " + literal +
                            " is read according to SET DATE; write it as {^yyyy-mm-dd}");
        ++i;
        const int year = readNumber(inner, i, 4);
        const bool separated1 =
            i < inner.size() && (inner[i] == '-' || inner[i] == '/' || inner[i] == '.');
        i += separated1 ? 1 : 0;
        const int month = readNumber(inner, i, 2);
        const bool separated2 =
            i < inner.size() && (inner[i] == '-' || inner[i] == '/' || inner[i] == '.');
        i += separated2 ? 1 : 0;
        const int day = readNumber(inner, i, 2);
        if (!separated1 || !separated2 || !calendar::isValidDate(year, month, day))
            fail(start, "the date " + literal + " is not a calendar date");

        std::array<char, 48> buffer{};
        std::snprintf(buffer.data(), buffer.size(), "%04d-%02d-%02d", year, month, day);
        std::string value(buffer.data());

        skipBlanks(inner, i);
        if (i < inner.size() && (inner[i] == ',' || upper(inner[i]) == 'T'))
            ++i;
        skipBlanks(inner, i);
        if (i >= inner.size())
            return make(TokenKind::Date, value, start);

        int hour = readNumber(inner, i, 2);
        int minute = 0;
        int second = 0;
        if (i < inner.size() && inner[i] == ':') {
            ++i;
            minute = readNumber(inner, i, 2);
            if (i < inner.size() && inner[i] == ':') {
                ++i;
                second = readNumber(inner, i, 2);
            }
        }
        skipBlanks(inner, i);
        if (i < inner.size() && (upper(inner[i]) == 'A' || upper(inner[i]) == 'P')) {
            const bool pm = upper(inner[i]) == 'P';
            ++i;
            if (i < inner.size() && upper(inner[i]) == 'M')
                ++i;
            if (hour < 1 || hour > 12)
                fail(start, "the date-time " + literal + " has no valid hour");
            hour = (hour % 12) + (pm ? 12 : 0);
        }
        skipBlanks(inner, i);
        if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
            i != inner.size())
            fail(start, "the date-time " + literal + " is not a valid time of day");
        std::snprintf(buffer.data(), buffer.size(), " %02d:%02d:%02d", hour, minute, second);
        return make(TokenKind::DateTime, value + buffer.data(), start);
    }

    Token symbol(std::size_t start)
    {
        static constexpr std::array<std::string_view, 6> kPairs{"==", "<>", "!=", "<=", ">=", "**"};
        for (const std::string_view pair : kPairs) {
            if (mSql.substr(start, 2) == pair) {
                mPos = start + 2;
                return make(TokenKind::Symbol, std::string(pair), start);
            }
        }
        static constexpr std::string_view kSingles = "=<>#+-*/%^$!(),.";
        if (kSingles.find(mSql[start]) == std::string_view::npos)
            fail(start,
                 std::string("the character \"") + mSql[start] + "\" has no meaning in FoxPro SQL");
        mPos = start + 1;
        return make(TokenKind::Symbol, std::string(1, mSql[start]), start);
    }

    std::string_view mSql;
    std::size_t mPos = 0;
    std::vector<Token> mTokens;
};

}  // namespace

std::vector<Token> tokenizeFoxSql(std::string_view sql)
{
    return Lexer(sql).run();
}

std::string positionText(std::size_t offset)
{
    return "at character " + std::to_string(offset + 1);
}

}  // namespace foxsql
