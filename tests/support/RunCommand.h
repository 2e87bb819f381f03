// Runs a program as a script would and keeps what it printed and how it ended.
#pragma once

#include <string>
#include <vector>

#include <QString>
#include <QStringList>

namespace testsupport {

struct CommandOutcome
{
    int status = -1;  // the exit status; -1 when the program crashed or did not end in time
    std::string out;
    std::string err;

    // Standard error split into its non-empty lines.
    std::vector<std::string> errorLines() const;
};

// Starts program with arguments, waits up to timeoutMs for it to end and collects its output.
CommandOutcome runCommand(const QString& program, const QStringList& arguments,
                          int timeoutMs = 120'000);

}  // namespace testsupport
