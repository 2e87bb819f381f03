// Runs read_with_libreoffice.py and turns its JSON into CSV rows per sheet.
#include "tests/components/spreadsheet/LibreOfficeReader.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace testsupport {

std::optional<std::vector<CsvSheets>> readWithLibreOffice(
    const std::vector<std::filesystem::path>& files)
{
    constexpr int kNotInstalled = 77;
    QTemporaryDir work;
    QStringList arguments{QStringLiteral(LIBREOFFICE_READER_SCRIPT), work.path()};
    for (const auto& file : files)
        arguments << QString::fromStdString(file.string());
    QProcess reader;
    reader.start(QStringLiteral(SPREADSHEET_READER_PYTHON), arguments);
    const bool finished = reader.waitForFinished(600'000);
    if (finished && reader.exitStatus() == QProcess::NormalExit &&
        reader.exitCode() == kNotInstalled)
        return std::nullopt;
    const QByteArray output = reader.readAllStandardOutput();
    if (!finished || reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0) {
        ADD_FAILURE() << "LibreOffice could not read the workbooks: "
                      << reader.readAllStandardError().toStdString();
        return std::vector<CsvSheets>(files.size());
    }
    const QJsonObject root = QJsonDocument::fromJson(output).object();
    std::vector<CsvSheets> result;
    for (const auto& file : files) {
        CsvSheets sheets;
        const QJsonObject read = root.value(QString::fromStdString(file.string())).toObject();
        for (auto sheet = read.begin(); sheet != read.end(); ++sheet) {
            CsvRows& rows = sheets[sheet.key().toStdString()];
            for (const QJsonValue& row : sheet.value().toArray()) {
                rows.emplace_back();
                for (const QJsonValue& cell : row.toArray())
                    rows.back().push_back(cell.toString().toStdString());
            }
        }
        result.push_back(std::move(sheets));
    }
    return result;
}

}  // namespace testsupport
