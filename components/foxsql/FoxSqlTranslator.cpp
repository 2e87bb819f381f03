// The translator's entry: the lexer's tokens to the parser, and SQLite's quoting.
#include "components/foxsql/FoxSqlTranslator.h"

#include "components/foxsql/FoxSqlLexer.h"
#include "components/foxsql/SqlParser.h"

namespace foxsql {

namespace {

std::string quoted(std::string_view text, char delimiter)
{
    std::string out(1, delimiter);
    for (const char c : text) {
        out.push_back(c);
        if (c == delimiter)
            out.push_back(delimiter);  // doubled inside
    }
    return out + delimiter;
}

}  // namespace

TranslatedSelect translateFoxSql(std::string_view sql, std::string_view databaseName,
                                 SchemaLookup& lookup)
{
    SqlParser parser(tokenizeFoxSql(sql), databaseName, lookup);
    return parser.statement();
}

std::string quoteName(std::string_view name)
{
    return quoted(name, '"');
}

std::string quoteText(std::string_view text)
{
    return quoted(text, '\'');
}

}  // namespace foxsql
