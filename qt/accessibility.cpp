#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <mutex>

#include "calc_label.h"
#include "label_access.h"

namespace zobu {
namespace {

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Everything but the role is asked of the window each time: the caption, and whether the help
// panel covers the label, change while a reader holds the interface.
class CalcLabelAccessible : public QAccessibleWidget {
public:
    CalcLabelAccessible(CalcLabel* label, AccessPort& port)
        : QAccessibleWidget(label, port.access(label->layoutRow()).role == AccessRole::Key
                                       ? QAccessible::Button
                                       : QAccessible::StaticText),
          m_port(port) {}

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
            case QAccessible::Name:
                return Utf8(access().name);
            case QAccessible::Description:
                return Utf8(access().description);
            default:
                return QAccessibleWidget::text(kind);
        }
    }

    // The press is the only action a label ever offers. Its name is Qt's, which AT-SPI
    // clients look for; the word spoken for it is the interface's, as its localized name and
    // as its description, which is all of it that Qt 6.4's AT-SPI bridge passes on.
    QStringList actionNames() const override {
        if (access().pressAvailable) {
            return {pressAction()};
        }
        return {};
    }
    QString localizedActionName(const QString& action) const override {
        return action == pressAction() ? Utf8(kPressWord) : QString();
    }
    QString localizedActionDescription(const QString& action) const override {
        return localizedActionName(action);
    }
    void doAction(const QString& action) override {
        if (actionNames().contains(action)) {
            m_port.press(label().layoutRow());
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    LabelAccess access() const { return m_port.access(label().layoutRow()); }
    // The factory made this interface for a CalcLabel only.
    CalcLabel& label() const { return *static_cast<CalcLabel*>(widget()); }

    AccessPort& m_port;
};

// Qt asks the installed factories for each class of an object's class chain, newest factory
// first; CalcLabel has no meta-object of its own, so it is asked with "QLabel".
QAccessibleInterface* LabelFactory(const QString&, QObject* object) {
    if (auto* label = dynamic_cast<CalcLabel*>(object)) {
        if (auto* port = dynamic_cast<AccessPort*>(label->parentWidget())) {
            return new CalcLabelAccessible(label, *port);
        }
    }
    return nullptr;
}

}  // namespace

void InstallLabelAccessibility(QLabel& label) {
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(&LabelFactory); });
    // A QLabel announces each change of its text unless it has an accessible name of its own;
    // the window announces the writes frmA says are heard, each once. The interface above
    // names the label by its caption all the same.
    label.setAccessibleName(QStringLiteral("CalcLabel"));
}

void AnnounceWrite(QLabel& label) {
    if (QAccessible::isActive()) {
        QAccessibleEvent event(&label, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

}  // namespace zobu
