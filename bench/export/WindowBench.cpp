// The export run behind the window, timed: Form2 on the offscreen platform with every table of
// the folder ticked, "Finish" clicked, the workbook written to a file instead of handed over.
// Against bench_export it shows what the progress texts and the window's event processing cost.
//
//   bench_export_window /tmp/bench /tmp/bench/out.xlsx
// Prints "window <wall seconds> <CPU seconds>".
#include <cstdio>

#include <QApplication>
#include <QTreeWidget>

#include "bench/Clock.h"
#include "bench/PrintedReports.h"
#include "modules/export/WorkbookFile.h"
#include "modules/foxpro/Foxpro.h"
#include "windows/Form2.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_export_window FOLDER OUT.xlsx\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    exporting::WorkbookFile output{argv[2]};
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const foxpro::ConnectionSettings settings{false, QString(), folder};
    PrintedMessages messages;
    PrintedFailures failures;
    foxpro::TableList tables;
    foxpro::AddTablesToFoxproListbox(tables, foxpro::BuildFoxproConnectionString(settings),
                                     settings, failures);
    windows::Form2 window{[settings] { return settings; }, nullptr, output.factory(), messages,
                          tables};
    window.show();
    window.PushButton8_Click();  // "Select All"

    const double start = seconds(CLOCK_MONOTONIC);
    const double startCpu = seconds(CLOCK_PROCESS_CPUTIME_ID);
    window.PushButton5_Click();  // "Finish"; "Done." goes to standard error
    if (!output.finished())
        return 1;
    output.commit();
    std::printf("window %.3f %.3f\n", seconds(CLOCK_MONOTONIC) - start,
                seconds(CLOCK_PROCESS_CPUTIME_ID) - startCpu);
    return 0;
}
