#include "modules/export/UnreadableCells.h"

#include <algorithm>

namespace exporting {

namespace {

// The failure's description less its digits: record numbers, offsets and sizes differ from
// cell to cell, the reason does not.
std::string kindOf(const QString& field, const std::string& description)
{
    std::string key = field.toStdString() + '\n';
    std::copy_if(description.begin(), description.end(), std::back_inserter(key),
                 [](char c) { return c < '0' || c > '9'; });
    return key;
}

}  // namespace

void UnreadableCells::note(const QString& field, const std::string& description)
{
    const std::string key = kindOf(field, description);
    const auto found = std::find(mKeys.begin(), mKeys.end(), key);
    if (found != mKeys.end()) {
        ++mKinds[static_cast<std::size_t>(found - mKeys.begin())].cells;
        return;
    }
    mKeys.push_back(key);
    mKinds.push_back({field, description, 1});
}

}  // namespace exporting
