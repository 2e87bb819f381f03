// The application icon, embedded as a Qt resource.
#include "windows/look/AppIcon.h"

namespace app {

QIcon applicationIcon()
{
    return QIcon(QStringLiteral(":/quorvane/quorvane.png"));
}

}  // namespace app
