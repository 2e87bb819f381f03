// The one icon every window of the program carries.
#pragma once

#include <QIcon>

namespace look {

QIcon applicationIcon();

}  // namespace look
