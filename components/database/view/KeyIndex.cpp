// One pass over a field, then a sorted array of (hash, record) searched by binary search.
#include "components/database/view/KeyIndex.h"

#include <algorithm>
#include <functional>
#include <string>

#include "components/database/view/EngineValue.h"
#include "components/vfp/RecordReader.h"

namespace database::view {

KeyIndex::KeyIndex(const vfp::Table& table, int field)
{
    vfp::RecordReader reader(table);
    vfp::Value value;
    std::string key;
    const std::hash<std::string_view> hash;
    while (reader.next()) {
        reader.read(field, value);
        if (lookupKey(value, key))
            mEntries.push_back({hash(key), reader.recordNumber()});
    }
    std::sort(mEntries.begin(), mEntries.end(), [](const Entry& a, const Entry& b) {
        return a.hash != b.hash ? a.hash < b.hash : a.record < b.record;
    });
}

KeyIndex::Range KeyIndex::find(std::string_view key) const
{
    const std::uint64_t wanted = std::hash<std::string_view>{}(key);
    const auto [first, last] = std::equal_range(
        mEntries.begin(), mEntries.end(), Entry{wanted, 0},
        [](const Entry& a, const Entry& b) { return a.hash < b.hash; });
    return {mEntries.data() + (first - mEntries.begin()), mEntries.data() + (last - mEntries.begin())};
}

}  // namespace database::view
