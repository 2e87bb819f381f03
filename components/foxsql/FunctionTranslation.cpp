// FoxPro functions in view SQL and their SQLite counterparts: built-in functions where the
// meaning is the same, rewrites where a form says it (IIF as CASE, BETWEEN as BETWEEN), and
// the vfp_ functions of views/SqliteFunctions.cpp where FoxPro's rules differ (EMPTY, STR,
// VAL ...).
#include <algorithm>
#include <array>

#include "components/foxsql/SqlParser.h"
#include "components/foxsql/TranslationError.h"
#include "components/text/AsciiCase.h"

namespace foxsql {

namespace {

using Args = std::vector<Expr>;
using Translate = Expr (*)(Args& a, const Token& at);

struct FunctionRule
{
    std::string_view name;
    int minArgs;
    int maxArgs;
    Translate translate;
};

Expr make(std::string sql, SqlType type)
{
    Expr expr;
    expr.sql = std::move(sql);
    expr.type = type;
    return expr;
}

std::string joined(const Args& args, std::size_t from = 0)
{
    std::string out;
    for (std::size_t i = from; i < args.size(); ++i)
        out += (i > from ? ", " : "") + args[i].sql;
    return out;
}

std::string call(std::string_view function, const Args& args)
{
    return std::string(function) + "(" + joined(args) + ")";
}

// The width a literal count gives a result ("LEFT(x, 3)" is C(3)), else 0 (not known).
int literalWidth(const Expr& count)
{
    if (count.shape != Expr::Shape::NumberLiteral ||
        count.sql.find_first_not_of("0123456789") != std::string::npos || count.sql.size() > 3)
        return 0;
    return std::stoi(count.sql);
}

SqlType textResult(const Expr& source, int width = 0)
{
    return SqlType::of(source.type.letter == 'M' ? 'M' : 'C',
                       source.type.letter == 'M' ? 0 : width);
}

SqlType firstKnown(const Expr& a, const Expr& b)
{
    return a.type.known() ? a.type : b.type;
}

Expr datePart(const Args& a, int start, int length)
{
    return make("CAST(substr(" + a[0].sql + ", " + std::to_string(start) + ", " +
                    std::to_string(length) + ") AS INTEGER)",
                SqlType::of('N'));
}

// CTOD('^1997/01/31') and CTOT('^1997/01/31 10:00'): only the strict form reads the same
// whatever SET DATE says.
Expr strictDate(const Args& a, const Token& at, bool withTime)
{
    const std::string function = withTime ? "CTOT()" : "CTOD()";
    if (a[0].shape != Expr::Shape::TextLiteral)
        throw TranslationError(function +
                               " of a computed text depends on SET DATE and cannot "
                               "be translated " +
                               positionText(at.offset));
    std::vector<Token> tokens;
    try {
        tokens = tokenizeFoxSql("{" + a[0].name + "}");
    } catch (const TranslationError&) {
        tokens.clear();
    }
    if (tokens.size() != 2 ||
        (tokens[0].kind != TokenKind::Date && tokens[0].kind != TokenKind::DateTime))
        throw TranslationError(function + " of '" + a[0].name +
                               "' depends on SET DATE; only "
                               "the strict form '^yyyy/mm/dd' can be translated " +
                               positionText(at.offset));
    const Token& date = tokens[0];
    if (date.text.empty())
        return make("NULL", SqlType::of(withTime ? 'T' : 'D'));
    if (!withTime)
        return make(quoteText(date.text.substr(0, 10)), SqlType::of('D'));
    return make(quoteText(date.kind == TokenKind::Date ? date.text + " 00:00:00" : date.text),
                SqlType::of('T'));
}

Expr pad(const char* function, Args& a)
{
    if (a.size() == 2)
        a.push_back(make("' '", SqlType::of('C', 1)));
    return make(call(function, a), SqlType::of('C', literalWidth(a[1])));
}

// Looked up by exact name, else by a unique prefix of four or more letters, the abbreviation
// FoxPro accepts.
const auto kFunctions = std::to_array<FunctionRule>({
    {"ABS", 1, 1, [](Args& a, const Token&) { return make(call("abs", a), a[0].type); }},
    {"ALLTRIM", 1, 1, [](Args& a, const Token&) { return make(call("trim", a), textResult(a[0])); }},
    {"ASC", 1, 1, [](Args& a, const Token&) { return make(call("unicode", a), SqlType::of('N')); }},
    {"AT", 2, 2,
     [](Args& a, const Token&) {
         return make("instr(" + a[1].sql + ", " + a[0].sql + ")", SqlType::of('N'));
     }},
    {"BETWEEN", 3, 3,
     [](Args& a, const Token&) {
         return make("(" + a[0].sql + " BETWEEN " + a[1].sql + " AND " + a[2].sql + ")",
                     SqlType::of('L'));
     }},
    {"CEILING", 1, 1, [](Args& a, const Token&) { return make(call("ceil", a), SqlType::of('N')); }},
    {"CHR", 1, 1, [](Args& a, const Token&) { return make(call("char", a), SqlType::of('C', 1)); }},
    {"CTOD", 1, 1, [](Args& a, const Token& at) { return strictDate(a, at, false); }},
    {"CTOT", 1, 1, [](Args& a, const Token& at) { return strictDate(a, at, true); }},
    {"DATE", 0, 3,
     [](Args& a, const Token& at) {
         if (a.empty())
             return make("date('now', 'localtime')", SqlType::of('D'));
         if (a.size() != 3)
             throw TranslationError("DATE() takes no arguments or year, month and day "
                                    + positionText(at.offset));
         return make("date(printf('%04d-%02d-%02d', " + joined(a) + "))", SqlType::of('D'));
     }},
    {"DATETIME", 0, 0,
     [](Args&, const Token&) { return make("datetime('now', 'localtime')", SqlType::of('T')); }},
    {"DAY", 1, 1, [](Args& a, const Token&) { return datePart(a, 9, 2); }},
    {"DOW", 1, 1,
     [](Args& a, const Token&) {  // Sunday is 1
         return make("(CAST(strftime('%w', " + a[0].sql + ") AS INTEGER) + 1)",
                     SqlType::of('N'));
     }},
    {"DTOS", 1, 1,
     [](Args& a, const Token&) {
         return make("strftime('%Y%m%d', " + a[0].sql + ")", SqlType::of('C', 8));
     }},
    {"DTOT", 1, 1, [](Args& a, const Token&) { return make(call("datetime", a), SqlType::of('T')); }},
    {"EMPTY", 1, 1, [](Args& a, const Token&) { return make(call("vfp_empty", a), SqlType::of('L')); }},
    {"EVL", 2, 2,
     [](Args& a, const Token&) {
         return make("(CASE WHEN " + a[0].sql + " IS NULL OR vfp_empty(" + a[0].sql + ") THEN "
                         + a[1].sql + " ELSE " + a[0].sql + " END)",
                     firstKnown(a[0], a[1]));
     }},
    {"FLOOR", 1, 1, [](Args& a, const Token&) { return make(call("floor", a), SqlType::of('N')); }},
    {"HOUR", 1, 1, [](Args& a, const Token&) { return datePart(a, 12, 2); }},
    {"IIF", 3, 3,
     [](Args& a, const Token&) {
         return make("(CASE WHEN " + a[0].sql + " THEN " + a[1].sql + " ELSE " + a[2].sql
                         + " END)",
                     firstKnown(a[1], a[2]));
     }},
    {"INLIST", 2, 25,
     [](Args& a, const Token&) {
         return make("(" + a[0].sql + " IN (" + joined(a, 1) + "))", SqlType::of('L'));
     }},
    {"INT", 1, 1,
     [](Args& a, const Token&) { return make("CAST(" + a[0].sql + " AS INTEGER)", SqlType::of('N')); }},
    {"ISNULL", 1, 1,
     [](Args& a, const Token&) { return make("(" + a[0].sql + " IS NULL)", SqlType::of('L')); }},
    {"LEFT", 2, 2,
     [](Args& a, const Token&) {
         return make("substr(" + a[0].sql + ", 1, max(" + a[1].sql + ", 0))",
                     textResult(a[0], literalWidth(a[1])));
     }},
    {"LEN", 1, 1, [](Args& a, const Token&) { return make(call("length", a), SqlType::of('N')); }},
    {"LOWER", 1, 1, [](Args& a, const Token&) { return make(call("vfp_lower", a), a[0].type); }},
    {"LTRIM", 1, 1, [](Args& a, const Token&) { return make(call("ltrim", a), textResult(a[0])); }},
    {"MAX", 2, 25, [](Args& a, const Token&) { return make(call("max", a), a[0].type); }},
    {"MIN", 2, 25, [](Args& a, const Token&) { return make(call("min", a), a[0].type); }},
    {"MINUTE", 1, 1, [](Args& a, const Token&) { return datePart(a, 15, 2); }},
    {"MOD", 2, 2, [](Args& a, const Token&) { return make(call("vfp_mod", a), SqlType::of('N')); }},
    {"MONTH", 1, 1, [](Args& a, const Token&) { return datePart(a, 6, 2); }},
    {"MTON", 1, 1, [](Args& a, const Token&) { return make("(" + a[0].sql + ")", SqlType::of('N')); }},
    {"NTOM", 1, 1, [](Args& a, const Token&) { return make(call("vfp_cy", a), SqlType::of('Y')); }},
    {"NVL", 2, 2,
     [](Args& a, const Token&) { return make(call("coalesce", a), firstKnown(a[0], a[1])); }},
    {"PADC", 2, 3, [](Args& a, const Token&) { return pad("vfp_padc", a); }},
    {"PADL", 2, 3, [](Args& a, const Token&) { return pad("vfp_padl", a); }},
    {"PADR", 2, 3, [](Args& a, const Token&) { return pad("vfp_padr", a); }},
    {"REPLICATE", 2, 2,
     [](Args& a, const Token&) { return make(call("vfp_replicate", a), SqlType::of('C')); }},
    {"RIGHT", 2, 2,
     [](Args& a, const Token&) {
         const std::string count = "max(" + a[1].sql + ", 0)";
         return make("substr(" + a[0].sql + ", -" + count + ", " + count + ")",
                     textResult(a[0], literalWidth(a[1])));
     }},
    {"ROUND", 2, 2,
     [](Args& a, const Token&) {
         return make(call("vfp_round", a), a[0].type.letter == 'Y'
                                               ? SqlType::of('Y')
                                               : SqlType::of('N', 0, literalWidth(a[1])));
     }},
    {"RTRIM", 1, 1, [](Args& a, const Token&) { return make(call("rtrim", a), textResult(a[0])); }},
    {"SEC", 1, 1, [](Args& a, const Token&) { return datePart(a, 18, 2); }},
    {"SIGN", 1, 1, [](Args& a, const Token&) { return make(call("sign", a), SqlType::of('N')); }},
    {"SPACE", 1, 1,
     [](Args& a, const Token&) {
         return make("vfp_replicate(' ', " + a[0].sql + ")", SqlType::of('C', literalWidth(a[0])));
     }},
    {"SQRT", 1, 1, [](Args& a, const Token&) { return make(call("sqrt", a), SqlType::of('N')); }},
    {"STR", 1, 3,
     [](Args& a, const Token&) {
         const int width = a.size() >= 2 ? literalWidth(a[1]) : 10;  // FoxPro's default width
         while (a.size() < 3)
             a.push_back(make(a.size() == 1 ? "10" : "0", SqlType::of('N')));
         return make(call("vfp_str", a), SqlType::of('C', width));
     }},
    {"STRTRAN", 2, 3,
     [](Args& a, const Token&) {
         if (a.size() == 2)
             a.push_back(make("''", SqlType::of('C')));
         return make(call("replace", a), textResult(a[0]));
     }},
    {"SUBSTR", 2, 3,
     [](Args& a, const Token&) {
         return make(call("substr", a), textResult(a[0], a.size() == 3 ? literalWidth(a[2]) : 0));
     }},
    {"TRIM", 1, 1, [](Args& a, const Token&) { return make(call("rtrim", a), textResult(a[0])); }},
    {"TTOD", 1, 1, [](Args& a, const Token&) { return make(call("date", a), SqlType::of('D')); }},
    {"UPPER", 1, 1, [](Args& a, const Token&) { return make(call("vfp_upper", a), a[0].type); }},
    {"VAL", 1, 1, [](Args& a, const Token&) { return make(call("vfp_val", a), SqlType::of('N')); }},
    {"YEAR", 1, 1, [](Args& a, const Token&) { return datePart(a, 1, 4); }},
    {"SECONDS", 0, 0,
     [](Args&, const Token&) {
         return make("(CAST(strftime('%s', 'now', 'localtime') AS INTEGER) % 86400)",
                     SqlType::of('N'));
     }},
    {"PI", 0, 0, [](Args&, const Token&) { return make("pi()", SqlType::of('N')); }},
});

const FunctionRule* findRule(std::string_view name)
{
    const std::string upper = text::upperAscii(name);
    const FunctionRule* prefixMatch = nullptr;
    int prefixMatches = 0;
    for (const FunctionRule& rule : kFunctions) {
        if (rule.name == upper)
            return &rule;
        if (upper.size() >= 4 && rule.name.substr(0, upper.size()) == upper) {
            prefixMatch = &rule;
            ++prefixMatches;
        }
    }
    return prefixMatches == 1 ? prefixMatch : nullptr;
}

}  // namespace

Expr translateFunction(const Token& name, std::vector<Expr>& args)
{
    const FunctionRule* rule = findRule(name.text);
    if (rule == nullptr)
        throw TranslationError("the FoxPro function " + text::upperAscii(name.text) +
                               "() has no translation " + positionText(name.offset));
    const int count = static_cast<int>(args.size());
    if (count < rule->minArgs || count > rule->maxArgs)
        throw TranslationError(std::string(rule->name) + "() does not take " +
                               std::to_string(count) + " argument" + (count == 1 ? "" : "s") + " " +
                               positionText(name.offset));
    return rule->translate(args, name);
}

namespace {

// COUNT(*), COUNT/SUM/AVG([DISTINCT] x), MIN(x), MAX(x). FoxPro names their columns cnt,
// cnt_x, sum_x, avg_x, min_x, max_x when x is a column.
Expr aggregateOf(const std::string& function, const Expr& arg, bool distinct)
{
    Expr result;
    result.shape = Expr::Shape::Aggregate;
    const std::string inner =
        text::lowerAscii(function) + "(" + (distinct ? "DISTINCT " : "") + arg.sql + ")";
    result.sql = inner;
    if (function == "COUNT") {
        result.type = SqlType::of('N', 10);
    } else if (function == "MIN" || function == "MAX") {
        result.type = arg.type;
    } else if (arg.type.letter == 'Y') {
        result.sql = "vfp_cy(" + inner + ")";
        result.type = arg.type;
    } else if (function == "SUM" && arg.type.isNumber()) {
        result.type = arg.type.letter == 'B' ? arg.type : SqlType::of('N', 20, arg.type.decimals);
    } else {
        result.type = SqlType::of('N');
    }
    if (arg.shape == Expr::Shape::Column)
        result.name = (function == "COUNT" ? std::string("cnt") : text::lowerAscii(function)) +
                      "_" + arg.name;
    return result;
}

}  // namespace

Expr SqlParser::functionCall(Scope& scope, const Token& name)
{
    expectSymbol("(", "a function call");
    const std::string function = text::upperAscii(name.text);
    const bool aggregateName = function == "COUNT" || function == "SUM" || function == "AVG" ||
                               function == "MIN" || function == "MAX";
    if (aggregateName && function == "COUNT" && acceptSymbol("*")) {
        expectSymbol(")", "COUNT(*)");
        Expr count;
        count.sql = "count(*)";
        count.type = SqlType::of('N', 10);
        count.shape = Expr::Shape::Aggregate;
        count.name = "cnt";
        return count;
    }
    const bool distinct = aggregateName && acceptWord("DISTINCT");
    std::vector<Expr> args;
    if (!isSymbol(")")) {
        do {
            args.push_back(expression(scope));
        } while (acceptSymbol(","));
    }
    expectSymbol(")", "a function call");
    if (aggregateName && args.size() == 1) {
        if (distinct && (function == "MIN" || function == "MAX"))
            fail(name, function + "(DISTINCT ...) cannot be translated");
        return aggregateOf(function, args[0], distinct);
    }
    if (distinct)
        fail(name, function + "(DISTINCT ...) takes one argument");
    return translateFunction(name, args);
}

}  // namespace foxsql
