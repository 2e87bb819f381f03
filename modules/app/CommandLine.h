// The window program's command line: quorvane [PATH], quorvane --version, quorvane --help.
#pragma once

#include <QString>
#include <QStringList>

namespace app {

struct CommandLine
{
    enum class Action { Run, ShowVersion, ShowHelp, Refuse };
    Action action = Action::Run;
    QString path;     // Run: the source given, as written; empty when none
    QString problem;  // Refuse: what is wrong, one line
};

// Reads the arguments after the program's name, once Qt has taken out its own (-platform ...).
// "--version" and "--help" (or "-h") win wherever they stand; otherwise at most one PATH, "--"
// ending the options so that a PATH may start with "-". An unknown option or a second PATH is
// refused.
CommandLine readCommandLine(const QStringList& arguments);

// What --help prints: the synopsis and one line per option.
QString commandLineHelp();

}  // namespace app
