// How the preview's records grid behaves on a big table, read from its model as a grid reads
// it (a screen is 40 rows of every column): the time to open it and show its first screen,
// to jump to its last screen, and to scroll through every screen to its end, with the
// process's resident and peak memory after each step. Memory that stays flat while the grid
// scrolls to the end is the point. For comparison, the time a recordset (the export's reading)
// takes to open the same table and stand on its first record: it counts the live records
// first, reading every deletion mark of the file.
//
//   bench_export_make_table /tmp/big/people.dbf 1000000    # 1,000,000 records, 119 MB
//   bench_preview /tmp/big/people.dbf
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/Clock.h"
#include "components/database/Connection.h"
#include "components/database/Recordset.h"
#include "modules/foxpro/ConnectionSettings.h"
#include "modules/preview/Preview.h"

namespace {

constexpr int kScreenRows = 40;

// VmRSS or VmHWM of this process, in MiB.
double memoryMiB(const char* key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(key, 0) == 0)
            return std::stod(line.substr(std::string(key).size() + 1)) / 1024.0;
    }
    return -1;
}

// Reads one screen of rows from first on as a grid paints it: every cell and each row's header.
std::size_t readScreen(const QAbstractItemModel& records, int first)
{
    std::size_t characters = 0;
    const int end = std::min(first + kScreenRows, records.rowCount());
    for (int row = first; row < end; ++row) {
        characters += std::size_t(records.headerData(row, Qt::Vertical).toString().size());
        for (int column = 0; column < records.columnCount(); ++column)
            characters += std::size_t(records.index(row, column).data().toString().size());
    }
    return characters;
}

void report(const char* step, double started)
{
    std::printf("%-34s %10.3f ms   resident %7.1f MiB   peak %7.1f MiB\n", step,
                (seconds(CLOCK_MONOTONIC) - started) * 1000.0, memoryMiB("VmRSS:"),
                memoryMiB("VmHWM:"));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_preview TABLE.dbf\n");
        return 2;
    }
    const std::filesystem::path table = std::filesystem::absolute(argv[1]);
    std::printf("%s: %.1f MiB\n", table.c_str(),
                double(std::filesystem::file_size(table)) / (1 << 20));
    report("before opening", seconds(CLOCK_MONOTONIC));

    double started = seconds(CLOCK_MONOTONIC);
    const QString name = QString::fromStdString(table.stem().string());
    const preview::Preview shown(
        {{false, {}, QString::fromStdString(table.parent_path().string())}, {name, name}});
    const QAbstractItemModel* records = shown.records();
    if (!records) {
        std::fprintf(stderr, "%s\n", shown.status().toStdString().c_str());
        return 1;
    }
    report("open (header only)", started);

    started = seconds(CLOCK_MONOTONIC);
    std::size_t characters = readScreen(*records, 0);
    report("first screen", started);

    started = seconds(CLOCK_MONOTONIC);
    characters += readScreen(*records, records->rowCount() - kScreenRows);
    report("jump to the last screen", started);

    started = seconds(CLOCK_MONOTONIC);
    double slowest = 0;
    for (int first = 0; first < records->rowCount(); first += kScreenRows) {
        const double screenStarted = seconds(CLOCK_MONOTONIC);
        characters += readScreen(*records, first);
        slowest = std::max(slowest, seconds(CLOCK_MONOTONIC) - screenStarted);
    }
    report("scroll screen by screen to the end", started);
    std::printf("%d rows, slowest screen %.3f ms (%zu characters shown)\n", records->rowCount(),
                slowest * 1000.0, characters);

    started = seconds(CLOCK_MONOTONIC);
    database::Connection connection;
    connection.Open(foxpro::BuildFoxproConnectionString(
        {false, {}, QString::fromStdString(table.parent_path().string())}));
    database::Recordset recordset;
    recordset.Open(QStringLiteral("SELECT * FROM `") + name + QLatin1Char('`'), connection);
    report("recordset open, for comparison", started);
    return 0;
}
