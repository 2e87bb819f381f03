// How the preview window's records grid behaves on a big table, on the offscreen platform: the
// time to open the preview and paint its first screen, to jump to its last screen, and to page
// through every screen to its end, with the process's resident and peak memory after each step.
// Memory that stays flat while the grid scrolls to the end is the point. For comparison, the
// time a recordset (the export's reading) takes to open the same table and stand on its first
// record: it counts the live records first, reading every deletion mark of the file.
//
//   bench_export_make_table /tmp/big/people.dbf 1000000    # 1,000,000 records, 119 MB
//   bench_preview /tmp/big/people.dbf
//   bench_preview /tmp/huge/people.dbf 2000    # a 2 GB table: its first 2,000 screens
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>

#include "bench/Clock.h"
#include "bench/PrintedReports.h"
#include "components/database/Connection.h"
#include "components/database/Recordset.h"
#include "modules/foxpro/ConnectionSettings.h"
#include "windows/PreviewWindow.h"

namespace {

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

void report(const char* step, double started)
{
    std::printf("%-36s %10.3f ms   resident %7.1f MiB   peak %7.1f MiB\n", step,
                (seconds(CLOCK_MONOTONIC) - started) * 1000.0, memoryMiB("VmRSS:"),
                memoryMiB("VmHWM:"));
}

// Paints the grid as it stands now: every cell it shows is asked for.
void paint(QTableView& grid)
{
    grid.viewport()->repaint();
    QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: bench_preview TABLE.dbf [SCREENS]\n");
        return 2;
    }
    // How many screens to page through from the first; all of them when not given.
    const long pagedScreens = argc == 3 ? std::atol(argv[2]) : -1;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::filesystem::path table = std::filesystem::absolute(argv[1]);
    std::printf("%s: %.1f MiB\n", table.c_str(),
                double(std::filesystem::file_size(table)) / (1 << 20));
    report("before opening", seconds(CLOCK_MONOTONIC));

    PrintedMessages messages;
    windows::PreviewWindow window(nullptr, messages, nullptr);
    const QString name = QString::fromStdString(table.stem().string());
    const foxpro::ConnectionSettings settings{
        false, {}, QString::fromStdString(table.parent_path().string())};

    double started = seconds(CLOCK_MONOTONIC);
    window.showItem(settings, {name, name});
    QTableView& grid = *window.RecordsView;
    if (!grid.model()) {
        std::fprintf(stderr, "%s\n", window.StatusLabel->text().toUtf8().constData());
        return 1;
    }
    paint(grid);
    report("open and paint the first screen", started);

    QScrollBar& scroll = *grid.verticalScrollBar();
    started = seconds(CLOCK_MONOTONIC);
    scroll.setValue(scroll.maximum());
    paint(grid);
    report("jump to the last screen", started);

    started = seconds(CLOCK_MONOTONIC);
    double slowest = 0;
    int screens = 0;
    for (int at = 0; at <= scroll.maximum() && screens != pagedScreens; at += scroll.pageStep()) {
        const double screenStarted = seconds(CLOCK_MONOTONIC);
        scroll.setValue(at);
        paint(grid);
        slowest = std::max(slowest, seconds(CLOCK_MONOTONIC) - screenStarted);
        ++screens;
    }
    report(pagedScreens < 0 ? "page screen by screen to the end" : "page screen by screen",
           started);
    std::printf("%d rows, %d screens of %d rows, slowest screen %.3f ms\n",
                grid.model()->rowCount(), screens, scroll.pageStep(), slowest * 1000.0);

    started = seconds(CLOCK_MONOTONIC);
    database::Connection connection;
    connection.Open(foxpro::BuildFoxproConnectionString(settings));
    database::Recordset recordset;
    recordset.Open(QStringLiteral("SELECT * FROM `") + name + QLatin1Char('`'), connection);
    report("recordset open, for comparison", started);
    return 0;
}
