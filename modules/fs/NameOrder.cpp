// Listing order by upper-cased code units, as NTFS's up-case table compares names.
#include "modules/fs/NameOrder.h"

#include <algorithm>

namespace fs {
namespace {

char32_t upperUnit(QChar unit)
{
    // Surrogates have no case and map to themselves, so each half is compared as it stands.
    return QChar::toUpper(static_cast<char32_t>(unit.unicode()));
}

}  // namespace

bool isListedBefore(QStringView a, QStringView b)
{
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char32_t left = upperUnit(a[i]);
        const char32_t right = upperUnit(b[i]);
        if (left != right)
            return left < right;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a.compare(b, Qt::CaseSensitive) < 0;
}

void sortInListingOrder(QStringList& names)
{
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return isListedBefore(a, b); });
}

}  // namespace fs
