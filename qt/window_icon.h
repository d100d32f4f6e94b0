// The window's icon: an amber calculator with a white display and nine blue keys.
#pragma once

#include <QIcon>

namespace zobu {

QIcon WindowIcon();

}  // namespace zobu
