// The order in which a folder's entries are listed: by name, ignoring case the way NTFS keeps
// them (sorted by their upper-case form). readdir gives a hash order instead, which differs
// between two copies of the same folder; sorted this way, one tree lists the same wherever it
// lies.
#pragma once

#include <QStringList>
#include <QStringView>

namespace fs {

// True when name a is listed before name b: each UTF-16 code unit upper-cased by its simple
// mapping (no locale: "_" comes after "Z" and so after every letter), then compared by value,
// a shorter name before a longer one it begins. Names equal that way ("Orders", "ORDERS", which
// a case-sensitive file system keeps apart) are ordered by their exact code units.
bool isListedBefore(QStringView a, QStringView b);

// Sorts names into listing order.
void sortInListingOrder(QStringList& names);

}  // namespace fs
