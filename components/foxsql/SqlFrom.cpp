// FROM: tables and views by name (with "database!" and aliases), sub-queries, and joins,
// FoxPro's nested form with its ON clauses last included.
#include "components/foxsql/SqlParser.h"
#include "components/text/AsciiCase.h"

namespace foxsql {

std::string SqlParser::fromClause(Scope& scope)
{
    acceptWord("FORCE");  // a FoxPro hint: join in the order written
    std::string sql = " FROM " + joinedTable(scope);
    while (acceptSymbol(","))
        sql += ", " + joinedTable(scope);
    return sql;
}

std::string SqlParser::joinedTable(Scope& scope)
{
    std::string left = tablePrimary(scope);
    while (const std::optional<std::string> op = joinOperator()) {
        const std::string right = joinRight(scope);
        expectWord("ON", "a JOIN");
        left += *op + right + " ON " + expression(scope).sql;
    }
    return left;
}

// FoxPro nests joins by writing their ON clauses last: "a JOIN b JOIN c ON b.x = c.x ON
// a.y = b.y" joins b with c first. SQLite wants the inner join in brackets.
std::string SqlParser::joinRight(Scope& scope)
{
    const Nesting level(*this);
    std::string right = tablePrimary(scope);
    while (const std::optional<std::string> op = joinOperator()) {
        const std::string inner = joinRight(scope);
        expectWord("ON", "a JOIN");
        right = "(" + right + *op + inner + " ON " + expression(scope).sql + ")";
    }
    return right;
}

std::optional<std::string> SqlParser::joinOperator()
{
    std::string op;
    if (isWord("JOIN")) {
        op = " INNER JOIN ";
    } else if (isWord("INNER") && isWord("JOIN", 1)) {
        op = " INNER JOIN ";
        take();
    } else if (isWord("LEFT") || isWord("RIGHT") || isWord("FULL")) {
        const std::size_t outer = isWord("OUTER", 1) ? 1 : 0;
        if (!isWord("JOIN", 1 + outer))
            return std::nullopt;
        op = isWord("LEFT") ? " LEFT JOIN " : isWord("RIGHT") ? " RIGHT JOIN " : " FULL JOIN ";
        mPos += 1 + outer;
    } else {
        return std::nullopt;
    }
    take();  // JOIN
    return op;
}

std::string SqlParser::tablePrimary(Scope& scope)
{
    if (acceptSymbol("(")) {
        const Nesting level(*this);
        if (isWord("SELECT")) {
            const TranslatedSelect derived = query(nullptr);
            expectSymbol(")", "a sub-query");
            acceptWord("AS");
            const std::optional<Token> alias = optionalAlias();
            if (!alias)
                fail(peek(), "a sub-query in FROM needs a name");
            scope.tables.push_back({alias->text, derived.columns});
            return "(" + derived.sql + ") AS " + quoteName(alias->text);
        }
        std::string inner = joinedTable(scope);
        while (acceptSymbol(","))
            inner += ", " + joinedTable(scope);
        expectSymbol(")", "a bracketed join");
        return "(" + inner + ")";
    }
    if (peek().kind != TokenKind::Name || isClauseWord(peek()))
        fail(peek(), "FROM needs a table or view name" + found(peek()));
    Token name = take();
    const std::string sqliteName = tableName(name);
    const SourceTable* table = mLookup.find(name.text);
    if (table == nullptr)
        fail(name, "\"" + name.text + "\" is neither a table nor a view of " + mDatabaseName);
    acceptWord("AS");
    const std::optional<Token> alias = optionalAlias();
    const std::string aliasText = alias ? alias->text : sqliteName;
    scope.tables.push_back({aliasText, table->columns});
    return quoteName(table->sqliteName) + " AS " + quoteName(aliasText);
}

// Reads "database!table" or "table"; leaves the table's token in `name` and returns the name
// the SQL refers to it by when it gives no alias.
std::string SqlParser::tableName(Token& name)
{
    if (acceptSymbol("!")) {
        if (!text::equalsIgnoringAsciiCase(name.text, mDatabaseName))
            fail(name,
                 "the table is in the database \"" + name.text + "\", not in " + mDatabaseName);
        if (peek().kind != TokenKind::Name)
            fail(peek(), "\"" + name.text + "!\" needs a table name");
        name = take();
    }
    return name.text;
}

std::optional<Token> SqlParser::optionalAlias()
{
    if (peek().kind == TokenKind::Name && !isClauseWord(peek()))
        return take();
    return std::nullopt;
}

}  // namespace foxsql
