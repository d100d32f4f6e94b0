// The window's fonts, chosen once per process. "Lucida Console" and "宋体" are Windows
// faces; where they are missing a fixed-pitch face and a Song/Ming Chinese face stand in.
#pragma once

#include <QFont>

#include "layout_table.h"

namespace zobu {

// The font of a label of the given role; needs a QGuiApplication. The first call chooses the
// keys' and the lines' fonts; the help panel's is chosen at the first call for its role,
// since fitting its text loads and measures Chinese faces. Later calls return them.
const QFont& FontFor(FontRole role);

}  // namespace zobu
