// Asks the X server for one key release per hold, instead of a release-press pair for each
// auto-repeat that Qt has to recognise (and sometimes does not).
#pragma once

namespace zobu {

// Call once, after the QGuiApplication exists. Returns whether X granted it; a no-op that
// returns false anywhere but X11.
bool requestDetectableAutoRepeat();

}  // namespace zobu
