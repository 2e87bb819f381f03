// A table list without a window: the catalogue fills it, every item ticked, and the export
// run reads it. The batch command and the benchmarks export through it.
#pragma once

#include <vector>

#include "modules/export/ExportList.h"
#include "modules/foxpro/TableList.h"

namespace exporting {

class TableSelection : public foxpro::TableList, public ExportList
{
public:
    void clear() override { items.clear(); }
    // Adds a ticked item.
    void addItem(const QString& text, const QString& query) override
    {
        items.push_back({text, query, true});
    }

    int count() const override { return int(items.size()); }
    std::optional<ExportItem> item(int position) const override
    {
        if (position < 1 || position > count())
            return std::nullopt;
        return items[position - 1];
    }

    std::vector<ExportItem> items;
};

}  // namespace exporting
