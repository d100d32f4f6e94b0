// The window's fonts, chosen once per process. "Lucida Console" and "宋体" are Windows
// faces; where they are missing a fixed-pitch face and a Song/Ming Chinese face stand in.
#pragma once

#include <QFont>

#include "layout_table.h"

namespace zobu {

// The font of a label of the given role. Needs a QGuiApplication; the first call chooses them
// all, later calls return them.
const QFont& FontFor(FontRole role);

}  // namespace zobu
