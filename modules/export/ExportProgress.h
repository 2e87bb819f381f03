// How the export run shows what it is doing, and learns whether to go on; Form2 shows it on
// its progress bar (and its "Stop" asks), the batch command on standard error, tests record it.
#pragma once

#include <QString>

namespace exporting {

class ExportProgress
{
public:
    virtual ~ExportProgress() = default;
    // The run has tables to go through: show that the program is busy.
    virtual void start() = 0;
    // What the run does now. fraction: the list position of the table being exported over the
    // length of the list, 0 to 1. Called once per table and then about every 15 ms.
    virtual void step(const QString& text, double fraction) = 0;
    // The run is over: back to the idle look (the window restored if it was minimized).
    virtual void finish() = 0;
    // Asked where the run lets the window system in (about every 15 ms, inside a long view
    // too): true ends the run there, and the workbook keeps what was copied. A progress that
    // offers no way to stop never asks to.
    virtual bool stopAsked() const { return false; }
};

}  // namespace exporting
