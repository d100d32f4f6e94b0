// The window's fonts, chosen once per process. "Lucida Console" and "宋体" are Windows
// faces; where they are missing a fixed-pitch face and a Song/Ming Chinese face stand in.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include "layout_table.h"

namespace zobu {

// The font of a label of the given role. Needs a QGuiApplication; the first call chooses them
// all, later calls return them.
const QFont& FontFor(FontRole role);

// The first of `preferred` that the font database really holds (fontconfig would otherwise
// substitute any face for a missing name), or an empty string.
QString FirstInstalledFamily(const QStringList& installed, const QStringList& preferred);

// The display's width for text in pixels: the label less its border and text indent.
int DisplayTextWidthPixels();

}  // namespace zobu
