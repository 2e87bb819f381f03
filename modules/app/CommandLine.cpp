// The window program's arguments: one optional source, and the two options every program has.
#include "modules/app/CommandLine.h"

namespace app {

CommandLine readCommandLine(const QStringList& arguments)
{
    CommandLine line;
    QStringList paths;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (!optionsEnded && argument == QLatin1String("--version"))
            return {CommandLine::Action::ShowVersion, QString(), QString()};
        if (!optionsEnded &&
            (argument == QLatin1String("--help") || argument == QLatin1String("-h")))
            return {CommandLine::Action::ShowHelp, QString(), QString()};
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            if (line.problem.isEmpty())
                line.problem = QStringLiteral("unknown option %1").arg(argument);
        } else {
            paths.append(argument);
        }
    }
    if (line.problem.isEmpty() && paths.size() > 1)
        line.problem = QStringLiteral("one PATH at most, not %1").arg(paths.size());
    if (!line.problem.isEmpty()) {
        line.action = CommandLine::Action::Refuse;
        return line;
    }
    line.path = paths.value(0);
    return line;
}

QString commandLineHelp()
{
    return QStringLiteral(
        "Usage: quorvane [PATH]\n"
        "Copies FoxPro tables into a new spreadsheet workbook.\n\n"
        "PATH is taken as if chosen in the connection setup window: a database container\n"
        "(.dbc), a folder of free tables, or a free table (.dbf), which stands for its\n"
        "folder with that table ticked. The table list then opens at once.\n\n"
        "In the table list, resting the pointer on a table shows what it holds; Enter or a\n"
        "double-click previews it. A table without a code-page mark is read in the code page\n"
        "chosen in its preview (the CodePage setting; see quorvane(1)).\n\n"
        "Options:\n"
        "  --version   print the version and exit\n"
        "  -h, --help  print this help and exit\n");
}

}  // namespace app
