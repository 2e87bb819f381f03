// The export's progress on standard error when it is a terminal: one line, rewritten in place,
// saying which table of how many the run is at, its name and the records copied. Shown only
// once the run has lasted a second (a short run prints nothing), and cleared at the end and
// before each failure line. Nothing at all when standard error is a file or a pipe.
#pragma once

#include <chrono>
#include <string>

#include "modules/export/ExportProgress.h"
#include "modules/foxpro/TableList.h"

namespace cli {

class TerminalProgress : public exporting::ExportProgress
{
public:
    // A second before the line shows: a short run leaves the terminal as it was.
    static constexpr std::chrono::milliseconds kQuietStart{1000};

    // tables: the run's list, whose item texts name the tables. Writes to descriptor when it is
    // a terminal, once the run has lasted quietStart.
    TerminalProgress(const foxpro::TableList& tables, int descriptor,
                     std::chrono::milliseconds quietStart = kQuietStart);

    void start() override;
    void step(const QString&, double) override {}
    void position(const exporting::ExportPosition& at) override;
    void finish() override { clear(); }

    // Takes the line off the terminal, if shown, so that what is written next starts a line.
    void clear();

private:
    using Clock = std::chrono::steady_clock;
    // At most ten lines a second, as many as the eye follows.
    static constexpr std::chrono::milliseconds kRedraw{100};

    void show(const std::string& line);

    const foxpro::TableList& mTables;
    int mDescriptor;
    bool mTerminal;
    std::chrono::milliseconds mQuietStart;
    bool mShown = false;
    Clock::time_point mStarted;
    Clock::time_point mDrawn;
};

// The text of the line: "table 2 of 5, orders: 12,000 records", the name with its control
// characters escaped and cut so that the line takes at most `columns` characters.
std::string progressLine(int table, int tables, const QString& name, long records, int columns);

}  // namespace cli
