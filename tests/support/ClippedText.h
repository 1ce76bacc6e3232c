#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

namespace qv::testing {

// Every shown text of a window that its control cuts off, as
// "objectName: needs W x H, has W x H". A label or a check box needs its size
// hint; a push button needs its text's width inside the style's contents
// rectangle (a style's minimum button width is not a need); a group box needs its title.
inline QStringList clippedTexts(QWidget* window) {
    QStringList clipped;
    auto report = [&](const QWidget* w, QSize needs, QSize has) {
        if (needs.width() > has.width() || needs.height() > has.height())
            clipped << QStringLiteral("%1: needs %2 x %3, has %4 x %5")
                           .arg(w->objectName())
                           .arg(needs.width())
                           .arg(needs.height())
                           .arg(has.width())
                           .arg(has.height());
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->isWindow())
            continue;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (!label->text().isEmpty() && !label->wordWrap())
                report(w, label->sizeHint(), label->size());
        } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            report(w, w->sizeHint(), w->size());
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            if (button->text().isEmpty())
                continue;
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            const QRect inside =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            QString shown = button->text();
            shown.remove(QLatin1Char('&'));
            // The label is drawn in the contents rectangle's width but only
            // cut by the button's own edges in height.
            report(w,
                   {button->fontMetrics().horizontalAdvance(shown), button->fontMetrics().height()},
                   {inside.width(), button->height()});
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            if (group->title().isEmpty())
                continue;
            // The title needs its text and the frame's indent on both sides.
            const int needs = group->fontMetrics().horizontalAdvance(group->title()) +
                              2 * group->fontMetrics().averageCharWidth();
            report(w, {needs, 0}, group->size());
        }
    }
    return clipped;
}

} // namespace qv::testing
