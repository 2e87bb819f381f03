// The test process's ODBC folder and SQLite database, and containers with remote views.
#include "tests/support/OdbcSandbox.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

#include <dlfcn.h>
#include <sqlite3.h>

#include "components/vfpwriter/ContainerWriter.h"

namespace odbctest {

namespace {

constexpr const char* kDriverName = kSqliteDriverName;

void writeFile(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream out(file, std::ios::binary);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

void runSql(const std::filesystem::path& database, const std::string& sql)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(database.c_str(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + database.string());
    }
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    const std::string message = error != nullptr ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("SQLite: " + message);
}

const char* const kShopSql = R"(
CREATE TABLE kinds(id integer, small smallint, tiny tinyint, big bigint, dbl double,
  num numeric(8,3), name varchar(10), note text, code char(5), day date, stamp timestamp,
  clock time, flag bit, raw blob, vb varbinary(4), lvb longvarbinary);
INSERT INTO kinds VALUES(1, -7, 200, 9007199254740993, 0.1, 3.125, 'Zoë',
  'line one' || char(10) || 'line two', 'ab', '2024-02-29', '2024-02-29 23:59:59.6',
  '12:34:56', 1, x'00FF', x'0A0B', x'0102');
INSERT INTO kinds DEFAULT VALUES;
CREATE TABLE odd(id integer, day date, stamp timestamp);
INSERT INTO odd VALUES(1, 'hello', '2024-13-45 99:00:00');
CREATE TABLE big(data longvarbinary);
CREATE TABLE kept(id integer);
INSERT INTO kept VALUES(1), (2), (3);
)";

}  // namespace

Sandbox::Sandbox(const std::string& driver)
{
    const std::filesystem::path& folder = mFolder.path();
    mDatabase = folder / "shop.db";
    runSql(mDatabase, kShopSql);
    runSql(mDatabase, "INSERT INTO big VALUES(x'" + std::string(100000, '0') + "FF')");
    // The driver manager's trace shows what each login asked for (see traceOfLastLogin).
    writeFile(folder / "odbcinst.ini",
              "[ODBC]\nTrace=Yes\nTraceFile=" + (folder / "trace.log").string() + "\n\n[" +
                  kDriverName + "]\nDriver=" + driver +
                  "\n\n[Quorvane Missing]\nDriver=" + kMissingDriver + "\n");
    writeFile(folder / "odbc.ini", "");  // no system data sources
    writeFile(folder / "user-odbc.ini",
              "[quorvane_shop]\nDriver=" + std::string(kDriverName) + "\nDatabase=" +
                  mDatabase.string() + "\nNoCreat=1\n\n[quorvane_locked]\nDriver=" + kDriverName +
                  "\nDatabase=" + (folder / "no-such-folder" / "shop.db").string() +
                  "\nNoCreat=1\n\n[quorvane_broken]\nDriver=Quorvane Missing\n");
    // The SQLite driver loads the driver manager's ini reader for each login and unloads it
    // again, leaving what the reader keeps behind; kept loaded, that memory stays reachable
    // from the reader and the sanitizer build's leak check finds nothing to blame on us.
    dlopen("libodbcinst.so.2", RTLD_NOW | RTLD_NODELETE);
    setenv("ODBCSYSINI", folder.c_str(), 1);
    setenv("ODBCINI", (folder / "user-odbc.ini").c_str(), 1);
}

const Sandbox* Sandbox::get()
{
    static const std::unique_ptr<Sandbox> sandbox = []() -> std::unique_ptr<Sandbox> {
        const std::string driver = QUORVANE_SQLITE_ODBC_DRIVER;
        if (driver.empty() || !std::filesystem::exists(driver))
            return nullptr;
        return std::unique_ptr<Sandbox>(new Sandbox(driver));
    }();
    return sandbox.get();
}

std::filesystem::path writeRemote(const std::filesystem::path& folder,
                                  const std::vector<RemoteView>& views,
                                  const std::vector<StoredConnection>& more)
{
    const std::filesystem::path dbc = folder / "remote.dbc";
    vfpwriter::ContainerWriter container(dbc);
    container.addConnection("Shop", "quorvane_shop");
    container.addConnection("Locked", "quorvane_locked");
    container.addConnection("Broken", "quorvane_broken");
    container.addConnection("Nowhere", "quorvane_nowhere");
    container.addConnection("Direct", "", "DRIVER=" + std::string(kDriverName) + ";Timeout=1000");
    container.addConnection("Clerk", "quorvane_shop", "", {"clerk", "s3cret", 0});
    container.addConnection("Patient", "quorvane_shop", "", {"", "", 7});
    container.addConnection("Empty", "");
    for (const StoredConnection& connection : more)
        container.addConnection(connection.name, "", connection.connectString);
    vfpwriter::TableWriter plain =
        container.createTable("plain", "plain.dbf", {{"n", vfp::FieldType::Character, 4}});
    for (const char* text : {"1", "2"})
        plain.append({vfp::Value::fromText(text)});
    plain.close();
    for (const RemoteView& view : views)
        container.addView(view.name, view.sql, {}, view.connection, view.parameters);
    container.close();
    return dbc;
}

std::string traceOfLastLogin()
{
    std::ifstream in(Sandbox::get()->folder() / "trace.log", std::ios::binary);
    const std::string trace((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t start = trace.rfind("SQL_ATTR_LOGIN_TIMEOUT");
    if (start == std::string::npos)
        return {};
    const std::size_t connect = trace.find("SQLDriverConnect", start);
    const std::size_t end = connect == std::string::npos ? connect : trace.find("Exit:", connect);
    return trace.substr(start, end == std::string::npos ? end : end - start);
}

long countRows(const std::string& table)
{
    sqlite3* db = nullptr;
    sqlite3_open(Sandbox::get()->database().c_str(), &db);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, ("SELECT count(*) FROM " + table).c_str(), -1, &statement, nullptr);
    const long count = sqlite3_step(statement) == SQLITE_ROW
                           ? static_cast<long>(sqlite3_column_int64(statement, 0))
                           : -1;
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return count;
}

}  // namespace odbctest
