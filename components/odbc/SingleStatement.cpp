// The one-statement check: the SQL is scanned once per dialect, each with its own quotes and
// comments, and refused when any of them finds a ";" before the end or a quote left open. What
// one dialect reads as a string another may read as SQL, so only agreement is safe.
#include "components/odbc/SingleStatement.h"

#include <array>

namespace odbc {

namespace {

struct Dialect
{
    const char* name;
    bool backslashEscapes = false;       // \' and \" inside strings (MySQL)
    bool backquotes = false;             // `name`
    bool brackets = false;               // [name]
    bool dollarQuotes = false;           // $$text$$, $tag$text$tag$
    bool nestedComments = false;         // /* /* */ */
    bool hashComments = false;           // # to the end of the line
    bool dashCommentNeedsBlank = false;  // MySQL: "--" starts a comment only before a blank
    bool executableComments = false;     // MySQL runs the text of /*! ... */
};

const std::array<Dialect, 5> kDialects = {{
    {.name = "standard SQL"},
    {.name = "MySQL",
     .backslashEscapes = true,
     .backquotes = true,
     .hashComments = true,
     .dashCommentNeedsBlank = true,
     .executableComments = true},
    {.name = "PostgreSQL", .dollarQuotes = true, .nestedComments = true},
    {.name = "SQL Server", .brackets = true, .nestedComments = true},
    {.name = "SQLite", .backquotes = true, .brackets = true},
}};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool isWordByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           byte >= 0x80;
}

std::string at(std::size_t offset)
{
    return "character " + std::to_string(offset + 1);
}

class Scan
{
public:
    Scan(std::string_view sql, const Dialect& dialect) : mSql(sql), mDialect(dialect) {}

    // "" when one statement, else why not.
    std::string run()
    {
        while (mPos < mSql.size()) {
            const char c = mSql[mPos];
            const std::size_t start = mPos;
            if (c == '\'' || c == '"') {
                if (!closeQuote(c, mDialect.backslashEscapes))
                    return open(std::string("the quote ") + c, start);
            } else if (c == '`' && mDialect.backquotes) {
                if (!closeQuote('`', false))
                    return open("the back-quote", start);
            } else if (c == '[' && mDialect.brackets) {
                if (!closeQuote(']', false))
                    return open("the bracket [", start);
            } else if (c == '$' && mDialect.dollarQuotes && startsDollarQuote()) {
                if (!closeDollarQuote())
                    return open("the dollar quote", start);
            } else if (c == '-' && next(1) == '-' && dashComment()) {
                skipLine();
            } else if (c == '#' && mDialect.hashComments) {
                skipLine();
            } else if (c == '/' && next(1) == '*') {
                if (mDialect.executableComments && next(2) == '!') {
                    mPos += 3;  // its text is SQL to this dialect
                } else if (!closeComment()) {
                    return open("the comment /*", start);
                }
            } else if (c == ';') {
                for (std::size_t k = mPos + 1; k < mSql.size(); ++k) {
                    if (!isBlank(mSql[k]))
                        return std::string("is more than one statement: ") + mDialect.name +
                               " reads a \";\" outside quotes and comments at " + at(mPos);
                }
                return {};
            } else {
                ++mPos;
            }
        }
        return {};
    }

private:
    char next(std::size_t ahead) const
    {
        return mPos + ahead < mSql.size() ? mSql[mPos + ahead] : '\0';
    }

    std::string open(const std::string& what, std::size_t start) const
    {
        return "leaves " + what + " at " + at(start) + " open, as " + mDialect.name + " reads it";
    }

    // From an opening quote to past its closing one; a doubled closing quote stands for
    // itself. False when the text ends first.
    bool closeQuote(char close, bool backslashEscapes)
    {
        for (++mPos; mPos < mSql.size(); ++mPos) {
            const char c = mSql[mPos];
            if (backslashEscapes && c == '\\') {
                ++mPos;
            } else if (c == close) {
                if (next(1) != close) {
                    ++mPos;
                    return true;
                }
                ++mPos;
            }
        }
        return false;
    }

    bool dashComment() const
    {
        if (!mDialect.dashCommentNeedsBlank)
            return true;
        const char after = next(2);
        return after == '\0' || isBlank(after) || static_cast<unsigned char>(after) < 0x20;
    }

    void skipLine()
    {
        while (mPos < mSql.size() && mSql[mPos] != '\n')
            ++mPos;
    }

    // A comment from "/*" to past its "*/" (counting inner ones where they nest).
    bool closeComment()
    {
        int depth = 1;
        mPos += 2;
        while (mPos < mSql.size()) {
            if (mSql[mPos] == '*' && next(1) == '/') {
                mPos += 2;
                if (--depth == 0)
                    return true;
            } else if (mDialect.nestedComments && mSql[mPos] == '/' && next(1) == '*') {
                mPos += 2;
                ++depth;
            } else {
                ++mPos;
            }
        }
        return false;
    }

    // "$tag$" or "$$" where an identifier cannot go on ("a$b$" is a name, "$1" a parameter).
    bool startsDollarQuote()
    {
        if (mPos > 0 && (isWordByte(mSql[mPos - 1]) || mSql[mPos - 1] == '$'))
            return false;
        std::size_t end = mPos + 1;
        if (end < mSql.size() && mSql[end] >= '0' && mSql[end] <= '9')
            return false;
        while (end < mSql.size() && isWordByte(mSql[end]))
            ++end;
        if (end >= mSql.size() || mSql[end] != '$')
            return false;
        mTag = mSql.substr(mPos, end - mPos + 1);
        return true;
    }

    bool closeDollarQuote()
    {
        const std::size_t close = mSql.find(mTag, mPos + mTag.size());
        if (close == std::string_view::npos)
            return false;
        mPos = close + mTag.size();
        return true;
    }

    std::string_view mSql;
    const Dialect& mDialect;
    std::size_t mPos = 0;
    std::string_view mTag;
};

}  // namespace

std::string whyNotOneStatement(std::string_view sql)
{
    if (const std::size_t nul = sql.find('\0'); nul != std::string_view::npos)
        return "holds a NUL byte at " + at(nul);
    for (const Dialect& dialect : kDialects) {
        if (std::string why = Scan(sql, dialect).run(); !why.empty())
            return why;
    }
    return {};
}

}  // namespace odbc
