// The table list on a one-column QTreeWidget: text in column 0, the query name as item data.
#include "windows/Form2TableList.h"

#include <QSignalBlocker>
#include <QTreeWidget>

namespace exporting {
namespace {

constexpr int kQueryRole = Qt::UserRole;

}  // namespace

void Form2TableList::clear()
{
    mView.clear();
}

void Form2TableList::addItem(const QString& text, const QString& query)
{
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, kQueryRole, query);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable
                   | Qt::ItemNeverHasChildren);
    item->setCheckState(0, Qt::Unchecked);
    mView.addTopLevelItem(item);
}

int Form2TableList::count() const
{
    return mView.topLevelItemCount();
}

std::optional<ExportItem> Form2TableList::item(int position) const
{
    const QTreeWidgetItem* item = mView.topLevelItem(position - 1);
    if (!item)
        return std::nullopt;
    return ExportItem{item->text(0), item->data(0, kQueryRole).toString(),
                      item->checkState(0) == Qt::Checked};
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

}  // namespace exporting
