// The readers: LibreOffice through LibreOfficeReader, Gnumeric's ssconvert writing every sheet
// to CSV, and read_rows.py (openpyxl) and js/read_rows.js (SheetJS, ExcelJS) printing JSON.
#include "tests/support/SheetReaders.h"

#include <fstream>
#include <optional>
#include <sstream>

#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

#include "tests/support/LibreOfficeReader.h"
#include "tests/support/TempDir.h"

namespace testsupport {

namespace {

const std::filesystem::path kSupport = QUORVANE_TEST_SUPPORT_DIR;
const std::filesystem::path kScriptModules = kSupport / "js" / "node_modules";
constexpr int kReaderTimeoutMs = 120'000;

QString program(const char* name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

// Runs a reader's command; its standard output, or nothing (the test failed) when it failed.
std::optional<QByteArray> run(const QString& command, const QStringList& arguments)
{
    QProcess process;
    process.start(command, arguments);
    if (!process.waitForFinished(kReaderTimeoutMs) ||
        process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << command.toStdString() << " could not read the workbook: "
                      << process.readAllStandardError().toStdString()
                      << process.errorString().toStdString();
        return std::nullopt;
    }
    return process.readAllStandardOutput();
}

SheetBook readWithGnumeric(const std::filesystem::path& file)
{
    TempDir work;
    const QString pattern = QString::fromStdString((work.path() / "sheet-%s.csv").string());
    if (!run(program("ssconvert"), {QStringLiteral("--export-file-per-sheet"),
                                    QString::fromStdString(file.string()), pattern}))
        return {};
    return csvSheets(work.path(), "sheet-");
}

// The JSON {"sheet": [[text, ...], ...]} of a script reader.
SheetBook readScriptOutput(const QByteArray& json)
{
    SheetBook book;
    const QJsonObject sheets = QJsonDocument::fromJson(json).object();
    for (auto sheet = sheets.begin(); sheet != sheets.end(); ++sheet) {
        SheetRows& rows = book[sheet.key().toStdString()];
        for (const QJsonValue& row : sheet.value().toArray()) {
            rows.rows.emplace_back();
            for (const QJsonValue& cell : row.toArray())
                rows.rows.back().push_back(cell.toString().toStdString());
        }
    }
    return book;
}

SheetBook readWithScript(SheetReader reader, const std::filesystem::path& file)
{
    const QString path = QString::fromStdString(file.string());
    const std::optional<QByteArray> json =
        reader == SheetReader::Openpyxl
            ? run(QStringLiteral(QUORVANE_READER_PYTHON),
                  {QString::fromStdString((kSupport / "read_rows.py").string()), path})
            : run(program("node"),
                  {QString::fromStdString((kSupport / "js" / "read_rows.js").string()),
                   reader == SheetReader::SheetJs ? QStringLiteral("sheetjs")
                                                  : QStringLiteral("exceljs"),
                   path});
    return json ? readScriptOutput(*json) : SheetBook{};
}

}  // namespace

std::string SheetRows::cell(const std::string& reference) const
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
        } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            i += c == '\r' ? 1 : 0;
            row.push_back(std::move(cell));
            cell.clear();
            rows.push_back(std::move(row));
            row.clear();
        } else {
            cell.push_back(c);
        }
    }
    if (!cell.empty() || !row.empty()) {
        row.push_back(std::move(cell));
        rows.push_back(std::move(row));
    }
    return rows;
}

SheetBook csvSheets(const std::filesystem::path& folder, const std::string& prefix)
{
    SheetBook book;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(prefix) || entry.path().extension() != ".csv")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        book[name.substr(prefix.size(), name.size() - prefix.size() - 4)].rows =
            parseCsv(text.str());
    }
    return book;
}

std::string readerMissing(SheetReader reader)
{
    switch (reader) {
        case SheetReader::LibreOffice:
            return haveLibreOffice() ? "" : "LibreOffice (soffice) is not installed";
        case SheetReader::Gnumeric:
            return program("ssconvert").isEmpty() ? "Gnumeric (ssconvert) is not installed" : "";
        case SheetReader::Openpyxl:
            return "";  // the read-back tests' own reader, installed with them
        case SheetReader::SheetJs:
        case SheetReader::ExcelJs:
            return program("node").isEmpty() || !std::filesystem::exists(kScriptModules)
                       ? "Node.js or the libraries of tests/support/js are not installed"
                       : "";
    }
    return "";
}

std::vector<SheetBook> readSheets(SheetReader reader,
                                  const std::vector<std::filesystem::path>& files)
{
    if (reader == SheetReader::LibreOffice)
        return readWithLibreOffice(files);
    std::vector<SheetBook> books;
    for (const std::filesystem::path& file : files)
        books.push_back(reader == SheetReader::Gnumeric ? readWithGnumeric(file)
                                                        : readWithScript(reader, file));
    return books;
}

}  // namespace testsupport
