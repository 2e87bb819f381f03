// quorvane-export: lists the tables of a FoxPro source and dumps or exports them, without
// windows. Each command is one row of kCommands.
#include <cstdio>
#include <exception>

#include <QCoreApplication>

#include "components/files/FileName.h"
#include "modules/app/Main.h"
#include "programs/quorvane-export/Command.h"
#include "programs/quorvane-export/TerminalText.h"

namespace {

using cli::Command;

const Command kCommands[] = {
    {"list", "SOURCE",
     "print the tables (and views) of SOURCE, one per line, fields separated by tabs; a "
     "backslash, tab, carriage return or line break in a name is written \\\\, \\t, \\r or \\n, "
     "any other control character \\xHH per byte",
     1, cli::runList},
    {"dump", "SOURCE NAME [--csv]",
     "print table NAME of SOURCE as JSON Lines: the fields, then one array of cell texts per "
     "record; with --csv as CSV (RFC 4180, UTF-8): a row of the field names, then one row per "
     "record, Null an empty field, texts always quoted, dates and date-times in ISO 8601, "
     "numbers as their exact decimal text; a .dbf SOURCE is the table and takes no NAME",
     -1, cli::runDump},
    {"export", "SOURCE [NAME ...] (-o FILE.xlsx | --open) [-- NAME ...]",
     "copy the named tables of SOURCE (all when none is named; a .dbf SOURCE is the one table) "
     "into one workbook, one sheet each: written to FILE.xlsx, or opened in the spreadsheet "
     "program; a table or value that cannot be read is reported and the rest is written; on a "
     "terminal, a run that lasts over a second shows the table and records it is at",
     -1, cli::runExport},
};

void printUsage()
{
    std::fputs(
        "Usage: quorvane-export [--codepage N] [--allow-remote-views] COMMAND ARGUMENTS...\n"
        "SOURCE is a database container (.dbc), a folder of free tables (.dbf) or one free\n"
        "table (.dbf); its memo file and the long field names of a container it belongs to are\n"
        "read as when its folder is SOURCE.\n\n"
        "Commands:\n",
        stdout);
    for (const Command& command : kCommands)
        std::printf("  %s %s\n      %s\n", command.name, command.synopsis, command.summary);
    std::fputs(
        "\nOptions:\n"
        "  --codepage N  read tables without a code-page mark in code page N, e.g. 437, 850 or\n"
        "                866 for DOS text (default: the CodePage setting the windows use, else\n"
        "                1252)\n"
        "  --allow-remote-views\n"
        "                let the remote views of a container connect to their servers (dump,\n"
        "                export); without it each remote view is skipped with one line on\n"
        "                standard error and the exit status is 3\n"
        "  --version     print the version\n"
        "  -h, --help    print this help\n"
        "\nA NAME without \"/\" that no table of a folder SOURCE itself carries names the one "
        "table\n"
        "of that name in a sub-folder.\n"
        "\nExample: load a table into SQLite (the names row names the columns):\n"
        "  quorvane-export dump --csv orders.dbf > orders.csv\n"
        "  sqlite3 shop.db \".import --csv orders.csv orders\"\n"
        "\nExit status: 0 on success; 1 when the command fails and writes nothing; 2 for wrong\n"
        "arguments; 3 when it wrote everything that could be read but something could not (a\n"
        "table, a value): each failure is one line on standard error.\n",
        stdout);
}

const Command* findCommand(const QString& name)
{
    for (const Command& command : kCommands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

// One line on standard error: line breaks in a description would split it, and its other
// control characters (from a name the command was given or a table holds) are escaped.
void printError(const char* description)
{
    QByteArray line(description);
    line.replace('\r', "").replace('\n', ' ');
    std::fprintf(stderr, "quorvane-export: %s\n", cli::withoutControls(line.toStdString()).c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    // Decoded without loss, so a table whose file name is not valid UTF-8 can be named by the
    // bytes list printed for it.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << files::fileNameText(argv[i]);

    if (!arguments.isEmpty() && (arguments.first() == QLatin1String("--help") ||
                                 arguments.first() == QLatin1String("-h"))) {
        printUsage();
        return 0;
    }
    if (!arguments.isEmpty() && arguments.first() == QLatin1String("--version")) {
        std::printf("quorvane-export %s\n", app::productVersion());
        return 0;
    }
    try {
        const cli::SourceOptions options = cli::takeSourceOptions(arguments);
        if (arguments.isEmpty())
            throw cli::UsageError("no command given; see quorvane-export --help");
        const Command* command = findCommand(arguments.takeFirst());
        if (command == nullptr)
            throw cli::UsageError("unknown command; see quorvane-export --help");
        if (command->argumentCount >= 0 && arguments.size() != command->argumentCount)
            throw cli::UsageError(std::string("usage: quorvane-export ") + command->name + " " +
                                  command->synopsis);
        return command->run(arguments, options);
    } catch (const cli::UsageError& error) {
        printError(error.what());
        return cli::kWrongArguments;
    } catch (const std::exception& error) {
        printError(error.what());
        return cli::kFailed;
    }
}
