// The table list as the export run reads it: one item at a time, when its turn comes.
#pragma once

#include <optional>

#include <QString>

namespace exporting {

struct ExportItem
{
    QString text;   // the table name as the list shows it: the sheet name and progress texts
    QString query;  // the name the query reads (a sub-folder table's path relative to the folder)
    bool checked = false;
};

class ExportList
{
public:
    virtual ~ExportList() = default;
    // The number of items now.
    virtual int count() const = 0;
    // The item at a 1-based position as it stands now, or std::nullopt when the list no longer
    // has that position (it was filled again while the run yielded to the window).
    virtual std::optional<ExportItem> item(int position) const = 0;
};

}  // namespace exporting
