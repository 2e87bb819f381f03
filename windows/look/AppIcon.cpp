// The application icon, embedded as a Qt resource.
#include "windows/look/AppIcon.h"

namespace look {

QIcon applicationIcon()
{
    return QIcon(QStringLiteral(":/quorvane/quorvane.png"));
}

}  // namespace look
