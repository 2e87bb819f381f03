// ListView1's items as the table list: shown from the catalogue's list, read back with their
// ticks when "Finish" starts the export. Each item keeps the name its query reads, unshown, and
// shows what it holds as its tooltip.
#pragma once

#include "modules/foxpro/TableList.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace windows {

class Form2TableList final
{
public:
    explicit Form2TableList(QTreeWidget& view) : mView(view) {}

    // Replaces the items with tables, each unticked; the first is the current item, so that
    // Space ticks it and Enter previews it without a click.
    void show(const foxpro::TableList& tables);

    // The table an item stands for, as items() gives it.
    foxpro::TableItem itemOf(const QTreeWidgetItem& item) const;

    // Makes details the item's tooltip, shown as the plain text it is whatever it holds.
    void setDetails(QTreeWidgetItem& item, const QString& details);

    // The items as they stand now, ticks included, in list order.
    foxpro::TableList items() const;

    // Ticks or clears every item, however many there are.
    void setAllChecked(bool checked);

    // Ticks the first item whose query is query and makes it the current item, scrolled into
    // view; false when no item has that query.
    bool tick(const QString& query);

private:
    QTreeWidget& mView;
};

}  // namespace windows
