#include "tests/support/LibreOfficeReader.h"

#include <gtest/gtest.h>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include "tests/support/TempDir.h"

namespace testsupport {

namespace {

// CSV export options: comma, double quote, UTF-8, from line 1, cells as shown (formatted),
// formulas as results, every sheet into FILE-SHEET.csv.
const QString kCsvFilter =
    QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false,false,-1");

QString soffice()
{
    return QStandardPaths::findExecutable(QStringLiteral("soffice"));
}

}  // namespace

bool haveLibreOffice()
{
    return !soffice().isEmpty();
}

std::vector<LibreOfficeBook> readWithLibreOffice(const std::vector<std::filesystem::path>& files)
{
    std::vector<LibreOfficeBook> books(files.size());
    TempDir work;
    QStringList arguments{QStringLiteral("-env:UserInstallation=file://") +
                              QString::fromStdString((work.path() / "profile").string()),
                          QStringLiteral("--headless"),
                          QStringLiteral("--convert-to"),
                          kCsvFilter,
                          QStringLiteral("--outdir"),
                          QString::fromStdString((work.path() / "csv").string())};
    for (std::size_t i = 0; i < files.size(); ++i) {
        // Each workbook under a name of its own, so its sheets' files cannot mix with another's.
        const std::filesystem::path copy = work.path() / ("book" + std::to_string(i) + ".xlsx");
        std::filesystem::copy_file(files[i], copy);
        arguments << QString::fromStdString(copy.string());
    }
    QProcess process;
    // In the C locale LibreOffice mangles the non-ASCII sheet names of its CSV files' names.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    process.start(soffice(), arguments);
    if (!process.waitForFinished(180'000) || process.exitCode() != 0) {
        ADD_FAILURE() << "LibreOffice could not convert the workbooks: "
                      << process.readAllStandardError().toStdString();
        return books;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        books[i] = csvSheets(work.path() / "csv", "book" + std::to_string(i) + "-");
        if (books[i].empty())
            ADD_FAILURE() << "LibreOffice wrote no sheet of " << files[i];
    }
    return books;
}

}  // namespace testsupport
