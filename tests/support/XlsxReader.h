// Reads a written workbook back with an independent reader (openpyxl, run as a child process).
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <QJsonObject>
#include <QJsonValue>

namespace testsupport {

struct ReadSheet
{
    std::string name;
    QJsonObject cells;  // "B2" -> {type: s|n|b|d, value, format (dates; numbers not General)}
    std::map<std::string, double> widths;  // column letters -> width, only columns given one
    bool selected = false;

    // The cell's entry, or an empty object when the file has no such cell.
    QJsonObject cell(const std::string& reference) const;
};

struct ReadWorkbook
{
    std::vector<ReadSheet> sheets;  // tab order
    std::string active;
    std::vector<std::string> names() const;
};

// Fails the current test (and returns an empty workbook) when the reader cannot load the file.
ReadWorkbook readXlsx(const std::filesystem::path& file);

}  // namespace testsupport
