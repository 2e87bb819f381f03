// The connection settings as Form1's controls hold them at one moment, with the code page of
// tables without a code-page mark.
#pragma once

#include <QString>

#include "components/vfp/CodePage.h"

namespace foxpro {

struct ConnectionSettings
{
    bool isContainer = true;  // "DBC File:" (Option1) selected: source kind 1; else kind 2
    QString containerPath;    // the database container path (Text1)
    QString folderPath;       // the free table folder path (Text2)
    // What the connection's DefaultCodePage becomes: the code page of tables that carry no
    // code-page mark (the CodePage setting, or quorvane-export's --codepage).
    int unmarkedCodePage = vfp::kDefaultCodePage;
};

// "Provider=vfpoledb.1;Data Source=" + path + ";Collating Sequence=machine;" for kind 1
// (containerPath), "...;Collating Sequence=general;" for kind 2 (folderPath); the path is taken
// as it is.
QString BuildFoxproConnectionString(const ConnectionSettings& settings);

}  // namespace foxpro
