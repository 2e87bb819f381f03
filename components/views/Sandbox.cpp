// The sandbox's settings, limits and authorizer. SQLite asks the authorizer while it prepares
// a statement, once per table column read, function named and statement kind, views expanded
// included: a view's SQL is checked where it is used, whatever it was translated into.
#include "components/views/Sandbox.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <string>

#include "components/foxsql/FoxSqlTranslator.h"
#include "components/rows/DatabaseError.h"
#include "components/text/AsciiCase.h"
#include "components/views/SqliteFunctions.h"

namespace views {

namespace {

struct Limit
{
    int id;
    int value;
};

// Each with its reason; kMaxValueBytes (Sandbox.h) is the length of a value and of a row.
constexpr std::array<Limit, 8> kLimits{{
    {SQLITE_LIMIT_LENGTH, kMaxValueBytes},
    // One view's translated SQL: the Northwind views take under 2,000 bytes each.
    {SQLITE_LIMIT_SQL_LENGTH, 1'000'000},
    // A FoxPro table or cursor has at most 255 fields; the translation adds one column for
    // TOP. Twice that leaves room and still keeps a row to 512 values.
    {SQLITE_LIMIT_COLUMN, 512},
    // SQLite's own default, pinned: the translator allows 200 levels of FoxPro nesting.
    {SQLITE_LIMIT_EXPR_DEPTH, 1000},
    // MAX(), MIN() and INLIST() take at most 25 arguments in FoxPro.
    {SQLITE_LIMIT_FUNCTION_ARG, 32},
    // Views that read views several times each make a program that grows with every level:
    // a million instructions is some 30 MB and far more than any real view compiles to.
    {SQLITE_LIMIT_VDBE_OP, 1'000'000},
    // A LIKE pattern against a value at the limit is matched in well under a second, which
    // SQLite cannot interrupt half way; FoxPro patterns are short literals.
    {SQLITE_LIMIT_LIKE_PATTERN_LENGTH, 1000},
    // Nothing is attached: no file is opened or created by name.
    {SQLITE_LIMIT_ATTACHED, 0},
}};

// The SQLite functions the translation writes (foxsql/FunctionTranslation.cpp, the aggregates,
// LIKE, TOP's rank()); the vfp_ functions of SqliteFunctions.h come on top.
constexpr std::array<std::string_view, 27> kBuiltInFunctions{
    "abs",     "avg",    "ceil", "char",  "coalesce", "count",  "date", "datetime", "floor",
    "instr",   "length", "like", "ltrim", "max",      "min",    "pi",   "printf",   "rank",
    "replace", "rtrim",  "sign", "sqrt",  "strftime", "substr", "sum",  "trim",     "unicode",
};

// Where SQLite keeps what our set-up creates: it names the temporary schema either way.
bool isSchemaTable(std::string_view name)
{
    return name == "sqlite_temp_master" || name == "sqlite_master";
}

constexpr std::string_view kTableModule = "vfp_table";

std::string_view text(const char* value)
{
    return value == nullptr ? std::string_view() : std::string_view(value);
}

void configure(sqlite3* db, int option, int value, const char* what)
{
    int applied = -1;
    if (sqlite3_db_config(db, option, value, &applied) != SQLITE_OK || applied != value)
        throw rows::DatabaseError(std::string("SQLite cannot run views safely: it refuses to ") +
                                  what + ".");
}

}  // namespace

Sandbox::Sandbox(sqlite3* db)
{
    configure(db, SQLITE_DBCONFIG_DEFENSIVE, 1, "be defensive");
    configure(db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, "turn extension loading off");
    configure(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, "distrust its schema");
    configure(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, "turn triggers off");
    for (const Limit& limit : kLimits) {
        sqlite3_limit(db, limit.id, limit.value);
        if (sqlite3_limit(db, limit.id, -1) != limit.value)
            throw rows::DatabaseError("SQLite cannot run views safely: it refuses limit " +
                                      std::to_string(limit.id) + ".");
    }
    if (sqlite3_set_authorizer(db, &Sandbox::authorize, this) != SQLITE_OK)
        throw rows::DatabaseError("SQLite cannot run views safely: it refuses the authorizer.");
}

Sandbox::SetUp::SetUp(Sandbox& sandbox) : mSandbox(sandbox), mWas(sandbox.mSettingUp)
{
    mSandbox.mSettingUp = true;
}

Sandbox::SetUp::~SetUp()
{
    mSandbox.mSettingUp = mWas;
}

void Sandbox::admit(std::string_view name)
{
    mReadable.insert(text::lowerAscii(name));
}

int Sandbox::authorize(void* self, int action, const char* first, const char* second, const char*,
                       const char*)
{
    return static_cast<const Sandbox*>(self)->allows(action, first, second) ? SQLITE_OK
                                                                            : SQLITE_DENY;
}

// first and second are what SQLite documents per action: the table and column read, the
// function's name (second), the view or virtual table and module created.
bool Sandbox::allows(int action, const char* first, const char* second) const
{
    switch (action) {
        case SQLITE_SELECT:
            return true;
        case SQLITE_READ:
            if (mSettingUp && isSchemaTable(text(first)))
                return true;
            return mReadable.count(text::lowerAscii(text(first))) != 0;
        case SQLITE_FUNCTION: {
            const std::string name = text::lowerAscii(text(second));
            return isFoxFunction(name) ||
                   std::find(kBuiltInFunctions.begin(), kBuiltInFunctions.end(), name) !=
                       kBuiltInFunctions.end();
        }
        case SQLITE_INSERT:
        case SQLITE_UPDATE:
            return mSettingUp && isSchemaTable(text(first));
        case SQLITE_CREATE_TEMP_VIEW:
            return mSettingUp;
        case SQLITE_CREATE_VTABLE:
            return mSettingUp && text(second) == kTableModule;
        default:  // writes, ATTACH, PRAGMA, transactions, recursion, everything else
            return false;
    }
}

}  // namespace views
