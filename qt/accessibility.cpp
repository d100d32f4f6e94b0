#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <algorithm>
#include <mutex>

#include "calc_label.h"
#include "label_access.h"

namespace zobu {
namespace {

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
        : QAccessibleWidget(label, describe(*label).role == AccessRole::Key
                                       ? QAccessible::Button
                                       : QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        const QByteArray caption = label().text().toUtf8();
        const LabelAccess access = describe(
            label(),
            std::string_view(caption.constData(), static_cast<std::size_t>(caption.size())));
        switch (kind) {
            case QAccessible::Name:
                return utf8(access.name);
            case QAccessible::Description:
                return utf8(access.description);
            default:
                return QAccessibleWidget::text(kind);
        }
    }

    QStringList actionNames() const override {
        if (describe(label()).pressAvailable) {
            return {pressAction()};
        }
        return {};
    }

    // The press is the only action a label ever offers.
    void doAction(const QString& action) override {
        if (actionNames().contains(action)) {
            label().click();
        }
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    static LabelAccess describe(const CalcLabel& label, std::string_view caption = {}) {
        return DescribeLabel(label.row(), caption, helpShown(label));
    }
    static QString utf8(std::string_view text) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }

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
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(&LabelFactory); });
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
