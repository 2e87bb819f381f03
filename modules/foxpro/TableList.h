// The table list: what the catalogue finds, what Form2 shows with check boxes, and what the
// export copies. One type for all of them.
#pragma once

#include <vector>

#include <QString>

namespace foxpro {

struct TableItem
{
    QString text;   // what the list shows: the table name, also the sheet name and progress texts
    QString query;  // the name the export's query reads: a container's table or view name, or a
                    // folder table's file path relative to the chosen folder ("/" separated,
                    // the file name exactly as it is); it is not shown
    bool checked = false;
};

using TableList = std::vector<TableItem>;

}  // namespace foxpro
