// The table catalogue without a window: for the batch command and the benchmark.
#pragma once

#include <vector>

#include <QString>

#include "modules/foxpro/ConnectionSettings.h"
#include "modules/foxpro/TableList.h"

namespace foxpro {

struct CatalogueItem
{
    QString text;   // what the list shows
    QString query;  // what the export's query names
};

// A table list kept in memory.
class CatalogueItems : public TableList
{
public:
    void clear() override { items.clear(); }
    void addItem(const QString& text, const QString& query) override
    {
        items.push_back({text, query});
    }

    std::vector<CatalogueItem> items;
};

// The catalogue of the source the settings name, as AddTablesToFoxproListbox makes it.
// Failures are shown through app::messageBox() (standard error unless a box is installed).
// Needs no QApplication.
std::vector<CatalogueItem> ListCatalogue(const ConnectionSettings& settings);

}  // namespace foxpro
