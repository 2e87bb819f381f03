// One export run, timed: a table of a free table folder into an .xlsx file, as "Finish" would
// write it (the run, the component, the file), without a window.
//
//   bench_export /tmp/bench people /tmp/bench/out.xlsx
// Prints "export <wall seconds> <CPU seconds> <peak RSS MiB>".
#include <cstdio>

#include <sys/resource.h>

#include "bench/Clock.h"
#include "bench/PrintedReports.h"
#include "modules/export/ExportProgress.h"
#include "modules/export/ExportRun.h"
#include "modules/export/WorkbookFile.h"

namespace {

class NoProgress : public exporting::ExportProgress
{
public:
    void start() override {}
    void step(const QString&, double) override {}
    void finish() override {}
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_export FOLDER TABLE OUT.xlsx\n");
        return 2;
    }
    const double start = seconds(CLOCK_MONOTONIC);
    const double startCpu = seconds(CLOCK_PROCESS_CPUTIME_ID);

    const QString table = QString::fromLocal8Bit(argv[2]);
    const foxpro::TableList tables{{table, table, true}};
    exporting::WorkbookFile output{argv[3]};
    NoProgress progress;
    const exporting::ExportRequest request{
        {false, QString(), QString::fromLocal8Bit(argv[1])}, tables, output.factory()};
    PrintedFailures failures;
    const exporting::ExportOutcome outcome = exporting::runExport(request, progress, failures);
    if (!outcome.handedOver || outcome.tablesIncomplete > 0)
        return 1;
    output.commit();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("export %.3f %.3f %.1f\n", seconds(CLOCK_MONOTONIC) - start,
                seconds(CLOCK_PROCESS_CPUTIME_ID) - startCpu, double(usage.ru_maxrss) / 1024.0);
    return 0;
}
