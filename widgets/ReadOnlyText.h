#pragma once

#include <QAccessible>
#include <QString>
#include <algorithm>

namespace qv {

// The text interface of a control that shows a text it does not let the user
// edit or select (the LED's time, a drop-down list's item): its whole text, no
// caret, no selection. The control says what it shows.
class ReadOnlyText : public QAccessibleTextInterface {
public:
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
};

} // namespace qv
