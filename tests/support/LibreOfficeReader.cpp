#include "tests/support/LibreOfficeReader.h"

#include <fstream>
#include <sstream>

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

std::vector<std::vector<std::string>> parseCsv(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string cell;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                cell.push_back('"');
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cell.push_back(c);
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.push_back(std::move(cell));
            cell.clear();
        } else if (c == '\n') {
            row.push_back(std::move(cell));
            cell.clear();
            rows.push_back(std::move(row));
            row.clear();
        } else if (c != '\r') {
            cell.push_back(c);
        }
    }
    if (!cell.empty() || !row.empty()) {
        row.push_back(std::move(cell));
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace

std::string LibreOfficeSheet::cell(const std::string& reference) const
{
    std::size_t i = 0;
    int column = 0;
    while (i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z')
        column = column * 26 + (reference[i++] - 'A' + 1);
    const int row = std::stoi(reference.substr(i));
    if (row < 1 || std::size_t(row) > rows.size() || column < 1 ||
        std::size_t(column) > rows[std::size_t(row) - 1].size())
        return {};
    return rows[std::size_t(row) - 1][std::size_t(column) - 1];
}

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
        const std::string prefix = "book" + std::to_string(i) + "-";
        for (const auto& entry : std::filesystem::directory_iterator(work.path() / "csv")) {
            const std::string name = entry.path().filename().string();
            if (!name.starts_with(prefix) || entry.path().extension() != ".csv")
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::stringstream text;
            text << in.rdbuf();
            const std::string sheet = name.substr(prefix.size(), name.size() - prefix.size() - 4);
            books[i][sheet].rows = parseCsv(text.str());
        }
        if (books[i].empty())
            ADD_FAILURE() << "LibreOffice wrote no sheet of " << files[i];
    }
    return books;
}

}  // namespace testsupport
