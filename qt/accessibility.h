// What a screen reader or other assistive technology sees of the window's labels, as frmA
// tells it (form/label_access.h): the four lines and the help panel as static text, the 21
// keys as buttons with a press action, named by their captions; and each write it must hear.
#pragma once

class QLabel;

namespace zobu {

// Makes `label`, a CalcLabel on a window that is an AccessPort, answer assistive technology
// through its own interface, and keeps it from announcing its writes itself. Registers the
// interface's factory, once for the program, at the first label.
void InstallLabelAccessibility(QLabel& label);

// Tells assistive technology of a write of the label's text, also of one that left the text as
// it was. Costs nothing when no assistive technology is listening.
void AnnounceWrite(QLabel& label);

}  // namespace zobu
