// Test data for the export: FoxPro tables written to a folder, a list of items, and a progress
// that records what it was told.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "components/vfpwriter/TableWriter.h"
#include "modules/export/ExportProgress.h"
#include "modules/foxpro/TableList.h"
#include "tests/components/database/TableSupport.h"

namespace exporttest {

// The value builders of the database tests (text, integer, date, null, ...).
using namespace dbtest;

// Writes dir/name.dbf (and its memo file) with the given records.
void writeTable(const std::filesystem::path& dir, const std::string& name,
                std::vector<vfpwriter::FieldDefinition> fields,
                const std::vector<std::vector<vfp::Value>>& records);

// A table with one varchar field NAME and the given number of records "r1", "r2", ...
void writeNamesTable(const std::filesystem::path& dir, const std::string& name, int records);

// The table list a run is given.
struct VectorList
{
    // Adds an item whose query is its text.
    void add(const QString& text, bool checked) { items.push_back({text, text, checked}); }

    foxpro::TableList items;
};

// Records start, finish and the table-level texts ("Processing: NAME") with their fractions;
// row and field texts depend on the clock and are only counted.
class RecordingProgress : public exporting::ExportProgress
{
public:
    struct Step
    {
        QString text;
        double fraction = 0;
    };

    void start() override { events.push_back(QStringLiteral("start")); }
    void step(const QString& text, double fraction) override;
    void finish() override { events.push_back(QStringLiteral("finish")); }

    std::vector<QString> events;  // "start", "table NAME", "finish"
    std::vector<Step> tableSteps;
    std::vector<QString> detailTexts;
    // Runs at each table-level step, e.g. to change ticks during the run.
    std::function<void(const QString& text)> onTable;
};

}  // namespace exporttest
