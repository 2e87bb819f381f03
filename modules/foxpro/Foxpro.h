// The table catalogue of a FoxPro source and the connection test.
#pragma once

#include <memory>

#include <QString>

#include "components/database/Connection.h"
#include "modules/app/Failure.h"
#include "modules/foxpro/ConnectionSettings.h"
#include "modules/foxpro/TableList.h"

namespace foxpro {

// Replaces the items of list with the tables of the source, every item unticked. settings says
// which kind of source it is and, for a free table folder, where the folder is (read once, at
// the call) and the code page of its tables without a mark; connectionString is what the
// connection is opened with, unless opened is given: a connection to the same source already
// open, which the catalogue then takes (and closes) instead of opening the source a second time.
//
// Container: every "TABLE" and "VIEW" row of the tables schema, in schema order, the name as
// both text and query. Folder: the *.dbf files of the folder and every folder below it
// (fs::GetSubDirectories2016), folder by folder in the walk's order and each folder's tables in
// name order (fs::GetFilesInFolder), names starting with "~" left out, links followed only
// inside the folder's tree (fs::TreeBounds); the text is the file name without its extension,
// the query the file's path relative to the folder ("sub/name.dbf", or just "name.DBF" in the
// folder itself: the file name as it is, so names equal but for case stay apart). Duplicates
// stay.
//
// Each failure goes to report as it happens, located
// "in Quorvane2021/08/31.Foxpro.AddTablesToFoxproListbox ", and the catalogue goes on with the
// next step; nothing is thrown. Returns the failures (none: the list is complete). Lets
// pending window events run during the walks.
app::Failures AddTablesToFoxproListbox(TableList& list, const QString& connectionString,
                                       const ConnectionSettings& settings,
                                       app::FailureReport& report,
                                       std::unique_ptr<database::Connection> opened = {});

// A connection opened with BuildFoxproConnectionString(settings) and settings' code page for
// tables without a mark. Shows nothing; throws rows::DatabaseError saying why the source cannot
// be opened.
std::unique_ptr<database::Connection> connectFoxpro(const ConnectionSettings& settings);

// connectFoxpro, or null when the source cannot be opened. Shows nothing; a failure to create
// the connection object is thrown.
std::unique_ptr<database::Connection> openFoxproConnection(const ConnectionSettings& settings);

// True when a connection opened with BuildFoxproConnectionString(settings) succeeds; false
// for any source that cannot be opened. Shows nothing.
bool TestFoxproConnection(const ConnectionSettings& settings);

}  // namespace foxpro
