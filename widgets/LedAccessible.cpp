#include "widgets/LedAccessible.h"

#include "widgets/TLMDLEDLabel.h"

#include <QAccessibleWidget>

namespace qv {
namespace {

class LedAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LedAccessible(TLMDLEDLabel* led) : QAccessibleWidget(led, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name: {
            const QString own = widget()->accessibleName();
            return own.isEmpty() ? QStringLiteral("Time left") : own;
        }
        case QAccessible::Value:
            return readOut();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }

    // --- QAccessibleTextInterface: the read-out as plain, read-only text ----
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override {
        const QString all = readOut();
        start = std::clamp(start, 0, static_cast<int>(all.size()));
        end = std::clamp(end, start, static_cast<int>(all.size()));
        return all.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(readOut().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

private:
    QString readOut() const { return static_cast<TLMDLEDLabel*>(widget())->readOut(); }
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
