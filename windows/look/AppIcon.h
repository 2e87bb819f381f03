// The one icon every window of the program carries.
#pragma once

#include <QIcon>

namespace app {

QIcon applicationIcon();

}  // namespace app
