#pragma once

#include <QAccessible>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace qv::testing {

// What a screen reader finds of a window: every control a user can operate
// (and every static text) that is shown but has no accessible name, as
// "objectName (role)". The tree is Qt's own accessibility tree, the data the
// desktop's accessibility bridge publishes.
inline bool mustHaveAName(QAccessible::Role role) {
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::PageTab:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::StaticText:
    case QAccessible::Graphic:
        return true;
    default:
        return false;
    }
}

inline QStringList unnamedControls(QWidget* window) {
    QStringList unnamed;
    auto walk = [&](auto&& self, QAccessibleInterface* node) -> void {
        if (!node || node->state().invisible)
            return;
        if (mustHaveAName(node->role()) && node->text(QAccessible::Name).trimmed().isEmpty()) {
            const QObject* o = node->object();
            unnamed << QStringLiteral("%1 (%2)")
                           .arg(o ? o->objectName() : QStringLiteral("?"))
                           .arg(static_cast<int>(node->role()));
        }
        for (int i = 0; i < node->childCount(); ++i)
            self(self, node->child(i));
    };
    walk(walk, QAccessible::queryAccessibleInterface(window));
    return unnamed;
}

} // namespace qv::testing
