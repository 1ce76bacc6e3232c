#pragma once

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <QTextDocument>
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

// What a label shows: its text as plain text, without the access key's mark.
inline QString shownText(const QLabel* label) {
    QString text = label->text();
    if (label->textFormat() == Qt::RichText ||
        (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
        QTextDocument document;
        document.setHtml(text);
        text = document.toPlainText();
    }
    return text.remove(QLatin1Char('&'));
}

// Where a screen reader would hear something else than the screen shows:
// every shown label whose name is not its text (pictures aside), and every
// shown drop-down list that is not named by its label, or whose value is not
// the item it shows. One "objectName: heard | shown" line each.
inline QStringList misread(QWidget* window) {
    QStringList out;
    auto note = [&](const QWidget* w, const QString& heard, const QString& shown) {
        out << QStringLiteral("%1: %2 | %3").arg(w->objectName(), heard, shown);
    };
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(window) || !label->pixmap().isNull())
            continue;
        const QString heard = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
        if (heard != shownText(label))
            note(label, heard, shownText(label));
    }
    for (QComboBox* combo : window->findChildren<QComboBox*>()) {
        if (!combo->isVisibleTo(window))
            continue;
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(combo);
        const QString value = node->text(QAccessible::Value);
        if (value != combo->currentText())
            note(combo, value, combo->currentText());
        const QString name = node->text(QAccessible::Name);
        QString label;
        for (const QLabel* l : window->findChildren<QLabel*>())
            if (l->buddy() == combo)
                label = shownText(l);
        // A list of its own name may add where it is ("..., rule 2").
        if (name.isEmpty() || (!label.isEmpty() && !name.startsWith(label)) ||
            (label.isEmpty() && name == combo->currentText()))
            note(combo, name, label.isEmpty() ? QStringLiteral("(a name)") : label);
    }
    return out;
}

} // namespace qv::testing
