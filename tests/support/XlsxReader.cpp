// Runs read_xlsx.py on a file and turns its JSON into ReadWorkbook.
#include "tests/support/XlsxReader.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

namespace testsupport {

QJsonObject ReadSheet::cell(const std::string& reference) const
{
    return cells.value(QString::fromStdString(reference)).toObject();
}

std::vector<std::string> ReadWorkbook::names() const
{
    std::vector<std::string> result;
    for (const ReadSheet& sheet : sheets)
        result.push_back(sheet.name);
    return result;
}

ReadWorkbook readXlsx(const std::filesystem::path& file)
{
    QProcess reader;
    reader.start(
        QStringLiteral(SPREADSHEET_READER_PYTHON),
        {QStringLiteral(SPREADSHEET_READER_SCRIPT), QString::fromStdString(file.string())});
    const bool finished = reader.waitForFinished(120'000);
    const QByteArray output = reader.readAllStandardOutput();
    if (!finished || reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0) {
        ADD_FAILURE() << "openpyxl could not read " << file << ": "
                      << reader.readAllStandardError().toStdString()
                      << reader.errorString().toStdString();
        return {};
    }
    const QJsonObject root = QJsonDocument::fromJson(output).object();
    ReadWorkbook workbook;
    workbook.active = root.value(QStringLiteral("active")).toString().toStdString();
    for (const QJsonValue& value : root.value(QStringLiteral("sheets")).toArray()) {
        const QJsonObject sheet = value.toObject();
        ReadSheet read;
        read.name = sheet.value(QStringLiteral("name")).toString().toStdString();
        read.cells = sheet.value(QStringLiteral("cells")).toObject();
        read.selected = sheet.value(QStringLiteral("selected")).toBool();
        const QJsonObject widths = sheet.value(QStringLiteral("widths")).toObject();
        for (auto it = widths.begin(); it != widths.end(); ++it)
            read.widths[it.key().toStdString()] = it.value().toDouble();
        workbook.sheets.push_back(read);
    }
    return workbook;
}

}  // namespace testsupport
