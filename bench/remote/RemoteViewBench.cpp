// Opens and reads a remote view of N rows (N = 100,000 unless given) as the export does:
// Connection, SELECT * FROM `view`, RecordCount, every field of every row turned into its cell
// text. The server is an SQLite database behind Debian's SQLite ODBC driver, defined in a
// temporary odbc.ini; for comparison SQLite reads the same rows itself, every column as text.
// Memory: the SQLite driver keeps its whole result in memory in manual-commit mode, which the
// view's connection asks for (to roll back); our own part, the spool, stays flat. The view is
// read twice: as the batch command reads it, and "asked" whether to go on as the window's
// export asks, its SQL and rows then fetched on a thread of their own.
//
//   bench_remote [rows] [path of libsqlite3odbc.so]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <sqlite3.h>
#include <unistd.h>

#include <QString>

#include "bench/CellTexts.h"
#include "bench/Clock.h"
#include "components/database/Connection.h"
#include "components/database/Recordset.h"
#include "components/vfpwriter/ContainerWriter.h"

namespace {

constexpr const char* kQuery = "SELECT id, name, note, amount, day, stamp FROM orders";

bool execute(sqlite3* db, const std::string& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) == SQLITE_OK)
        return true;
    std::fprintf(stderr, "bench_remote: %s\n", error);
    sqlite3_free(error);
    return false;
}

bool writeDatabase(const std::filesystem::path& file, int rows)
{
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    const bool written =
        execute(db,
                "CREATE TABLE orders(id integer, name varchar(30), note text, amount double, "
                "day date, stamp timestamp);"
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                    std::to_string(rows) +
                    ") INSERT INTO orders SELECT i, 'Customer number ' || i, "
                    "'A longer note about order ' || i || ' that goes on for a while', i * 1.25, "
                    "date('1990-01-01', '+' || (i % 10000) || ' days'), "
                    "datetime('2001-02-03 04:05:06', '+' || i || ' seconds') FROM n;");
    sqlite3_close(db);
    return written;
}

void writeOdbcFiles(const std::filesystem::path& folder, const std::string& driver)
{
    std::ofstream(folder / "odbcinst.ini") << "[Bench SQLite]\nDriver=" << driver << "\n";
    std::ofstream(folder / "odbc.ini")
        << "[bench]\nDriver=Bench SQLite\nDatabase=" << (folder / "bench.db").string() << "\n";
    setenv("ODBCSYSINI", folder.c_str(), 1);
    setenv("ODBCINI", (folder / "odbc.ini").c_str(), 1);
}

void timeSqlite(const std::filesystem::path& file)
{
    const double start = seconds(CLOCK_MONOTONIC);
    const double cpuStart = seconds(CLOCK_PROCESS_CPUTIME_ID);
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, kQuery, -1, &statement, nullptr);
    long rows = 0;
    std::size_t bytes = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int k = 0; k < sqlite3_column_count(statement); ++k) {
            sqlite3_column_text(statement, k);
            bytes += static_cast<std::size_t>(sqlite3_column_bytes(statement, k));
        }
        ++rows;
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    const double total = seconds(CLOCK_MONOTONIC) - start;
    std::printf("%-12s %8ld rows  total %6.3f s  (cpu %6.3f s)  %8.0f rows/s  %zu text bytes\n",
                "sqlite", rows, total, seconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart,
                static_cast<double>(rows) / total, bytes);
}

void timeView(const std::filesystem::path& dbc, bool asked)
{
    long questions = 0;
    const double start = seconds(CLOCK_MONOTONIC);
    const double cpuStart = seconds(CLOCK_PROCESS_CPUTIME_ID);
    database::Connection connection;
    if (asked) {
        connection.keepGoing = [&questions] {
            ++questions;
            return true;
        };
    }
    connection.Open(QStringLiteral("Provider=vfpoledb.1;Data Source=") +
                    QString::fromStdString(dbc.string()) +
                    QStringLiteral(";Collating Sequence=machine;"));
    // The benchmark's own data source, allowed as the user's "Yes" allows it.
    connection.allowRemoteServers({connection.remoteUse(QStringLiteral("orders")).server});
    database::Recordset records;
    records.Open(QStringLiteral("SELECT * FROM `orders`"), connection, 3, 1);
    const long count = records.RecordCount();
    const double opened = seconds(CLOCK_MONOTONIC) - start;

    const std::size_t bytes = readCellTexts(records);
    const double total = seconds(CLOCK_MONOTONIC) - start;
    std::printf(
        "%-12s %-5s %8ld rows  open (login, query, spool) %6.3f s  read %6.3f s  total %6.3f s  "
        "(cpu %6.3f s)  %8.0f rows/s  %zu text bytes  %ld questions\n",
        "remote view", asked ? "asked" : "", count, opened, total - opened, total,
        seconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart, static_cast<double>(count) / total, bytes,
        questions);
}

}  // namespace

int main(int argc, char** argv)
{
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    const std::string driver =
        argc > 2 ? argv[2] : "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("bench_remote_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    int status = 0;
    if (writeDatabase(folder / "bench.db", rows)) {
        writeOdbcFiles(folder, driver);
        vfpwriter::ContainerWriter container(folder / "bench.dbc");
        container.addConnection("Bench", "bench");
        container.addView("orders", kQuery, {}, "Bench");
        container.close();
        try {
            timeSqlite(folder / "bench.db");
            timeView(folder / "bench.dbc", false);
            timeView(folder / "bench.dbc", true);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "bench_remote: %s\n", error.what());
            status = 1;
        }
    } else {
        status = 1;
    }
    std::filesystem::remove_all(folder);
    return status;
}
