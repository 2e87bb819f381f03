// Turns the FoxPro SELECT of a local view into SQLite's SQL with the same meaning, knowing
// the columns of the tables and views it names. The SQL it writes relies on the functions
// of views/SqliteFunctions.h and on text columns that compare ignoring trailing blanks
// (COLLATE RTRIM).
//
//   struct Catalog : SchemaLookup { ... };   // the container's tables and views
//   TranslatedSelect t = translateFoxSql("SELECT TOP 10 ... ORDER BY unitprice DESC",
//                                        "northwind", catalog);
//   // t.sql runs in SQLite; t.columns names and types its result columns
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "components/foxsql/SqlType.h"

namespace foxsql {

struct ResultColumn
{
    std::string name;  // lower case, as the provider names it
    SqlType type;
};

// A table or view as the translated SQL may name it.
struct SourceTable
{
    std::string sqliteName;             // its name in the SQLite database
    std::vector<ResultColumn> columns;  // in order
};

class SchemaLookup
{
public:
    virtual ~SchemaLookup() = default;
    // The table or view called `name` (ignoring case), or null when there is none. The
    // result stays valid for the lookup's lifetime. May throw TranslationError, e.g. when
    // `name` is a view whose own SQL cannot be translated.
    virtual const SourceTable* find(std::string_view name) = 0;
};

struct TranslatedSelect
{
    std::string sql;
    // The result's columns in order: names as FoxPro gives them (the alias; else the field
    // name; else exp_N for the N-th column, cnt for COUNT(*), sum_x for SUM(x) ...; a name
    // that occurs twice becomes name_a, name_b), types as FoxPro derives them.
    std::vector<ResultColumn> columns;
};

// Translates one SELECT statement (with its UNIONs and ORDER BY). databaseName is the
// container's name, which "database!table" may repeat.
//
// What it covers: joins (INNER, LEFT, RIGHT, FULL, nested "a JOIN b JOIN c ON .. ON .."),
// sub-queries, UNION, GROUP BY, HAVING, ORDER BY, DISTINCT; TOP n [PERCENT] with ORDER BY
// keeps rows that tie with the last one, as FoxPro does; .T. .F. .NULL. .AND. .OR. .NOT. !
// == # != $; strict dates {^yyyy-mm-dd}; = on texts as with SET ANSI OFF (the shorter text
// is compared), == and ordering ignoring trailing blanks; currency arithmetic rounded to
// four decimals; the FoxPro functions listed in FunctionTranslation.cpp.
//
// Throws TranslationError saying what cannot be translated and where: a parameter (?name),
// a name that is no table, view or column, an unknown function, a date that depends on SET
// DATE, INTO or TO clauses, and constructs SQLite has no counterpart for.
TranslatedSelect translateFoxSql(std::string_view sql, std::string_view databaseName,
                                 SchemaLookup& lookup);

// A name and a text as SQLite reads them: in double and in single quotes, a quote inside
// doubled ("a""b", 'it''s').
std::string quoteName(std::string_view name);
std::string quoteText(std::string_view text);

}  // namespace foxsql
