// The application icon, embedded as a Qt resource.
#include "app/AppIcon.h"

namespace app {

QIcon applicationIcon()
{
    return QIcon(QStringLiteral(":/quorvane/quorvane.png"));
}

}  // namespace app
