#include "widgets/DropDown.h"

#include "widgets/ReadOnlyText.h"

#include <QAbstractItemView>

namespace qv {
namespace {

class ComboAccessible final : public ReadOnlyText {
public:
    explicit ComboAccessible(QComboBox* combo) : ReadOnlyText(combo, QAccessible::ComboBox) {}

    QAccessible::State state() const override {
        QAccessible::State s = ReadOnlyText::state();
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
        return QStringList{showMenuAction(), pressAction()} + ReadOnlyText::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction()) {
            if (combo()->view()->isVisible())
                combo()->hidePopup();
            else
                combo()->showPopup();
            return;
        }
        ReadOnlyText::doAction(action);
    }

private:
    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
    QString unnamed() const override { return shownText(); }
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
