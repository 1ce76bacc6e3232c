#include "widgets/DropDown.h"

#include "widgets/ReadOnlyText.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>

namespace qv {
namespace {

class ComboAccessible final : public QAccessibleWidget, public ReadOnlyText {
public:
    explicit ComboAccessible(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(static_cast<ReadOnlyText*>(this));
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name: {
            const QString own = widget()->accessibleName();
            return own.isEmpty() ? shownText() : own;
        }
        case QAccessible::Value:
            return shownText();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.hasPopup = true;
        s.expanded = combo()->view()->isVisible();
        s.collapsed = !s.expanded;
        return s;
    }

    // The popup list is its child, so that a reader can go through the items.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(combo()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == combo()->view() ? 0 : -1;
    }

    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction()) {
            if (combo()->view()->isVisible())
                combo()->hidePopup();
            else
                combo()->showPopup();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
    QString shownText() const override { return combo()->currentText(); }
};

} // namespace

QAccessibleInterface* dropDownAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("qv::DropDown") && object && object->isWidgetType())
        return new ComboAccessible(static_cast<QComboBox*>(object));
    return nullptr;
}

DropDown::DropDown(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    static const bool installed = [] {
        QAccessible::installFactory(dropDownAccessibleFactory);
        return true;
    }();
    (void)installed;
}

} // namespace qv
