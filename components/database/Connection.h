// "ADODB.Connection": a connection to a FoxPro database container or free table folder.
#pragma once

#include <memory>
#include <set>
#include <string>

#include <QString>

#include "components/database/ObjectDetails.h"
#include "components/database/RemoteUse.h"
#include "components/rows/KeepGoing.h"
#include "components/vfp/CodePage.h"

namespace database {

class Recordset;
class Source;  // the opened container or folder (internal)

// Schema id of the tables rowset for OpenSchema.
constexpr int adSchemaTables = 20;
// Mode: read and write, as callers may set it; the connection only ever reads.
constexpr int adModeReadWrite = 3;

class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    int CursorLocation = 2;  // kept for the callers that set it; reading is client-side anyway
    int Mode = 0;            // 3 = read/write as the export sets it; we only ever read
    // The code page of tables that carry no code-page mark (FoxPro 2.x and dBase tables often
    // carry none), set before Open: 437, 850 or 866 for DOS text, say. Tables with a mark
    // are always read in their own.
    int DefaultCodePage = vfp::kDefaultCodePage;
    // Asked now and then while a recordset of this connection runs a view's SQL (local or
    // remote): return false to stop it, and the recordset's Open or MoveNext throws Stopped.
    // Empty: views run to their end.
    rows::KeepGoing keepGoing;

    // Opens "Provider=vfpoledb.1;Data Source=PATH;Collating Sequence=NAME;". PATH is not
    // quoted and may itself contain ";". A path ending in .dbc (any case) must be a readable
    // database container; anything else must be an existing folder.
    // Throws DatabaseError with a clear description otherwise, and when DefaultCodePage is
    // not a code page the engine reads.
    void Open(const QString& connectionString);

    // 0 when closed, 1 when open.
    int State() const;
    void Close();

    // With adSchemaTables (20): one row per table and view, columns "TABLE_NAME" and
    // "TABLE_TYPE" ("TABLE" / "VIEW"); all TABLE rows, then all VIEW rows, each group sorted
    // by name ignoring case. A folder source gives its .dbf files in that folder.
    // Throws DatabaseError for any other schema or when closed.
    std::unique_ptr<Recordset> OpenSchema(int schema);

    // What the table or view `name` is, learnt without reading a record: a table's file, its
    // size and last change and its header's counts and code page, or why they cannot be read
    // (ObjectDetails::failure); a view's kind and SQL. Reaches no server. Throws DatabaseError
    // when closed or the source has no table or view of that name.
    ObjectDetails details(const QString& name);

    // What opening the table or view `name` would ask of a server: for a remote view, the
    // server as the user is asked about it (its connect string as it would be sent, each
    // password as ***), or why it is refused and never reaches a server; nothing for a table,
    // a local view or a name the source lacks. Reaches no server. Throws DatabaseError when
    // closed or the driver manager cannot start.
    RemoteUse remoteUse(const QString& name);

    // Lets remote views reach the servers in `servers` (each as remoteUse names it), replacing
    // what was allowed before. A remote view of any other server fails to open, so no remote
    // view reaches a server unless the caller asked the user. Throws DatabaseError when closed.
    void allowRemoteServers(std::set<std::string> servers);

    // The opened source; throws DatabaseError when closed. Used by Recordset.
    Source& source();

private:
    std::unique_ptr<Source> mSource;
};

}  // namespace database
