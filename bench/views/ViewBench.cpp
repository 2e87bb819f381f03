// Opens and reads a container view that joins two tables of N records each (N = 100,000
// unless given), and for comparison one of the tables, as the export does: Connection, SELECT *
// FROM `view`, RecordCount, every field of every row turned into its cell text. Each view is
// read twice: as the batch command reads it, and asked whether to go on as the window's
// export asks (the lines marked "asked", with the number of questions SQLite asked). Writes
// the tables first into a temporary folder (or the folder given as second argument, kept
// afterwards).
//
//   bench_views [records] [folder]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include <unistd.h>

#include <QString>

#include "bench/CellTexts.h"
#include "components/database/Connection.h"
#include "components/database/Recordset.h"
#include "components/vfpwriter/ContainerWriter.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

vfp::Value integer(std::int64_t n)
{
    vfp::Value value;
    value.kind = vfp::Value::Kind::Integer;
    value.integer = n;
    return value;
}

vfp::Value text(std::string s)
{
    vfp::Value value;
    value.kind = vfp::Value::Kind::Text;
    value.bytes = std::move(s);
    return value;
}

// A text of prefix and number, appended: GCC 12 warns falsely about "literal" + string.
vfp::Value numbered(const char* prefix, long long n)
{
    return text(std::string(prefix).append(std::to_string(n)));
}

void writeContainer(const std::filesystem::path& dbc, int records)
{
    vfpwriter::ContainerWriter container(dbc);
    using vfp::FieldType;
    vfpwriter::TableWriter customers = container.createTable("Customers", "customers.dbf",
                                                             {{"id", FieldType::Integer},
                                                              {"code", FieldType::Character, 10},
                                                              {"name", FieldType::Character, 30},
                                                              {"city", FieldType::Character, 20}});
    for (int i = 1; i <= records; ++i)
        customers.append({integer(i), numbered("C", i), numbered("Customer number ", i),
                          numbered("City ", i % 500)});
    customers.close();

    vfpwriter::TableWriter orders = container.createTable("Orders", "orders.dbf",
                                                          {{"id", FieldType::Integer},
                                                           {"customer", FieldType::Integer},
                                                           {"code", FieldType::Character, 10},
                                                           {"amount", FieldType::Currency},
                                                           {"day", FieldType::Date}});
    for (int i = 1; i <= records; ++i) {
        // Customers in scattered order, so lookups jump around the customer table.
        const int customer = static_cast<int>((static_cast<long long>(i) * 7919) % records) + 1;
        vfp::Value amount = integer(i * 125);
        amount.kind = vfp::Value::Kind::Currency;
        vfp::Value day;
        day.kind = vfp::Value::Kind::Date;
        day.year = 1990 + i % 30;
        day.month = 1 + i % 12;
        day.day = 1 + i % 28;
        orders.append({integer(i), integer(customer), numbered("C", customer), amount, day});
    }
    orders.close();

    container.addView("by_number",
                      "SELECT o.id, c.name, c.city, o.amount, o.day FROM orders o "
                      "INNER JOIN customers c ON o.customer = c.id");
    container.addView("by_code",
                      "SELECT o.id, c.name, o.amount * 2 AS twice FROM orders o "
                      "INNER JOIN customers c ON o.code = c.code "
                      "WHERE o.day >= {^1995-01-01}");
    container.close();
}

// Wall time and processor time: on a shared machine the second says what the work costs.
void timeView(const std::filesystem::path& dbc, const char* view, bool asked)
{
    long questions = 0;
    const auto start = Clock::now();
    const std::clock_t cpuStart = std::clock();
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
    database::Recordset records;
    records.Open(QStringLiteral("SELECT * FROM `") + QString::fromLatin1(view) + QLatin1Char('`'),
                 connection, 3, 1);
    const long count = records.RecordCount();
    const double opened = secondsSince(start);

    const std::size_t bytes = readCellTexts(records);
    const double total = secondsSince(start);
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    std::printf(
        "%-10s %-5s %8ld rows  open+count %6.3f s  read %6.3f s  total %6.3f s  "
        "(cpu %6.3f s)  %8.0f rows/s  %zu text bytes  %ld questions\n",
        view, asked ? "asked" : "", count, opened, total - opened, total, cpu,
        static_cast<double>(count) / total, bytes, questions);
}

}  // namespace

int main(int argc, char** argv)
{
    const int records = argc > 1 ? std::atoi(argv[1]) : 100000;
    const bool keep = argc > 2;
    const std::filesystem::path folder = keep ? std::filesystem::path(argv[2])
                                              : std::filesystem::temp_directory_path() /
                                                    ("bench_views_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path dbc = folder / "bench.dbc";

    const auto start = Clock::now();
    writeContainer(dbc, records);
    std::printf("wrote 2 tables of %d records in %.3f s\n", records, secondsSince(start));
    try {
        timeView(dbc, "Orders", false);  // the plain table, for comparison
        for (const char* view : {"by_number", "by_code"}) {
            timeView(dbc, view, false);
            timeView(dbc, view, true);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_views: %s\n", error.what());
        return 1;
    }
    if (!keep)
        std::filesystem::remove_all(folder);
    return 0;
}
