// Feeds bytes to the view SQL translator as the SELECT of a local view, over a container
// written once to a temporary folder: shop.dbc with the tables people and orders (the columns
// of the view tests, tests/views/ShopSchema.h, so their SQL makes good seeds; no rows) and
// four views: one that runs, one whose SQL cannot be translated, one remote and one with
// parameters. TranslationError and DatabaseError are the expected answers to bad SQL. SQL the
// translator accepts is prepared in the view database, sandbox and all, where it must be one
// read-only statement with nothing after it, giving the columns the translation names, and
// the sandbox must let it through: anything else means text of the view leaked into the SQL
// as SQL, the translation lost track of its columns, or it calls what the sandbox refuses.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include <sqlite3.h>
#include <unistd.h>

#include "components/foxsql/FoxSqlTranslator.h"
#include "components/foxsql/TranslationError.h"
#include "components/rows/DatabaseError.h"
#include "components/vfp/Container.h"
#include "components/vfpwriter/ContainerWriter.h"
#include "components/views/ViewDatabase.h"
#include "tests/components/views/ShopSchema.h"

namespace {

std::filesystem::path gFolder;

void removeFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(gFolder, ignored);
}

std::filesystem::path writeShop()
{
    gFolder = std::filesystem::temp_directory_path() /
              ("quorvane-view-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(gFolder);
    std::atexit(removeFolder);
    const std::filesystem::path dbc = gFolder / "shop.dbc";
    vfpwriter::ContainerWriter container(dbc);
    container.createTable("People", "people.dbf", viewtest::peopleFields()).close();
    container.createTable("Orders", "orders.dbf", viewtest::ordersFields()).close();
    container.addView("recent", "SELECT id, day, amount FROM orders WHERE day > {^1997-06-01}");
    container.addView("broken", "SELECT TRANSFORM(id) FROM people");
    container.addConnection("server", "warehouse");
    container.addView("remote", "SELECT * FROM stock", {}, "server");
    container.addView("asks", "SELECT * FROM people WHERE id = ?wanted", {}, {}, "wanted,'N'");
    container.close();
    return dbc;
}

// Builds the container and its SQLite database once; the lookup caches tables and views, so
// each input only translates and prepares.
views::ViewDatabase& viewDatabase()
{
    static const vfp::Container container = vfp::Container::open(writeShop());
    static views::ViewDatabase database(container);
    return database;
}

[[noreturn]] void finding(const std::string& what, std::string_view sql,
                          const std::string& translated)
{
    std::fprintf(stderr, "%s\nview SQL: %.*s\ntranslated: %s\n", what.c_str(),
                 static_cast<int>(sql.size()), sql.data(), translated.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    views::ViewDatabase& database = viewDatabase();
    const std::string_view sql(reinterpret_cast<const char*>(data), size);
    foxsql::TranslatedSelect translated;
    try {
        translated = foxsql::translateFoxSql(sql, "shop", database);
    } catch (const foxsql::TranslationError&) {
        return 0;
    } catch (const rows::DatabaseError&) {
        return 0;
    }
    if (translated.columns.empty())
        finding("a translated SELECT without result columns", sql, translated.sql);

    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(database.db(), translated.sql.c_str(),
                                      static_cast<int>(translated.sql.size()), &statement, &tail);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> owned(statement, sqlite3_finalize);
    if (rc == SQLITE_AUTH)
        finding(
            "the sandbox refuses the translated SQL: " + std::string(sqlite3_errmsg(database.db())),
            sql, translated.sql);
    if (rc != SQLITE_OK)
        return 0;  // refused by SQLite: the view reports it when opened
    if (statement == nullptr)
        finding("the translated SQL holds no statement", sql, translated.sql);
    if (!sqlite3_stmt_readonly(statement))
        finding("the translated SQL writes", sql, translated.sql);
    if (tail != nullptr &&
        std::string_view(tail).find_first_not_of(" \t\r\n") != std::string_view::npos)
        finding("the translated SQL holds more than one statement", sql, translated.sql);
    if (sqlite3_column_count(statement) != static_cast<int>(translated.columns.size()))
        finding("SQLite gives another number of columns than the translation names", sql,
                translated.sql);
    return 0;
}
