// SELECT statements: the select list with FoxPro's column names, WHERE / GROUP BY / HAVING,
// UNION, ORDER BY and TOP.
#include <algorithm>
#include <array>
#include <map>
#include <set>

#include "components/foxsql/SqlParser.h"
#include "components/foxsql/TranslationError.h"
#include "components/text/AsciiCase.h"

namespace foxsql {

namespace {

// Largest TOP without PERCENT that FoxPro accepts.
constexpr double kMaxTop = 32767;

// The letters that tell apart the n-th use of a name: a ... z, then aa, ab, ...
std::string duplicateLetters(std::size_t n)
{
    std::string letters;
    for (++n; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('a' + (n - 1) % 26));
    return letters;
}

}  // namespace

std::vector<ResultColumn> CoreSelect::columns() const
{
    std::vector<ResultColumn> out;
    for (const SelectItem& item : scope.items)
        out.push_back({item.name, item.expr.type});
    return out;
}

TranslatedSelect SqlParser::statement()
{
    TranslatedSelect result = query(nullptr);
    if (peek().kind != TokenKind::End)
        fail(peek(), "the statement should end here" + found(peek()));
    return result;
}

TranslatedSelect SqlParser::query(const Scope* outer)
{
    const Nesting level(*this);
    CoreSelect first = core(outer);
    std::string sql = first.sql();
    bool compound = false;
    while (isWord("UNION")) {
        const Token& unionToken = take();
        const bool all = acceptWord("ALL");
        CoreSelect next = core(outer);
        if (next.scope.items.size() != first.scope.items.size())
            fail(unionToken, "the SELECTs joined by UNION give " +
                                 std::to_string(first.scope.items.size()) + " and " +
                                 std::to_string(next.scope.items.size()) + " columns");
        if (next.top)
            fail(*next.top, "TOP is only allowed in the first SELECT of a UNION");
        sql += (all ? " UNION ALL " : " UNION ") + next.sql();
        compound = true;
    }
    const std::vector<ResultColumn> columns = first.columns();
    std::vector<OrderKey> keys;
    if (isWord("ORDER") && isWord("BY", 1)) {
        mPos += 2;
        keys = orderBy(compound ? nullptr : &first.scope, columns);
    }
    if (outer == nullptr)
        skipTrailingClauses();

    if (first.top) {
        if (compound)
            fail(*first.top, "TOP together with UNION cannot be translated");
        return {topQuery(first, keys), columns};
    }
    if (!keys.empty()) {
        sql += " ORDER BY ";
        for (std::size_t i = 0; i < keys.size(); ++i) {
            sql += (i > 0 ? ", " : "") +
                   (compound ? std::to_string(keys[i].ordinal) : keys[i].expr.sql) +
                   (keys[i].descending ? " DESC" : "");
        }
    }
    return {sql, columns};
}

CoreSelect SqlParser::core(const Scope* outer)
{
    expectWord("SELECT", "a query");
    CoreSelect select;
    select.scope.parent = outer;
    select.head = "SELECT ";
    if (acceptWord("DISTINCT")) {
        select.distinct = true;
        select.head = "SELECT DISTINCT ";
    } else {
        acceptWord("ALL");
    }
    if (acceptWord("TOP")) {
        if (peek().kind != TokenKind::Number)
            fail(peek(), "TOP needs a number");
        select.top = take();
        select.topPercent = acceptWord("PERCENT");
    }

    // The select list is read after FROM, so that its names find their tables.
    const std::size_t listStart = mPos;
    const std::size_t fromPosition = findFrom();
    mPos = fromPosition + 1;
    select.rest = fromClause(select.scope);
    const std::size_t afterFrom = mPos;
    mPos = listStart;
    selectList(select.scope);
    if (mPos != fromPosition)
        fail(peek(), "the select list should end before FROM" + found(peek()));
    nameItems(select.scope);
    for (std::size_t i = 0; i < select.scope.items.size(); ++i) {
        const SelectItem& item = select.scope.items[i];
        select.list += (i > 0 ? ", " : "") + item.expr.sql + " AS " + quoteName(item.name);
    }
    mPos = afterFrom;

    if (acceptWord("WHERE"))
        select.rest += " WHERE " + expression(select.scope).sql;
    if (isWord("GROUP") && isWord("BY", 1)) {
        mPos += 2;
        select.rest += " GROUP BY ";
        do {
            select.rest += expression(select.scope).sql;
            if (isSymbol(","))
                select.rest += ", ";
        } while (acceptSymbol(","));
    }
    if (acceptWord("HAVING"))
        select.rest += " HAVING " + expression(select.scope).sql;
    return select;
}

std::size_t SqlParser::findFrom() const
{
    int depth = 0;
    for (std::size_t i = mPos; i < mTokens.size(); ++i) {
        const Token& token = mTokens[i];
        if (token.kind == TokenKind::Symbol && token.text == "(")
            ++depth;
        else if (token.kind == TokenKind::Symbol && token.text == ")")
            --depth;
        else if (depth == 0 && token.kind == TokenKind::Name && !token.quoted &&
                 text::equalsIgnoringAsciiCase(token.text, "FROM"))
            return i;
        if (depth < 0 || token.kind == TokenKind::End)
            break;
    }
    fail(peek(), "a SELECT needs a FROM clause");
}

void SqlParser::selectList(Scope& scope)
{
    do {
        if (acceptSymbol("*")) {
            expandStar(scope, nullptr);
            continue;
        }
        // alias.* and database!table.*
        const bool withDatabase = peek().kind == TokenKind::Name && isSymbol("!", 1) &&
                                  isSymbol(".", 3) && isSymbol("*", 4);
        const bool withAlias =
            peek().kind == TokenKind::Name && isSymbol(".", 1) && isSymbol("*", 2);
        if (withDatabase || withAlias) {
            if (withDatabase && !text::equalsIgnoringAsciiCase(peek().text, mDatabaseName))
                fail(peek(), "the table is in the database \"" + peek().text + "\", not in " +
                                 mDatabaseName);
            const Token alias = peek(withDatabase ? 2 : 0);
            const auto table =
                std::find_if(scope.tables.begin(), scope.tables.end(), [&](const ScopeTable& t) {
                    return text::equalsIgnoringAsciiCase(t.alias, alias.text);
                });
            if (table == scope.tables.end())
                fail(alias, "\"" + alias.text + ".*\" names no table of the FROM clause");
            mPos += withDatabase ? 5 : 3;
            expandStar(scope, &*table);
            continue;
        }
        SelectItem item;
        item.expr = expression(scope);
        if (acceptWord("AS")) {
            if (peek().kind != TokenKind::Name)
                fail(peek(), "AS needs a column name");
            item.alias = take().text;
        } else if (peek().kind == TokenKind::Name && !isClauseWord(peek())) {
            item.alias = take().text;
        }
        scope.items.push_back(std::move(item));
    } while (acceptSymbol(",") && scope.items.size() <= kMaxColumns);
    if (scope.items.size() > kMaxColumns)
        fail(peek(), "the SELECT gives more than " + std::to_string(kMaxColumns) +
                         " columns, the most a FoxPro cursor holds");
}

void SqlParser::expandStar(Scope& scope, const ScopeTable* only)
{
    for (const ScopeTable& table : scope.tables) {
        if (only != nullptr && &table != only)
            continue;
        for (const ResultColumn& column : table.columns) {
            SelectItem item;
            item.expr.sql = quoteName(table.alias) + "." + quoteName(column.name);
            item.expr.type = column.type;
            item.expr.shape = Expr::Shape::Column;
            item.expr.name = column.name;
            scope.items.push_back(std::move(item));
        }
    }
}

void SqlParser::nameItems(Scope& scope)
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < scope.items.size(); ++i) {
        const SelectItem& item = scope.items[i];
        std::string name;
        if (!item.alias.empty())
            name = item.alias;
        else if (item.expr.shape == Expr::Shape::Column || item.expr.shape == Expr::Shape::Alias ||
                 (item.expr.shape == Expr::Shape::Aggregate && !item.expr.name.empty()))
            name = item.expr.name;
        else
            name = "exp_" + std::to_string(i + 1);
        names.push_back(text::lowerAscii(name));
    }
    // FoxPro tells apart a name given twice with _a, _b, ... in column order. A letter that
    // would repeat a name the select list gives once is passed over, so every column keeps a
    // name of its own for views that read this one.
    std::set<std::string> taken;
    for (const std::string& name : names)
        if (std::count(names.begin(), names.end(), name) == 1)
            taken.insert(name);
    std::map<std::string, std::size_t> uses;
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::string name = names[i];
        if (!taken.contains(name)) {
            do
                name = names[i] + "_" + duplicateLetters(uses[names[i]]++);
            while (!taken.insert(name).second);
        }
        scope.items[i].name = name;
    }
}

std::vector<OrderKey> SqlParser::orderBy(Scope* scope, const std::vector<ResultColumn>& columns)
{
    std::vector<OrderKey> keys;
    do {
        OrderKey key;
        const Token start = peek();
        if (scope != nullptr) {
            key.expr = expression(*scope);
        } else if (start.kind == TokenKind::Number) {  // after UNION: a column number ...
            take();
            key.expr.sql = start.text;
            key.expr.shape = Expr::Shape::NumberLiteral;
        } else {  // ... or the name of a result column
            const auto match = std::find_if(columns.begin(), columns.end(), [&](const auto& c) {
                return start.kind == TokenKind::Name &&
                       text::equalsIgnoringAsciiCase(c.name, start.text);
            });
            if (match == columns.end())
                fail(start, "ORDER BY after UNION needs a column number or a result column");
            take();
            key.ordinal = static_cast<int>(match - columns.begin()) + 1;
        }
        if (key.expr.shape == Expr::Shape::NumberLiteral) {
            const std::string& text = key.expr.sql;
            if (text.empty() || text.size() > 4 ||
                text.find_first_not_of("0123456789") != std::string::npos)
                fail(start, "ORDER BY needs a whole column number");
            key.ordinal = std::stoi(text);
            if (key.ordinal < 1 || key.ordinal > static_cast<int>(columns.size()))
                fail(start, "ORDER BY " + text + " names no column of the " +
                                std::to_string(columns.size()) + " the query gives");
        }
        if (acceptWord("DESC"))
            key.descending = true;
        else
            acceptWord("ASC");
        keys.push_back(std::move(key));
    } while (acceptSymbol(","));
    return keys;
}

// TOP n keeps the first n rows in ORDER BY order and every further row that ties with the
// n-th, as FoxPro does; TOP n PERCENT keeps n% of the rows (rounded up), ties included.
// Ranking in a window does both: rows whose rank is within the limit stay.
std::string SqlParser::topQuery(const CoreSelect& select, const std::vector<OrderKey>& keys)
{
    const Token& top = *select.top;
    double count = 0;
    try {
        count = std::stod(top.text);
    } catch (const std::exception&) {
        fail(top, "TOP needs a number");
    }
    if (select.topPercent ? (count <= 0 || count >= 100)
                          : (count < 1 || count > kMaxTop || count != static_cast<long>(count)))
        fail(top, select.topPercent ? "TOP n PERCENT needs n between 0 and 100"
                                    : "TOP needs a whole number from 1 to 32767");
    if (keys.empty())
        fail(top, "TOP needs ORDER BY");

    std::string window;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const OrderKey& key = keys[i];
        std::string sql;
        if (select.distinct) {
            // DISTINCT comes before the ranking: keys must name result columns.
            std::size_t index = key.ordinal > 0 ? static_cast<std::size_t>(key.ordinal - 1)
                                                : select.scope.items.size();
            for (std::size_t j = 0;
                 index == select.scope.items.size() && j < select.scope.items.size(); ++j) {
                const SelectItem& item = select.scope.items[j];
                if (item.expr.sql == key.expr.sql ||
                    (key.expr.shape == Expr::Shape::Alias && item.name == key.expr.name))
                    index = j;
            }
            if (index == select.scope.items.size())
                fail(top, "TOP with DISTINCT needs ORDER BY keys that are selected columns");
            sql = quoteName(select.scope.items[index].name);
        } else if (key.ordinal > 0) {
            sql = select.scope.items[static_cast<std::size_t>(key.ordinal - 1)].expr.sql;
        } else if (key.expr.shape == Expr::Shape::Alias) {
            const auto item = std::find_if(
                select.scope.items.begin(), select.scope.items.end(),
                [&](const SelectItem& candidate) { return candidate.name == key.expr.name; });
            sql = item->expr.sql;
        } else {
            sql = key.expr.sql;
        }
        window += (i > 0 ? ", " : "") + sql + (key.descending ? " DESC" : "");
    }

    std::string ranked = "rank() OVER (ORDER BY " + window + ") AS \"__vfp_rank\"";
    if (select.topPercent)
        ranked += ", count(*) OVER () AS \"__vfp_total\"";
    const std::string inner = select.distinct
                                  ? "SELECT *, " + ranked + " FROM (" + select.sql() + ")"
                                  : select.head + select.list + ", " + ranked + select.rest;
    std::string names;
    for (std::size_t i = 0; i < select.scope.items.size(); ++i)
        names += (i > 0 ? ", " : "") + quoteName(select.scope.items[i].name);
    const std::string limit =
        select.topPercent ? "ceil(" + top.text + " * \"__vfp_total\" / 100.0)" : top.text;
    return "SELECT " + names + " FROM (" + inner + ") WHERE \"__vfp_rank\" <= " + limit +
           " ORDER BY \"__vfp_rank\"";
}

void SqlParser::skipTrailingClauses()
{
    while (true) {
        if (isWord("INTO") || isWord("TO"))
            fail(peek(), "a view cannot send its result " + text::lowerAscii(peek().text) +
                             " somewhere else");
        if (!(acceptWord("NOFILTER") || acceptWord("READWRITE") || acceptWord("NOCONSOLE") ||
              acceptWord("PLAIN") || acceptWord("NOWAIT")))
            return;
    }
}

}  // namespace foxsql
