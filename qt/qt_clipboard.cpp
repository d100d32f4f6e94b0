#include "qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "calc_failure.h"

namespace zobu {
namespace {

QClipboard& systemClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        throw CalcFailure(FailureKind::ClipboardUnavailable);
    }
    return *clipboard;
}

}  // namespace

void QtClipboard::ClipboardClear() {
    systemClipboard().clear(QClipboard::Clipboard);
}

void QtClipboard::ClipboardPutText(std::string_view text) {
    systemClipboard().setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                              QClipboard::Clipboard);
}

std::string QtClipboard::ClipboardGetText() {
    return systemClipboard().text(QClipboard::Clipboard).toStdString();
}

}  // namespace zobu
