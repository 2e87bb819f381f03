// The connection settings as Form1's controls hold them at one moment.
#pragma once

#include <QString>

namespace foxpro {

struct ConnectionSettings
{
    bool option1 = true;  // "DBC File:" selected (source kind 1); otherwise kind 2
    QString text1;        // database container path
    QString text2;        // free table folder path
};

// "Provider=vfpoledb.1;Data Source=" + path + ";Collating Sequence=machine;" for kind 1
// (Text1), "...;Collating Sequence=general;" for kind 2 (Text2); the path is taken as it is.
QString BuildFoxproConnectionString(const ConnectionSettings& settings);

}  // namespace foxpro
