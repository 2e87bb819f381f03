// The recursive-descent parser behind translateFoxSql. It writes SQLite's SQL while it reads
// FoxPro's, and types every expression on the way, because FoxPro's meaning depends on types
// ("+" joins texts, "=" on texts compares the shorter length, currency rounds). Split over
// SqlTokens.cpp (token cursor, messages), SqlStatement.cpp (SELECT and its clauses),
// SqlFrom.cpp (FROM and joins), SqlExpression.cpp (operators, names) and
// FunctionTranslation.cpp (function calls). Internal to the translator.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "components/foxsql/FoxSqlLexer.h"
#include "components/foxsql/FoxSqlTranslator.h"

namespace foxsql {

struct Expr
{
    enum class Shape : std::uint8_t {
        Other,
        Column,  // a table column; name holds the column's name
        Alias,   // a name of the select list; name holds it
        NumberLiteral,
        TextLiteral,  // name holds the text itself
        NullLiteral,
        Aggregate,  // name holds FoxPro's default column name ("cnt", "sum_price") or ""
    };

    std::string sql;
    SqlType type;
    Shape shape = Shape::Other;
    std::string name;
};

struct ScopeTable
{
    std::string alias;  // how the SQL refers to it: the alias, else the name as written
    std::vector<ResultColumn> columns;
};

struct SelectItem
{
    Expr expr;
    std::string alias;  // written after the expression (with or without AS), else ""
    std::string name;   // the result column's name once the list is complete
};

// The names an expression can see: the tables of its FROM, the select list (GROUP BY,
// HAVING and ORDER BY may name its aliases) and, for a sub-query, the enclosing query's.
struct Scope
{
    const Scope* parent = nullptr;
    std::vector<ScopeTable> tables;
    std::vector<SelectItem> items;
};

// One SELECT of a statement, up to its HAVING clause.
struct CoreSelect
{
    std::string head;  // "SELECT " or "SELECT DISTINCT "
    std::string list;  // the select list with its AS names
    std::string rest;  // " FROM ..." up to the end of HAVING
    Scope scope;
    bool distinct = false;
    std::optional<Token> top;  // the n of TOP n
    bool topPercent = false;

    std::string sql() const { return head + list + rest; }
    std::vector<ResultColumn> columns() const;
};

struct OrderKey
{
    Expr expr;
    bool descending = false;
    int ordinal = 0;  // "ORDER BY 2": 2; else 0
};

class SqlParser
{
public:
    // Deepest nesting of brackets, sub-queries, function calls, NOT, signs, powers, joins
    // written with their ON clauses last, and views read by views (whose SQL is translated
    // while the reading view's is: one budget per thread). Each level is a few calls of the
    // recursive descent: deeper SQL is refused instead of running out of stack.
    static constexpr int kMaxNesting = 200;
    // Longest run of one precedence's operators ("a + b - c ..."). Each operator brackets the
    // SQL written so far once more, so a longer run would cost time by the square of its
    // length, and SQLite refuses expressions nested deeper than 1,000 anyway.
    static constexpr int kMaxChain = 1000;
    // Most columns a SELECT may give: a FoxPro cursor, like a table, has at most 255 fields.
    static constexpr std::size_t kMaxColumns = 255;

    SqlParser(std::vector<Token> tokens, std::string_view databaseName, SchemaLookup& lookup);

    TranslatedSelect statement();

private:
    // Tokens (SqlTokens.cpp)
    const Token& peek(std::size_t ahead = 0) const;
    const Token& take();
    bool isWord(std::string_view word, std::size_t ahead = 0) const;
    bool acceptWord(std::string_view word);
    void expectWord(std::string_view word, std::string_view context);
    bool isSymbol(std::string_view symbol, std::size_t ahead = 0) const;
    bool acceptSymbol(std::string_view symbol);
    void expectSymbol(std::string_view symbol, std::string_view context);
    [[noreturn]] void fail(const Token& at, const std::string& what) const;
    // One level deeper for its lifetime; throws TranslationError past kMaxNesting.
    class Nesting
    {
    public:
        explicit Nesting(const SqlParser& parser);
        ~Nesting();
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;
    };
    static std::string found(const Token& token);  // ", not \"x\"" for messages
    bool isClauseWord(const Token& token) const;

    // Statements (SqlStatement.cpp, SqlFrom.cpp)
    TranslatedSelect query(const Scope* outer);
    CoreSelect core(const Scope* outer);
    std::size_t findFrom() const;
    void selectList(Scope& scope);
    void expandStar(Scope& scope, const ScopeTable* only);
    void nameItems(Scope& scope);
    std::string fromClause(Scope& scope);
    std::string joinedTable(Scope& scope);
    std::string joinRight(Scope& scope);
    std::optional<std::string> joinOperator();
    std::string tablePrimary(Scope& scope);
    std::string tableName(Token& name);
    std::optional<Token> optionalAlias();
    std::vector<OrderKey> orderBy(Scope* scope, const std::vector<ResultColumn>& columns);
    std::string topQuery(const CoreSelect& select, const std::vector<OrderKey>& keys);
    void skipTrailingClauses();

    // Expressions (SqlExpression.cpp)
    Expr expression(Scope& scope);
    Expr orExpr(Scope& scope);
    Expr andExpr(Scope& scope);
    // operand (word operand)*, e.g. a OR b OR c
    Expr logicalChain(Scope& scope, std::string_view word, Expr (SqlParser::*operand)(Scope&));
    // Counts one more operator of a run in `operators`; throws TranslationError at `at`
    // past kMaxChain.
    void chain(int& operators, const Token& at) const;
    Expr notExpr(Scope& scope);
    Expr comparison(Scope& scope);
    Expr additive(Scope& scope);
    Expr multiplicative(Scope& scope);
    Expr unary(Scope& scope);
    Expr power(Scope& scope);
    Expr primary(Scope& scope);
    Expr nameExpression(Scope& scope);
    Expr qualifiedColumn(const Scope& scope, const Token& qualifier, const Token& column);
    Expr unqualifiedColumn(const Scope& scope, const Token& column);
    Expr subquery(Scope& scope);
    Expr functionCall(Scope& scope, const Token& name);

    std::vector<Token> mTokens;
    std::size_t mPos = 0;
    std::string mDatabaseName;
    SchemaLookup& mLookup;
};

// The SQLite call for FoxPro function `name` (as written) with translated arguments.
// Throws TranslationError at `name` for an unknown function or a wrong number of arguments.
Expr translateFunction(const Token& name, std::vector<Expr>& args);

// Typing and emitting operators (SqlExpression.cpp), also used by the function table.
Expr comparisonOf(std::string_view op, const Expr& left, const Expr& right);
Expr arithmeticOf(char op, const Expr& left, const Expr& right);

}  // namespace foxsql
