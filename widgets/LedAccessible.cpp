#include "widgets/LedAccessible.h"

#include "widgets/ReadOnlyText.h"
#include "widgets/TLMDLEDLabel.h"

#include <QCoreApplication>

namespace qv {
namespace {

class LedAccessible final : public ReadOnlyText {
public:
    explicit LedAccessible(TLMDLEDLabel* led) : ReadOnlyText(led, QAccessible::StaticText) {}

    QAccessible::State state() const override {
        QAccessible::State s = ReadOnlyText::state();
        s.readOnly = true;
        return s;
    }

private:
    QString unnamed() const override {
        return QCoreApplication::translate("qv::TLMDLEDLabel", "Time left");
    }
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
