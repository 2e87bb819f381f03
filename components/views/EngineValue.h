// How a value of the FoxPro engine enters SQLite: texts as text, numbers as numbers, logicals
// as 0/1, dates as ISO text ("1997-01-31", "1997-01-31 14:05:00", which sort and compare as
// dates do), bytes as blobs, Null as NULL.
#pragma once

#include <string>

#include "components/vfp/Value.h"

struct sqlite3_context;
struct sqlite3_value;

namespace views {

// Sets value as the result of an SQLite callback (a virtual table's column).
void resultEngineValue(sqlite3_context* context, const vfp::Value& value);

// The key under which an equality lookup files a value: texts (and dates) without trailing
// blanks, numbers by their double value, so that values SQLite's "=" finds equal share a key.
// False (no key) for Null and bytes. `out` is replaced.
bool lookupKey(const vfp::Value& value, std::string& out);
bool lookupKey(sqlite3_value* value, std::string& out);

}  // namespace views
