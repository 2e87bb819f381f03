// Which attributes of a stored connect string are never sent to the driver manager: those it
// interprets itself and those of the drivers Debian ships that load a library, name or write a
// local file, run SQL of their own, reach a server of this machine as the user, or undo the
// read-only session. Anything whose meaning we cannot vouch for is refused with them.
#pragma once

#include <string>

namespace odbc {

// Why the attribute `key`=`value` (key as stored, any case) of a connect string that names a
// driver is refused, as a clause after the key ("loads a library"); "" when it may be sent.
// sqliteDriver: the driver is a SQLite driver, whose Database names a local file.
std::string refusedAttribute(const std::string& key, const std::string& value, bool sqliteDriver);

}  // namespace odbc
