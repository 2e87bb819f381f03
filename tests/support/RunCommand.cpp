#include "tests/support/RunCommand.h"

#include <sstream>

#include <QProcess>

namespace testsupport {

std::vector<std::string> CommandOutcome::errorLines() const
{
    std::vector<std::string> lines;
    std::istringstream stream(err);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

CommandOutcome runCommand(const QString& program, const QStringList& arguments, int timeoutMs)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(timeoutMs);
    CommandOutcome result;
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

}  // namespace testsupport
