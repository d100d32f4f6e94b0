// What a screen reader or other assistive technology sees of the window's labels: the four
// lines as static text named by their current text, the 21 keys as buttons with a press
// action, and the help panel; and the display's announcement whenever the engine writes it.
#pragma once

#include <QString>

class QLabel;

namespace zobu {

// Registers, once for the program, the factory that gives each CalcLabel its accessible
// interface. Runs when the first label is made; later calls do nothing.
void InstallLabelAccessibility();

// Sets a label's text so that assistive technology hears of every write, also of one that
// leaves the text as it was ("0" again after DEL): the user then hears the key take effect.
// Costs nothing beyond the text when no assistive technology is listening.
void SetTextAnnounced(QLabel& label, const QString& text);

}  // namespace zobu
