#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <algorithm>

#include "calc_label.h"

namespace zobu {
namespace {

// The lines without a tooltip say what they are; the display and the keys are described by
// their tooltips.
const char* LineDescription(LabelName name) {
    switch (name) {
        case LabelName::lblLast:
            return "历史";
        case LabelName::lblNext:
            return "提示";
        case LabelName::lblTie:
            return "运算符";
        default:
            return "";
    }
}

// Whether the help panel among a label's siblings is shown.
bool helpShown(const CalcLabel& label) {
    return std::ranges::any_of(label.parentWidget()->children(), [](const QObject* sibling) {
        const auto* other = dynamic_cast<const CalcLabel*>(sibling);
        return other != nullptr && other->row().name == LabelName::lblHelp && !other->isHidden();
    });
}

class CalcLabelAccessible : public QAccessibleWidget {
public:
    explicit CalcLabelAccessible(CalcLabel* label)
        : QAccessibleWidget(label,
                            label->row().key ? QAccessible::Button : QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        const CalcLabel& self = label();
        switch (kind) {
            case QAccessible::Name:
                // The caption as it is, ampersands included: it is never a mnemonic here.
                return self.accessibleName().isEmpty() ? self.text() : self.accessibleName();
            case QAccessible::Description:
                if (!self.accessibleDescription().isEmpty()) {
                    return self.accessibleDescription();
                }
                if (!self.toolTip().isEmpty()) {
                    return self.toolTip();
                }
                return QString::fromUtf8(LineDescription(self.row().name));
            default:
                return QAccessibleWidget::text(kind);
        }
    }

    // A key can be pressed also while the window is folded, as from the keyboard, but not
    // while the help panel covers it (as for the mouse); the help panel only while it is shown.
    QStringList actionNames() const override {
        const CalcLabel& self = label();
        if (self.clickable() && !CoveredByHelp(self.row().name, helpShown(self))) {
            return {pressAction()};
        }
        return {};
    }

    void doAction(const QString& action) override {
        if (action == pressAction()) {
            if (actionNames().contains(action)) {
                label().click();
            }
            return;
        }
        QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    // The factory made this interface for a CalcLabel only.
    CalcLabel& label() const { return *static_cast<CalcLabel*>(widget()); }
};

// Qt asks the installed factories for each class of an object's class chain, newest factory
// first; CalcLabel has no meta-object of its own, so it is asked with "QLabel".
QAccessibleInterface* LabelFactory(const QString&, QObject* object) {
    if (auto* label = dynamic_cast<CalcLabel*>(object)) {
        return new CalcLabelAccessible(label);
    }
    return nullptr;
}

}  // namespace

void InstallLabelAccessibility() {
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(&LabelFactory);
        return true;
    }();
}

void SetTextAnnounced(QLabel& label, const QString& text) {
    // QLabel announces a changed text itself; an unchanged one only from here.
    const bool unchanged = QAccessible::isActive() && label.text() == text;
    label.setText(text);
    if (unchanged) {
        QAccessibleEvent event(&label, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

}  // namespace zobu
