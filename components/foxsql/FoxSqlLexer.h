// Splits the SQL of a FoxPro view into tokens: names, numbers, texts, dates, operators.
// FoxPro's own spellings are folded here (.AND. is the name AND, .T. a logical), so the
// translator sees one spelling of each thing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace foxsql {

enum class TokenKind : std::uint8_t {
    Name,       // a name or keyword as written; quoted when it was written in back-quotes
    Number,     // 12, 1.5, .5, 1E3; 0x1F comes as its decimal value
    Currency,   // $12.50, text without the '$'
    Text,       // 'a', "a" or [a], text without its delimiters
    Date,       // {^1997/01/31} as "1997-01-31"; the empty date {} as ""
    DateTime,   // {^1997/01/31 14:05} as "1997-01-31 14:05:00"
    Logical,    // .T. as "1", .F. as "0"
    Parameter,  // ?name, text "name"
    Symbol,     // = == <> != # < <= > >= + - * / % ^ ** $ ! ( ) , .
    End,        // after the last token
};

struct Token
{
    TokenKind kind = TokenKind::End;
    std::string text;
    std::size_t offset = 0;  // 0-based position in the SQL, for messages
    bool quoted = false;     // Name written in back-quotes
};

// The tokens of sql, always ending with one End token. .AND., .OR., .NOT. and .NULL. come
// as the names AND, OR, NOT and NULL. "&&" starts a comment up to the end of the line and
// ";" at the end of a line continues it.
// Throws TranslationError for a text, name or date without its closing delimiter, a date
// that is no calendar date or whose reading depends on SET DATE ({01/02/1997}), macro
// substitution (&name) and characters that have no meaning in FoxPro SQL.
std::vector<Token> tokenizeFoxSql(std::string_view sql);

// "at character N" for messages (1-based).
std::string positionText(std::size_t offset);

}  // namespace foxsql
