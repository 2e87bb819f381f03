// Which records of a table hold a given value of one field, for SQLite's equality lookups
// (the inner side of a join). Built on first use in one pass over the field; it keeps a
// 64-bit hash and a record number per record (about 24 bytes with its directory), not the
// values, so a lookup may
// also return records whose value only shares the hash: SQLite checks every row it gets.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "components/vfp/Table.h"

namespace views {

class KeyIndex
{
public:
    struct Entry
    {
        std::uint64_t hash;
        std::uint32_t record;  // physical record number
    };
    using Range = std::pair<const Entry*, const Entry*>;

    // Reads field `field` of every live record (keys as lookupKey makes them; Null and bytes
    // are left out). Throws VfpError when the table cannot be read.
    KeyIndex(const vfp::Table& table, int field);

    // The records that may hold `key`, in record order.
    Range find(std::string_view key) const;

private:
    std::size_t bucketOf(std::uint64_t hash) const;

    std::vector<Entry> mEntries;  // sorted by hash, then record
    // Where the entries whose hash starts with each value of its top mBucketBits bits begin
    // (one more at the end): a lookup goes straight to its few entries.
    std::vector<std::uint32_t> mBucketStarts;
    int mBucketBits = 0;
};

}  // namespace views
