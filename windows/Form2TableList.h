// ListView1 as the two modules see it: the catalogue fills it (foxpro::TableList), the export
// run reads it item by item (ExportList). Each item keeps the name its query reads, unshown.
#pragma once

#include "modules/export/ExportList.h"
#include "modules/foxpro/TableList.h"

class QTreeWidget;

namespace exporting {

class Form2TableList final : public foxpro::TableList, public ExportList
{
public:
    explicit Form2TableList(QTreeWidget& view) : mView(view) {}

    void clear() override;
    void addItem(const QString& text, const QString& query) override;

    int count() const override;
    std::optional<ExportItem> item(int position) const override;

    // Ticks or clears every item, however many there are.
    void setAllChecked(bool checked);

private:
    QTreeWidget& mView;
};

}  // namespace exporting
