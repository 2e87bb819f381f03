// One pass over a field, then an array of (hash, record) sorted by hash, entered through a
// directory of hash prefixes.
#include "components/views/KeyIndex.h"

#include <algorithm>
#include <functional>
#include <string>

#include "components/vfp/RecordReader.h"
#include "components/views/EngineValue.h"

namespace views {

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
    // About one entry per bucket.
    while (mBucketBits < 32 && (std::size_t{1} << mBucketBits) < mEntries.size())
        ++mBucketBits;
    mBucketStarts.assign((std::size_t{1} << mBucketBits) + 1, 0);
    std::size_t entry = 0;
    for (std::size_t bucket = 0; bucket + 1 < mBucketStarts.size(); ++bucket) {
        mBucketStarts[bucket] = static_cast<std::uint32_t>(entry);
        while (entry < mEntries.size() && bucketOf(mEntries[entry].hash) == bucket)
            ++entry;
    }
    mBucketStarts.back() = static_cast<std::uint32_t>(mEntries.size());
}

std::size_t KeyIndex::bucketOf(std::uint64_t hash) const
{
    return mBucketBits == 0 ? 0 : static_cast<std::size_t>(hash >> (64 - mBucketBits));
}

KeyIndex::Range KeyIndex::find(std::string_view key) const
{
    const std::uint64_t wanted = std::hash<std::string_view>{}(key);
    const std::size_t bucket = bucketOf(wanted);
    const Entry* first = mEntries.data() + mBucketStarts[bucket];
    const Entry* last = mEntries.data() + mBucketStarts[bucket + 1];
    while (first != last && first->hash != wanted)
        ++first;
    const Entry* end = first;
    while (end != last && end->hash == wanted)
        ++end;
    return {first, end};
}

}  // namespace views
