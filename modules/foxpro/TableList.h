// The list the table catalogue fills (Form2's ListView1 implements it; tests use a vector).
#pragma once

#include <QString>

namespace foxpro {

class TableList
{
public:
    virtual ~TableList() = default;
    // Removes every item.
    virtual void clear() = 0;
    // Adds an unchecked item showing text. query: the name the export's query uses for it
    // (a container's table name, or a sub-folder table's path relative to the chosen folder,
    // "/" separated, without ".dbf"); it is not shown.
    virtual void addItem(const QString& text, const QString& query) = 0;
};

}  // namespace foxpro
