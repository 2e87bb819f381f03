// The connection settings as Form1's controls hold them at one moment, with the code page of
// tables without a code-page mark.
#pragma once

#include <QString>

#include "components/vfp/CodePage.h"

namespace foxpro {

struct ConnectionSettings
{
    bool option1 = true;  // "DBC File:" selected (source kind 1); otherwise kind 2
    QString text1;        // database container path
    QString text2;        // free table folder path
    // What the connection's DefaultCodePage becomes: the code page of tables that carry no
    // code-page mark (the CodePage setting, or quorvane-export's --codepage).
    int unmarkedCodePage = vfp::kDefaultCodePage;
};

// "Provider=vfpoledb.1;Data Source=" + path + ";Collating Sequence=machine;" for kind 1
// (Text1), "...;Collating Sequence=general;" for kind 2 (Text2); the path is taken as it is.
QString BuildFoxproConnectionString(const ConnectionSettings& settings);

}  // namespace foxpro
