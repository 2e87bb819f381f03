// The table catalogue of a FoxPro source and the connection test.
#pragma once

#include <QString>

#include "modules/foxpro/ConnectionSettings.h"
#include "modules/foxpro/TableList.h"

namespace foxpro {

// Replaces the items of list with the tables of the source. settings says which kind of
// source it is and, for a free table folder, where the folder is (read once, at the call);
// connectionString is what the connection is opened with.
//
// Container: every "TABLE" and "VIEW" row of the tables schema, in schema order, the name as
// both text and query. Folder: the *.dbf files of the folder and every folder below it
// (fs::GetSubDirectories2016), folder by folder, names starting with "~" left out; the text
// is the file name without its extension, the query the path relative to the folder
// ("sub/name", or just "name" in the folder itself). Nothing is sorted; duplicates stay.
//
// Failures are shown as error reports located
// "in Quorvane2021/08/31.Foxpro.AddTablesToFoxproListbox " and the catalogue goes on with the
// next step; nothing is thrown. Lets pending window events run during the walks.
void AddTablesToFoxproListbox(TableList& list, const QString& connectionString,
                              const ConnectionSettings& settings);

// True when a connection opened with BuildFoxproConnectionString(settings) succeeds; false
// for any source that cannot be opened. Shows nothing.
bool TestFoxproConnection(const ConnectionSettings& settings);

}  // namespace foxpro
