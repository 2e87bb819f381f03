// The connection string rule: one text per source kind, the path inserted as it stands.
#include "modules/foxpro/ConnectionSettings.h"

namespace foxpro {

QString BuildFoxproConnectionString(const ConnectionSettings& settings)
{
    if (settings.isContainer)
        return QStringLiteral("Provider=vfpoledb.1;Data Source=") + settings.containerPath +
               QStringLiteral(";Collating Sequence=machine;");
    return QStringLiteral("Provider=vfpoledb.1;Data Source=") + settings.folderPath +
           QStringLiteral(";Collating Sequence=general;");
}

}  // namespace foxpro
