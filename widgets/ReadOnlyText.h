#pragma once

#include <QAccessibleWidget>
#include <QString>
#include <QWidget>
#include <algorithm>

namespace qv {

// What assistive technology sees of a control that shows a text it does not
// let the user edit or select (the LED's time, a drop-down list's item): named
// by its accessible name (else by what the control says), its value and its
// text the text shown, whole, with no caret and no selection.
class ReadOnlyText : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    ReadOnlyText(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name: {
            const QString own = widget()->accessibleName();
            return own.isEmpty() ? unnamed() : own;
        }
        case QAccessible::Value:
            return shownText();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override {
        const QString all = shownText();
        start = std::clamp(start, 0, static_cast<int>(all.size()));
        end = std::clamp(end, start, static_cast<int>(all.size()));
        return all.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(shownText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

protected:
    virtual QString shownText() const = 0;
    // The name of a control that has none of its own.
    virtual QString unnamed() const = 0;
};

} // namespace qv
