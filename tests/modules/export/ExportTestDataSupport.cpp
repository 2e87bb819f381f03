// Test data for the export tests.
#include "tests/modules/export/ExportTestData.h"

namespace exporttest {

void writeTable(const std::filesystem::path& dir, const std::string& name,
                std::vector<vfpwriter::FieldDefinition> fields,
                const std::vector<std::vector<vfp::Value>>& records)
{
    vfpwriter::TableWriter writer(dir / (name + ".dbf"), std::move(fields));
    for (const auto& record : records)
        writer.append(record);
    writer.close();
}

void writeNamesTable(const std::filesystem::path& dir, const std::string& name, int records)
{
    std::vector<std::vector<vfp::Value>> rows;
    for (int r = 1; r <= records; ++r)
        rows.push_back({text("r" + std::to_string(r))});
    writeTable(dir, name, {{"NAME", vfp::FieldType::Varchar, 10}}, rows);
}

void RecordingProgress::step(const QString& text, double fraction)
{
    if (text.endsWith(QStringLiteral("..."))) {
        detailTexts.push_back(text);
        return;
    }
    events.push_back(QStringLiteral("table ") + text.mid(int(qstrlen("Processing: "))));
    tableSteps.push_back({text, fraction});
    if (onTable)
        onTable(text);
}

}  // namespace exporttest
