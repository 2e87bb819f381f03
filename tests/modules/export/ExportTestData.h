// Test data for the export: a list of items and a progress that records what it was told; the
// tables come from the shared builders.
#pragma once

#include <functional>
#include <vector>

#include "modules/export/ExportProgress.h"
#include "modules/foxpro/TableList.h"
#include "tests/support/TableSupport.h"

namespace exporttest {

// The value builders and table writers of the tests (text, integer, date, writeTable, ...).
using namespace dbtest;

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
