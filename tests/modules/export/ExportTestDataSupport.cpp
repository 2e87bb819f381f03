// Test data for the export tests.
#include "tests/modules/export/ExportTestData.h"

namespace exporttest {

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
