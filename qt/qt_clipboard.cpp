#include "qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <cstdlib>
#include <memory>

#include "calc_failure.h"

#if QT_CONFIG(xcb) && defined(ZOBU_HAVE_XCB)
#include <xcb/xcb.h>
#endif

namespace zobu {
namespace {

QClipboard& systemClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        throw CalcFailure(FailureKind::ClipboardUnavailable);
    }
    return *clipboard;
}

enum class Holder { Unknown, Nobody, Us, AnotherProgram };

#if QT_CONFIG(xcb) && defined(ZOBU_HAVE_XCB)
struct FreeReply {
    void operator()(void* reply) const noexcept { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

Holder clipboardHolder(xcb_connection_t* x) {
    constexpr char kName[] = "CLIPBOARD";
    const Reply<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, sizeof kName - 1, kName), nullptr));
    if (atom == nullptr) {
        return Holder::Unknown;
    }
    const Reply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(x, xcb_get_selection_owner(x, atom->atom), nullptr));
    if (owner == nullptr) {
        return Holder::Unknown;
    }
    if (owner->owner == XCB_NONE) {
        return Holder::Nobody;
    }
    // Every window this program creates carries its connection's resource base.
    const xcb_setup_t* setup = xcb_get_setup(x);
    return (owner->owner & ~setup->resource_id_mask) == setup->resource_id_base
               ? Holder::Us
               : Holder::AnotherProgram;
}
#endif

// Who holds the clipboard, as the X server says; Unknown off X. Qt's own answer
// (ownsClipboard) is its bookkeeping and says yes even when X has just refused the text.
Holder clipboardHolder() {
#if QT_CONFIG(xcb) && defined(ZOBU_HAVE_XCB)
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 != nullptr && x11->connection() != nullptr) {
        return clipboardHolder(x11->connection());
    }
#endif
    return Holder::Unknown;
}

// Whether the text just written is what the clipboard now offers, where X can tell. Elsewhere
// Qt's answer is not to be trusted right after a write (Wayland) or is always "no" (offscreen,
// whose clipboard lives inside the program), so the write stands.
bool textWentOut() {
    const Holder holder = clipboardHolder();
    return holder != Holder::Nobody && holder != Holder::AnotherProgram;
}

}  // namespace

void QtClipboard::ClipboardClear() {
    systemClipboard().clear(QClipboard::Clipboard);
}

// Qt reports nothing when X refuses the clipboard: another program may have taken it after
// the last event this program saw, and X keeps the later owner.
void QtClipboard::ClipboardPutText(std::string_view text) {
    QClipboard& clipboard = systemClipboard();
    clipboard.setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                      QClipboard::Clipboard);
    if (!textWentOut()) {
        throw CalcFailure(FailureKind::ClipboardUnavailable);
    }
}

// Qt reads an unreadable clipboard as an empty one. It can be told apart where the platform
// gives no data at all, and on X where a program holds the clipboard but does not answer
// (not even with the list of formats it offers, which every holder must give).
std::string QtClipboard::ClipboardGetText() {
    const QMimeData* data = systemClipboard().mimeData(QClipboard::Clipboard);
    if (data == nullptr ||
        (data->formats().isEmpty() && clipboardHolder() == Holder::AnotherProgram)) {
        throw CalcFailure(FailureKind::ClipboardUnavailable);
    }
    return data->text().toStdString();
}

}  // namespace zobu
