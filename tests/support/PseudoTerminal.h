// A pseudo-terminal for tests of what a program shows on a terminal: its terminal side is what
// isatty() accepts, in raw mode (line feeds stay line feeds), and what was written to it is
// read back from the other side.
#pragma once

#include <string>

#include <QString>

namespace testsupport {

class PseudoTerminal
{
public:
    // Fails the current test (and leaves descriptor() at -1) when no pseudo-terminal can be had.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // The terminal side, open for writing, and its path (for QProcess::setStandardErrorFile).
    int descriptor() const { return mTerminal; }
    QString path() const { return mPath; }

    // Everything written to the terminal side so far and not yet read.
    std::string written();

private:
    int mController = -1;
    int mTerminal = -1;
    QString mPath;
};

}  // namespace testsupport
