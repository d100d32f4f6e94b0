#include "window_icon.h"

#include <QPixmap>

// The 32 x 32 four-colour image, compiled in so the program needs no files beside it.
#include "zobu.xpm"

namespace zobu {

QIcon WindowIcon() {
    return QIcon(QPixmap(zobu_xpm));
}

}  // namespace zobu
