// The parser's token cursor and its messages.
#include <algorithm>
#include <array>

#include "components/foxsql/SqlParser.h"
#include "components/foxsql/TranslationError.h"
#include "components/text/AsciiCase.h"

namespace foxsql {

namespace {

// Words that end a table reference or a select item instead of naming an alias.
constexpr std::array<std::string_view, 28> kClauseWords{
    "FROM",  "WHERE",  "GROUP", "HAVING", "ORDER",    "UNION",     "INTO",
    "TO",    "INNER",  "LEFT",  "RIGHT",  "FULL",     "OUTER",     "JOIN",
    "ON",    "AND",    "OR",    "NOT",    "NOFILTER", "READWRITE", "NOCONSOLE",
    "PLAIN", "NOWAIT", "WITH",  "AS",     "SELECT",   "ASC",       "DESC"};

// Levels of SqlParser::Nesting open on this thread, over the parsers of views read by views.
thread_local int tNesting = 0;

}  // namespace

SqlParser::SqlParser(std::vector<Token> tokens, std::string_view databaseName, SchemaLookup& lookup)
    : mTokens(std::move(tokens)), mDatabaseName(databaseName), mLookup(lookup)
{}

const Token& SqlParser::peek(std::size_t ahead) const
{
    return mTokens[std::min(mPos + ahead, mTokens.size() - 1)];
}

const Token& SqlParser::take()
{
    const Token& token = peek();
    if (mPos < mTokens.size() - 1)
        ++mPos;
    return token;
}

bool SqlParser::isWord(std::string_view word, std::size_t ahead) const
{
    const Token& token = peek(ahead);
    return token.kind == TokenKind::Name && !token.quoted &&
           text::equalsIgnoringAsciiCase(token.text, word);
}

bool SqlParser::acceptWord(std::string_view word)
{
    if (!isWord(word))
        return false;
    take();
    return true;
}

void SqlParser::expectWord(std::string_view word, std::string_view context)
{
    if (!acceptWord(word))
        fail(peek(), std::string(context) + " needs " + std::string(word) + found(peek()));
}

bool SqlParser::isSymbol(std::string_view symbol, std::size_t ahead) const
{
    const Token& token = peek(ahead);
    return token.kind == TokenKind::Symbol && token.text == symbol;
}

bool SqlParser::acceptSymbol(std::string_view symbol)
{
    if (!isSymbol(symbol))
        return false;
    take();
    return true;
}

void SqlParser::expectSymbol(std::string_view symbol, std::string_view context)
{
    if (!acceptSymbol(symbol))
        fail(peek(),
             std::string(context) + " needs \"" + std::string(symbol) + "\"" + found(peek()));
}

void SqlParser::fail(const Token& at, const std::string& what) const
{
    throw TranslationError(what + " " + positionText(at.offset));
}

SqlParser::Nesting::Nesting(const SqlParser& parser)
{
    if (tNesting >= kMaxNesting)
        parser.fail(parser.peek(),
                    "the SQL nests brackets, sub-queries, views, functions or "
                    "operators more than " +
                        std::to_string(kMaxNesting) + " deep");
    ++tNesting;
}

SqlParser::Nesting::~Nesting()
{
    --tNesting;
}

std::string SqlParser::found(const Token& token)
{
    return token.kind == TokenKind::End ? ", not at the end of the SQL"
                                        : ", not \"" + token.text + "\"";
}

bool SqlParser::isClauseWord(const Token& token) const
{
    if (token.kind != TokenKind::Name || token.quoted)
        return false;
    return std::any_of(kClauseWords.begin(), kClauseWords.end(), [&](std::string_view word) {
        return text::equalsIgnoringAsciiCase(token.text, word);
    });
}

}  // namespace foxsql
