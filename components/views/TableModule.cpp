// The "vfp_table" virtual table module: SQLite's callbacks over RecordReader. No exception
// may cross into SQLite, so each callback turns one into an SQLite error with its message.
#include "components/views/TableModule.h"

#include <sqlite3.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>

#include "components/foxsql/FoxSqlTranslator.h"
#include "components/text/AsciiCase.h"
#include "components/vfp/RecordReader.h"
#include "components/views/ColumnType.h"
#include "components/views/EngineValue.h"
#include "components/views/KeyIndex.h"
#include "components/views/OverflowMarks.h"
#include "components/views/Sandbox.h"
#include "components/views/Sqlite.h"

namespace views {

namespace {

// Lookups jump between records; a small buffer keeps each jump to one short read.
constexpr std::size_t kLookupBufferBytes = 512;

// 'T' when equality on the column compares texts, 'N' numbers, 0 when it cannot be looked up.
char keyClass(const foxsql::SqlType& type)
{
    if (type.isText() || type.letter == 'D' || type.letter == 'T')
        return 'T';
    if (type.isNumber() || type.letter == 'L')
        return 'N';
    return 0;
}

std::string declaredType(const foxsql::SqlType& type)
{
    if (keyClass(type) == 'T')
        return "TEXT COLLATE RTRIM";
    if (type.letter == 'I' || type.letter == 'L')
        return "INTEGER";
    if (type.isNumber())
        return "REAL";
    return "BLOB";
}

struct Vtab : sqlite3_vtab
{
    Vtab(const vfp::Table& source, OverflowMarks& overflowMarks)
        : table(source), marks(overflowMarks)
    {
        for (const vfp::FieldDescriptor& field : table.fields())
            types.push_back(typeOfField(field));
        indexes.resize(types.size());
    }

    const KeyIndex& index(int column)
    {
        auto& slot = indexes[static_cast<std::size_t>(column)];
        if (!slot)
            slot = std::make_unique<KeyIndex>(table, column);
        return *slot;
    }

    vfp::Table table;
    OverflowMarks& marks;
    std::vector<foxsql::SqlType> types;
    std::vector<std::unique_ptr<KeyIndex>> indexes;
};

struct Cursor : sqlite3_vtab_cursor
{
    explicit Cursor(std::size_t columns) : values(columns), decodedFor(columns, 0) {}

    Vtab& vtab() const { return *static_cast<Vtab*>(pVtab); }

    void scan()
    {
        if (!scanner)
            scanner.emplace(vtab().table);
        scanner->rewind();
        reader = &*scanner;
        lookup = false;
        eof = !reader->next();
    }

    void lookUp(int column, const std::string& key)
    {
        const KeyIndex::Range range = vtab().index(column).find(key);
        matches = range.first;
        matchesEnd = range.second;
        if (!seeker)
            seeker.emplace(vtab().table, kLookupBufferBytes);
        reader = &*seeker;
        lookup = true;
        nextMatch();
    }

    void nextMatch()
    {
        while (matches != matchesEnd) {
            const std::uint32_t record = (matches++)->record;
            if (reader->seek(record)) {
                eof = false;
                return;
            }
        }
        eof = true;
    }

    void next()
    {
        ++serial;
        if (lookup)
            nextMatch();
        else
            eof = !reader->next();
    }

    std::optional<vfp::RecordReader> scanner;
    std::optional<vfp::RecordReader> seeker;
    vfp::RecordReader* reader = nullptr;
    const KeyIndex::Entry* matches = nullptr;
    const KeyIndex::Entry* matchesEnd = nullptr;
    bool lookup = false;
    bool eof = true;
    // Decoded fields of the current row: SQLite may ask for one field several times.
    std::vector<vfp::Value> values;
    std::vector<std::uint64_t> decodedFor;
    std::uint64_t serial = 1;
};

int fail(sqlite3_vtab* vtab, const std::exception& error)
{
    sqlite3_free(vtab->zErrMsg);
    vtab->zErrMsg = sqlite3_mprintf("%s", error.what());
    return SQLITE_ERROR;
}

int connect(sqlite3* db, void* aux, int argc, const char* const* argv, sqlite3_vtab** out,
            char** error)
{
    const auto* module = static_cast<const TableModule*>(aux);
    const std::size_t index = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : module->tableCount();
    if (index >= module->tableCount()) {
        *error = sqlite3_mprintf("vfp_table needs the number of a table it was given");
        return SQLITE_ERROR;
    }
    auto vtab = std::make_unique<Vtab>(module->table(index), module->marks());
    std::string schema = "CREATE TABLE x(";
    for (std::size_t i = 0; i < vtab->types.size(); ++i)
        schema += (i > 0 ? ", " : "") +
                  foxsql::quoteName(text::lowerAscii(vtab->table.fields()[i].name)) + " " +
                  declaredType(vtab->types[i]);
    schema += ")";
    const int rc = sqlite3_declare_vtab(db, schema.c_str());
    if (rc != SQLITE_OK) {
        *error = sqlite3_mprintf("%s", sqlite3_errmsg(db));
        return rc;
    }
    // It only reads: views may use it although the schema is not trusted (Sandbox).
    sqlite3_vtab_config(db, SQLITE_VTAB_INNOCUOUS);
    *out = vtab.release();
    return SQLITE_OK;
}

int disconnect(sqlite3_vtab* vtab)
{
    delete static_cast<Vtab*>(vtab);
    return SQLITE_OK;
}

// One equality constraint on a field that can be looked up: the index answers it. Otherwise
// a full scan, costed by the number of records.
int bestIndex(sqlite3_vtab* base, sqlite3_index_info* info)
{
    const auto* vtab = static_cast<const Vtab*>(base);
    const double records = static_cast<double>(vtab->table.recordCount());
    for (int i = 0; i < info->nConstraint; ++i) {
        const auto& constraint = info->aConstraint[i];
        if (!constraint.usable || constraint.op != SQLITE_INDEX_CONSTRAINT_EQ ||
            constraint.iColumn < 0)
            continue;
        const char kind = keyClass(vtab->types[static_cast<std::size_t>(constraint.iColumn)]);
        if (kind == 0)
            continue;
        if (kind == 'T') {  // the index ignores trailing blanks, nothing else
            const char* collation = sqlite3_vtab_collation(info, i);
            if (sqlite3_stricmp(collation, "BINARY") != 0 &&
                sqlite3_stricmp(collation, "RTRIM") != 0)
                continue;
        }
        info->aConstraintUsage[i].argvIndex = 1;
        info->aConstraintUsage[i].omit = 0;  // SQLite checks each row: the index may give more
        info->idxNum = constraint.iColumn + 1;
        info->estimatedCost = 10.0;
        info->estimatedRows = 2;
        return SQLITE_OK;
    }
    info->idxNum = 0;
    info->estimatedCost = records + 1;
    info->estimatedRows = static_cast<sqlite3_int64>(records) + 1;
    return SQLITE_OK;
}

int open(sqlite3_vtab* base, sqlite3_vtab_cursor** out)
{
    *out = new Cursor(static_cast<Vtab*>(base)->types.size());
    return SQLITE_OK;
}

int close(sqlite3_vtab_cursor* cursor)
{
    delete static_cast<Cursor*>(cursor);
    return SQLITE_OK;
}

int filter(sqlite3_vtab_cursor* base, int idxNum, const char*, int argc, sqlite3_value** argv)
{
    auto* cursor = static_cast<Cursor*>(base);
    try {
        ++cursor->serial;
        std::string key;
        if (idxNum == 0 || argc < 1) {
            cursor->scan();
        } else if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
            cursor->eof = true;  // nothing equals NULL
        } else if (!lookupKey(argv[0], key) ||
                   key[0] != keyClass(cursor->vtab().types[static_cast<std::size_t>(idxNum - 1)])) {
            cursor->scan();  // SQLite converts such values itself: let it see every row
        } else {
            cursor->lookUp(idxNum - 1, key);
        }
        return SQLITE_OK;
    } catch (const std::exception& error) {
        return fail(base->pVtab, error);
    }
}

int next(sqlite3_vtab_cursor* base)
{
    try {
        static_cast<Cursor*>(base)->next();
        return SQLITE_OK;
    } catch (const std::exception& error) {
        return fail(base->pVtab, error);
    }
}

int eof(sqlite3_vtab_cursor* base)
{
    return static_cast<Cursor*>(base)->eof ? 1 : 0;
}

int column(sqlite3_vtab_cursor* base, sqlite3_context* context, int index)
{
    auto* cursor = static_cast<Cursor*>(base);
    try {
        const auto i = static_cast<std::size_t>(index);
        if (cursor->decodedFor[i] != cursor->serial) {
            cursor->reader->read(index, cursor->values[i]);
            cursor->decodedFor[i] = cursor->serial;
        }
        const vfp::Value& value = cursor->values[i];
        if (value.bytes.size() > static_cast<std::size_t>(kMaxValueBytes))
            cursor->vtab().marks.markResult(context);  // a memo too long for a view
        else
            resultEngineValue(context, value);
        return SQLITE_OK;
    } catch (const std::exception& error) {
        sqlite3_result_error(context, error.what(), -1);
        return SQLITE_ERROR;
    }
}

int rowid(sqlite3_vtab_cursor* base, sqlite3_int64* out)
{
    *out = static_cast<Cursor*>(base)->reader->recordNumber();
    return SQLITE_OK;
}

sqlite3_module makeModule()
{
    sqlite3_module module{};
    module.iVersion = 1;
    module.xCreate = connect;
    module.xConnect = connect;
    module.xBestIndex = bestIndex;
    module.xDisconnect = disconnect;
    module.xDestroy = disconnect;
    module.xOpen = open;
    module.xClose = close;
    module.xFilter = filter;
    module.xNext = next;
    module.xEof = eof;
    module.xColumn = column;
    module.xRowid = rowid;
    return module;
}

const sqlite3_module kModule = makeModule();

}  // namespace

void TableModule::registerOn(sqlite3* db)
{
    check(db, sqlite3_create_module_v2(db, "vfp_table", &kModule, this, nullptr),
          "SQLite cannot take the FoxPro table module");
}

std::vector<foxsql::ResultColumn> TableModule::create(sqlite3* db, const std::string& name,
                                                      const vfp::Table& table)
{
    mTables.push_back(table);
    execute(db, "CREATE VIRTUAL TABLE temp." + foxsql::quoteName(name) + " USING vfp_table(" +
                    std::to_string(mTables.size() - 1) + ")");
    std::vector<foxsql::ResultColumn> columns;
    for (const vfp::FieldDescriptor& field : table.fields())
        columns.push_back({text::lowerAscii(field.name), typeOfField(field)});
    return columns;
}

}  // namespace views
