// How the export run shows what it is doing, and learns whether to go on; Form2 shows it on
// its progress bar (and its "Stop" asks), the batch command on standard error, tests record it.
#pragma once

#include <QString>

namespace exporting {

// Where the run stands, as numbers: the table at list position `table` (from 1) of `tables`
// items, and how many of its records are copied.
struct ExportPosition
{
    int table = 0;
    int tables = 0;
    long recordsCopied = 0;

    // What step() is given: table over tables.
    double fraction() const { return tables > 0 ? double(table) / double(tables) : 0.0; }
};

class ExportProgress
{
public:
    virtual ~ExportProgress() = default;
    // The run has tables to go through: show that the program is busy.
    virtual void start() = 0;
    // What the run does now. fraction: the list position of the table being exported over the
    // length of the list, 0 to 1. Called once per table and then about every 15 ms.
    virtual void step(const QString& text, double fraction) = 0;
    // The moment of each step() as numbers, called right after it, for a progress that shows
    // them its own way (the batch command's line on a terminal); the others need not listen.
    virtual void position(const ExportPosition& at) { static_cast<void>(at); }
    // step() with the fraction of `at`, then position(): what the run shows wherever it says
    // what it does.
    void advance(const QString& text, const ExportPosition& at)
    {
        step(text, at.fraction());
        position(at);
    }
    // The run is over: back to the idle look (the window restored if it was minimized).
    virtual void finish() = 0;
    // Asked where the run lets the window system in (about every 15 ms, inside a long view
    // too): true ends the run there, and the workbook keeps what was copied. A progress that
    // offers no way to stop never asks to.
    virtual bool stopAsked() const { return false; }
};

}  // namespace exporting
