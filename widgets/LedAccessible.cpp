#include "widgets/LedAccessible.h"

#include "widgets/ReadOnlyText.h"
#include "widgets/TLMDLEDLabel.h"

#include <QAccessibleWidget>

namespace qv {
namespace {

class LedAccessible final : public QAccessibleWidget, public ReadOnlyText {
public:
    explicit LedAccessible(TLMDLEDLabel* led) : QAccessibleWidget(led, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(static_cast<ReadOnlyText*>(this));
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name: {
            const QString own = widget()->accessibleName();
            return own.isEmpty() ? QStringLiteral("Time left") : own;
        }
        case QAccessible::Value:
            return shownText();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }

private:
    QString shownText() const override { return static_cast<TLMDLEDLabel*>(widget())->readOut(); }
};

} // namespace

QAccessibleInterface* ledAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("qv::TLMDLEDLabel") && object && object->isWidgetType())
        return new LedAccessible(static_cast<TLMDLEDLabel*>(object));
    return nullptr;
}

void installLedAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(ledAccessibleFactory);
        return true;
    }();
    (void)installed;
}

} // namespace qv
