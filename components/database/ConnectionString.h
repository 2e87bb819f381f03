// The parts of the provider connection string that Connection::Open understands.
#pragma once

#include <QString>

namespace database {

struct ConnectionString
{
    QString provider;           // "vfpoledb.1" (or "vfpoledb"), as written
    QString dataSource;         // the path, exactly as written (may hold ";")
    QString collatingSequence;  // "machine", "general", ...
};

// Parses "Provider=vfpoledb.1;Data Source=PATH;Collating Sequence=NAME;" (keys in any letter
// case, the final ";" optional). PATH is not quoted: it is the text between "Data Source="
// and the last ";Collating Sequence=", so it may hold ";" and even that key itself.
// Throws DatabaseError saying which part is missing or wrong: another provider, no data
// source, no collating sequence, or text after it.
ConnectionString parseConnectionString(const QString& text);

}  // namespace database
