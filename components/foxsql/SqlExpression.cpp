// Expressions: FoxPro's operators by precedence (OR, AND, NOT, comparisons, + -, * / %, ^,
// unary minus), literals, names and sub-queries, each written as SQLite SQL with its type.
#include <algorithm>
#include <array>

#include "components/foxsql/SqlParser.h"
#include "components/foxsql/TranslationError.h"
#include "components/text/AsciiCase.h"

namespace foxsql {

namespace {

Expr make(std::string sql, SqlType type, Expr::Shape shape = Expr::Shape::Other)
{
    Expr expr;
    expr.sql = std::move(sql);
    expr.type = type;
    expr.shape = shape;
    return expr;
}

const SqlType kLogical = SqlType::of('L');
const SqlType kNumber = SqlType::of('N');

bool isTextLike(const SqlType& type)
{
    return type.isText() || !type.known();
}

bool isDateLike(const SqlType& type)
{
    return type.letter == 'D' || type.letter == 'T';
}

// Two character columns of one width hold values padded alike, so plain equality (ignoring
// trailing blanks) gives what FoxPro's "compare the shorter length" gives, and SQLite can
// look the value up instead of comparing every pair.
bool sameWidthColumns(const Expr& left, const Expr& right)
{
    return left.shape == Expr::Shape::Column && right.shape == Expr::Shape::Column &&
           left.type.letter == 'C' && right.type.letter == 'C' &&
           left.type.width == right.type.width && left.type.width > 0;
}

int literalDecimals(const std::string& number)
{
    const std::size_t point = number.find('.');
    if (point == std::string::npos || number.find_first_of("eE") != std::string::npos)
        return 0;
    return static_cast<int>(number.size() - point - 1);
}

}  // namespace

Expr comparisonOf(std::string_view op, const Expr& left, const Expr& right)
{
    const bool text = (left.type.isText() && isTextLike(right.type)) ||
                      (right.type.isText() && isTextLike(left.type)) ||
                      (!left.type.known() && !right.type.known());
    const bool negate = op == "<>" || op == "!=" || op == "#";
    std::string sql;
    if (op == "=" || negate) {
        if (!text || sameWidthColumns(left, right))
            sql = "(" + left.sql + (negate ? " <> " : " = ") + right.sql + ")";
        else
            sql = std::string(negate ? "(NOT " : "(") + "vfp_eq(" + left.sql + ", " + right.sql +
                  "))";
    } else if (op == "==") {
        sql = "(" + left.sql + " = " + right.sql + (text ? " COLLATE RTRIM)" : ")");
    } else {
        sql = "(" + left.sql + " " + std::string(op) + " " + right.sql +
              (text ? " COLLATE RTRIM)" : ")");
    }
    return make(sql, kLogical);
}

Expr arithmeticOf(char op, const Expr& left, const Expr& right)
{
    const SqlType& a = left.type;
    const SqlType& b = right.type;
    const std::string ops(1, op);
    if ((a.letter == 'Y' && (b.isNumber() || !b.known())) ||
        (b.letter == 'Y' && (a.isNumber() || !a.known()))) {
        // Currency keeps four decimals after every step.
        const std::string inner = op == '/' ? "CAST(" + left.sql + " AS REAL) / " + right.sql
                                            : left.sql + " " + ops + " " + right.sql;
        return make("vfp_cy(" + inner + ")", SqlType::of('Y'));
    }
    if (a.isNumber() && b.isNumber()) {
        if (op == '/')
            return make("(CAST(" + left.sql + " AS REAL) / " + right.sql + ")", kNumber);
        return make("(" + left.sql + " " + ops + " " + right.sql + ")", kNumber);
    }
    if (op == '*' || op == '/') {
        if (op == '/')
            return make("(CAST(" + left.sql + " AS REAL) / " + right.sql + ")", kNumber);
        return make("(" + left.sql + " * " + right.sql + ")", kNumber);
    }
    if (op == '+' && a.isText() && b.isText()) {
        SqlType type = SqlType::of(a.letter == 'M' || b.letter == 'M' ? 'M' : 'C');
        if (type.letter == 'C' && a.width > 0 && b.width > 0)
            type.width = a.width + b.width;
        return make("(" + left.sql + " || " + right.sql + ")", type);
    }
    // Dates and date-times move by days and seconds; the difference of two is a number;
    // texts subtract by moving the first one's trailing blanks to the end.
    SqlType type = SqlType::of('?');
    if (isDateLike(a) && (b.isNumber() || !b.known()))
        type = a.letter == 'D' ? SqlType::of('D') : SqlType::of('T');
    else if (op == '+' && isDateLike(b) && a.isNumber())
        type = b.letter == 'D' ? SqlType::of('D') : SqlType::of('T');
    else if (op == '-' && isDateLike(a) && isDateLike(b))
        type = kNumber;
    else if (a.isText() || b.isText())
        type = SqlType::of('C');
    return make(
        std::string(op == '+' ? "vfp_add(" : "vfp_sub(") + left.sql + ", " + right.sql + ")", type);
}

Expr SqlParser::expression(Scope& scope)
{
    const Nesting level(*this);
    return orExpr(scope);
}

Expr SqlParser::orExpr(Scope& scope)
{
    return logicalChain(scope, "OR", &SqlParser::andExpr);
}

Expr SqlParser::andExpr(Scope& scope)
{
    return logicalChain(scope, "AND", &SqlParser::notExpr);
}

Expr SqlParser::logicalChain(Scope& scope, std::string_view word,
                             Expr (SqlParser::*operand)(Scope&))
{
    Expr left = (this->*operand)(scope);
    int operators = 0;
    while (isWord(word)) {
        chain(operators, take());
        const Expr right = (this->*operand)(scope);
        left = make("(" + left.sql + " " + std::string(word) + " " + right.sql + ")", kLogical);
    }
    return left;
}

void SqlParser::chain(int& operators, const Token& at) const
{
    if (++operators > kMaxChain)
        fail(at, "the SQL joins more than " + std::to_string(kMaxChain) +
                     " operators of one kind in a row");
}

Expr SqlParser::notExpr(Scope& scope)
{
    if (acceptWord("NOT") || acceptSymbol("!")) {
        const Nesting level(*this);
        return make("(NOT " + notExpr(scope).sql + ")", kLogical);
    }
    return comparison(scope);
}

Expr SqlParser::comparison(Scope& scope)
{
    static constexpr std::array<std::string_view, 9> kOperators{"=", "==", "<>", "!=", "#",
                                                                "<", ">",  "<=", ">="};
    Expr left = additive(scope);
    int operators = 0;
    while (true) {
        const Token& token = peek();
        if (token.kind == TokenKind::Symbol &&
            std::find(kOperators.begin(), kOperators.end(), token.text) != kOperators.end()) {
            chain(operators, take());
            if (isWord("ALL") || isWord("ANY") || isWord("SOME"))
                fail(peek(), "comparisons with ALL, ANY or SOME cannot be translated");
            left = comparisonOf(token.text, left, additive(scope));
            continue;
        }
        if (isSymbol("$")) {  // "a $ b": a occurs in b
            chain(operators, take());
            const Expr right = additive(scope);
            left = make("(instr(" + right.sql + ", " + left.sql + ") > 0)", kLogical);
            continue;
        }
        const bool negated =
            isWord("NOT") && (isWord("LIKE", 1) || isWord("BETWEEN", 1) || isWord("IN", 1));
        if (negated)
            take();
        const std::string no = negated ? " NOT" : "";
        if (isWord("LIKE") || isWord("BETWEEN") || isWord("IN") || isWord("IS"))
            chain(operators, peek());
        if (acceptWord("LIKE")) {
            std::string sql = "(" + left.sql + no + " LIKE " + additive(scope).sql;
            if (acceptWord("ESCAPE"))
                sql += " ESCAPE " + additive(scope).sql;
            left = make(sql + ")", kLogical);
        } else if (acceptWord("BETWEEN")) {
            const Expr low = additive(scope);
            expectWord("AND", "BETWEEN");
            const Expr high = additive(scope);
            left = make("(" + left.sql + no + " BETWEEN " + low.sql + " AND " + high.sql + ")",
                        kLogical);
        } else if (acceptWord("IN")) {
            expectSymbol("(", "IN");
            std::string list;
            if (isWord("SELECT")) {
                list = query(&scope).sql;
            } else {
                do {
                    list += (list.empty() ? "" : ", ") + expression(scope).sql;
                } while (acceptSymbol(","));
            }
            expectSymbol(")", "IN");
            left = make("(" + left.sql + no + " IN (" + list + "))", kLogical);
        } else if (isWord("IS")) {
            take();
            const bool isNot = acceptWord("NOT");
            expectWord("NULL", "IS");
            left = make("(" + left.sql + (isNot ? " IS NOT NULL)" : " IS NULL)"), kLogical);
        } else {
            return left;
        }
    }
}

Expr SqlParser::additive(Scope& scope)
{
    Expr left = multiplicative(scope);
    int operators = 0;
    while (isSymbol("+") || isSymbol("-")) {
        chain(operators, peek());
        const char op = take().text[0];
        left = arithmeticOf(op, left, multiplicative(scope));
    }
    return left;
}

Expr SqlParser::multiplicative(Scope& scope)
{
    Expr left = unary(scope);
    int operators = 0;
    while (isSymbol("*") || isSymbol("/") || isSymbol("%")) {
        chain(operators, peek());
        const char op = take().text[0];
        const Expr right = unary(scope);
        if (op == '%')
            left = make("vfp_mod(" + left.sql + ", " + right.sql + ")",
                        left.type.letter == 'Y' ? left.type : kNumber);
        else
            left = arithmeticOf(op, left, right);
    }
    return left;
}

// Unary minus binds looser than "^": -2^2 is -4, as in FoxPro.
Expr SqlParser::unary(Scope& scope)
{
    if (acceptSymbol("-")) {
        const Nesting level(*this);
        Expr operand = unary(scope);
        return make("(-" + operand.sql + ")", operand.type);
    }
    if (acceptSymbol("+")) {
        const Nesting level(*this);
        return unary(scope);
    }
    return power(scope);
}

Expr SqlParser::power(Scope& scope)
{
    Expr base = primary(scope);
    if (isSymbol("^") || isSymbol("**")) {
        take();
        const Nesting level(*this);
        const Expr exponent = unary(scope);
        return make("pow(" + base.sql + ", " + exponent.sql + ")", kNumber);
    }
    return base;
}

Expr SqlParser::primary(Scope& scope)
{
    const Token& token = peek();
    switch (token.kind) {
        case TokenKind::Number: {
            take();
            Expr expr = make(token.text, SqlType::of('N', 0, literalDecimals(token.text)),
                             Expr::Shape::NumberLiteral);
            return expr;
        }
        case TokenKind::Currency:
            take();
            return make("vfp_cy(" + token.text + ")", SqlType::of('Y'));
        case TokenKind::Text: {
            take();
            Expr expr =
                make(quoteText(token.text), SqlType::of('C', static_cast<int>(token.text.size())),
                     Expr::Shape::TextLiteral);
            expr.name = token.text;
            return expr;
        }
        case TokenKind::Date:
            take();
            return token.text.empty() ? make("NULL", SqlType::of('D'), Expr::Shape::NullLiteral)
                                      : make(quoteText(token.text), SqlType::of('D'));
        case TokenKind::DateTime:
            take();
            return make(quoteText(token.text), SqlType::of('T'));
        case TokenKind::Logical:
            take();
            return make(token.text, kLogical);
        case TokenKind::Parameter:
            fail(token,
                 "the view takes the parameter ?" + token.text + ", which only FoxPro can ask for");
        case TokenKind::Symbol:
            if (token.text == "(") {
                if (isWord("SELECT", 1))
                    return subquery(scope);
                take();
                Expr inner = expression(scope);
                expectSymbol(")", "a bracket");
                inner.sql = "(" + inner.sql + ")";
                return inner;
            }
            break;
        case TokenKind::Name:
            return nameExpression(scope);
        case TokenKind::End:
            break;
    }
    fail(token, "an expression is expected" + found(token));
}

Expr SqlParser::subquery(Scope& scope)
{
    expectSymbol("(", "a sub-query");
    const TranslatedSelect inner = query(&scope);
    expectSymbol(")", "a sub-query");
    return make("(" + inner.sql + ")",
                inner.columns.size() == 1 ? inner.columns[0].type : SqlType::of('?'));
}

Expr SqlParser::nameExpression(Scope& scope)
{
    const Token name = take();
    if (!name.quoted) {
        if (text::equalsIgnoringAsciiCase(name.text, "NULL"))
            return make("NULL", SqlType::of('?'), Expr::Shape::NullLiteral);
        if (text::equalsIgnoringAsciiCase(name.text, "EXISTS") && isSymbol("(")) {
            const Expr inner = subquery(scope);
            return make("(EXISTS " + inner.sql + ")", kLogical);
        }
        if (isSymbol("("))
            return functionCall(scope, name);
    }
    if (isSymbol("!")) {  // database!table.column
        take();
        if (!text::equalsIgnoringAsciiCase(name.text, mDatabaseName))
            fail(name,
                 "the table is in the database \"" + name.text + "\", not in " + mDatabaseName);
        const Token table = take();
        expectSymbol(".", "database!table");
        return qualifiedColumn(scope, table, take());
    }
    if (acceptSymbol("."))
        return qualifiedColumn(scope, name, take());
    return unqualifiedColumn(scope, name);
}

Expr SqlParser::qualifiedColumn(const Scope& scope, const Token& qualifier, const Token& column)
{
    if (column.kind != TokenKind::Name)
        fail(column, "\"" + qualifier.text + ".\" needs a column name");
    for (const Scope* s = &scope; s != nullptr; s = s->parent) {
        for (const ScopeTable& table : s->tables) {
            if (!text::equalsIgnoringAsciiCase(table.alias, qualifier.text))
                continue;
            for (const ResultColumn& c : table.columns) {
                if (text::equalsIgnoringAsciiCase(c.name, column.text)) {
                    Expr expr = make(quoteName(table.alias) + "." + quoteName(c.name), c.type,
                                     Expr::Shape::Column);
                    expr.name = c.name;
                    return expr;
                }
            }
            fail(column, "\"" + qualifier.text + "\" has no column \"" + column.text + "\"");
        }
    }
    if (text::equalsIgnoringAsciiCase(qualifier.text, "m"))
        fail(qualifier, "the variable m." + column.text + " has no value outside FoxPro");
    fail(qualifier, "\"" + qualifier.text + "\" is no table of the FROM clause");
}

Expr SqlParser::unqualifiedColumn(const Scope& scope, const Token& column)
{
    for (const Scope* s = &scope; s != nullptr; s = s->parent) {
        const ScopeTable* found = nullptr;
        const ResultColumn* foundColumn = nullptr;
        for (const ScopeTable& table : s->tables) {
            for (const ResultColumn& c : table.columns) {
                if (!text::equalsIgnoringAsciiCase(c.name, column.text))
                    continue;
                if (found != nullptr)
                    fail(column, "\"" + column.text + "\" is a column of both \"" + found->alias +
                                     "\" and \"" + table.alias + "\"; name the table");
                found = &table;
                foundColumn = &c;
            }
        }
        if (found != nullptr) {
            Expr expr = make(quoteName(found->alias) + "." + quoteName(foundColumn->name),
                             foundColumn->type, Expr::Shape::Column);
            expr.name = foundColumn->name;
            return expr;
        }
        if (s != &scope)
            continue;
        for (const SelectItem& item : s->items) {
            if (!item.name.empty() && (text::equalsIgnoringAsciiCase(item.alias, column.text) ||
                                       text::equalsIgnoringAsciiCase(item.name, column.text))) {
                Expr expr = make(quoteName(item.name), item.expr.type, Expr::Shape::Alias);
                expr.name = item.name;
                return expr;
            }
        }
    }
    fail(column, "\"" + column.text + "\" is no column of the tables the query reads");
}

}  // namespace foxsql
