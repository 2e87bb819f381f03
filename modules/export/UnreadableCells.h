// Cells whose values could not be read (a damaged memo, say), counted per field and kind of
// failure, so a table with a damaged memo file gives one report per kind, not one per record.
#pragma once

#include <string>
#include <vector>

#include <QString>

namespace exporting {

class UnreadableCells
{
public:
    struct Kind
    {
        QString field;
        std::string firstDescription;  // names the first record and the field
        int cells = 0;
    };

    // Notes a cell of field that could not be read, for the reason description.
    void note(const QString& field, const std::string& description);

    // Each kind in the order it was first met.
    const std::vector<Kind>& kinds() const { return mKinds; }

private:
    std::vector<Kind> mKinds;
    std::vector<std::string> mKeys;  // description without its numbers: the kind of failure
};

}  // namespace exporting
