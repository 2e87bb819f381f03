// The table list on a one-column QTreeWidget: text in column 0, the query name as item data.
#include "windows/Form2TableList.h"

#include <QSignalBlocker>
#include <QTextDocument>
#include <QTreeWidget>

namespace windows {
namespace {

constexpr int kQueryRole = Qt::UserRole;

// A tooltip shows what looks like markup as markup, and an <img> in it reads the whole file it
// names: folders "<img src=", "dev" and "zero>" made hovering eat all memory, a FIFO hangs the
// window. A path that looks like markup is shown as the text it is; plain paths stay plain.
QString plainToolTip(const QString& text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

}  // namespace

void Form2TableList::show(const foxpro::TableList& tables)
{
    mView.clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(tables.size()));
    for (const foxpro::TableItem& table : tables) {
        auto* item = new QTreeWidgetItem(QStringList{table.text});
        item->setData(0, kQueryRole, table.query);
        if (table.query != table.text)
            item->setToolTip(0, plainToolTip(table.query));  // where it lies: "2019/orders.dbf"
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
                       Qt::ItemNeverHasChildren);
        item->setCheckState(0, Qt::Unchecked);
        items.append(item);
    }
    mView.addTopLevelItems(items);
    if (!items.isEmpty())
        mView.setCurrentItem(items.first(), 0, QItemSelectionModel::NoUpdate);
}

foxpro::TableItem Form2TableList::itemOf(const QTreeWidgetItem& item) const
{
    return {item.text(0), item.data(0, kQueryRole).toString(), item.checkState(0) == Qt::Checked};
}

void Form2TableList::setDetails(QTreeWidgetItem& item, const QString& details)
{
    item.setToolTip(0, plainToolTip(details));
}

foxpro::TableList Form2TableList::items() const
{
    foxpro::TableList tables;
    const int count = mView.topLevelItemCount();
    tables.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        tables.push_back(itemOf(*mView.topLevelItem(i)));
    return tables;
}

void Form2TableList::setAllChecked(bool checked)
{
    const Qt::CheckState state = checked ? Qt::Checked : Qt::Unchecked;
    const int count = mView.topLevelItemCount();
    {
        // One repaint for the whole list instead of a change signal per item.
        const QSignalBlocker quiet(mView.model());
        for (int i = 0; i < count; ++i)
            mView.topLevelItem(i)->setCheckState(0, state);
    }
    mView.viewport()->update();
}

bool Form2TableList::tick(const QString& query)
{
    const int count = mView.topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem* item = mView.topLevelItem(i);
        if (item->data(0, kQueryRole).toString() != query)
            continue;
        item->setCheckState(0, Qt::Checked);
        mView.setCurrentItem(item);
        mView.scrollToItem(item);
        return true;
    }
    return false;
}

}  // namespace windows
