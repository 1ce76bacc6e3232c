#include "widgets/GrowToContents.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace qv {
namespace {

// What a control needs to show its text whole; an empty size where the
// control has no text of its own to cut.
QSize needed(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->wordWrap() || label->text().isEmpty() ? QSize() : label->sizeHint();
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w))
        return w->sizeHint();
    if (auto* button = qobject_cast<QPushButton*>(w)) {
        if (button->text().isEmpty())
            return {};
        // A style's smallest button width is no need: only the text is.
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect inside =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        QString shown = button->text();
        shown.remove(QLatin1Char('&'));
        int text = button->fontMetrics().horizontalAdvance(shown);
        // An icon stands before the text, with the style's usual gap.
        if (!button->icon().isNull())
            text += button->iconSize().width() + 4;
        return QSize(button->width() + std::max(0, text - inside.width()),
                     std::max(button->height(), button->fontMetrics().height()));
    }
    return {};
}

// Group boxes, panels and plain widgets hold controls; a spin box or a list
// holds parts of itself, which never stick out.
bool isHolder(const QWidget* w) {
    const QMetaObject* kind = w->metaObject();
    return qobject_cast<const QGroupBox*>(w) || kind == &QWidget::staticMetaObject ||
           kind == &QFrame::staticMetaObject;
}

// What stands to the right of a control that grew by `dx`, on its row, in a
// holder placed by hand, moves along by as much, so that the control does not
// cover it: the gap between them stays as it was designed.
void makeRoomBeside(QWidget* grown, const QRect& was, int dx) {
    QWidget* holder = grown->parentWidget();
    if (!holder || holder->layout())
        return;
    for (QObject* o : holder->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w == grown || w->isWindow() || w->isHidden())
            continue;
        const QRect g = w->geometry();
        const bool sameRow = g.top() <= was.bottom() && g.bottom() >= was.top();
        if (sameRow && g.left() > was.right())
            w->move(g.left() + dx, g.top());
    }
}

int depth(const QWidget* w, const QWidget* top) {
    int d = 0;
    for (; w && w != top; w = w->parentWidget())
        ++d;
    return d;
}

} // namespace

void growToContents(QWidget* dialog) {
    std::vector<QWidget*> controls;
    for (QWidget* w : dialog->findChildren<QWidget*>())
        if (!w->isWindow() && w->isVisibleTo(dialog))
            controls.push_back(w);

    for (QWidget* w : controls) {
        const QSize need = needed(w);
        if (need.isEmpty() || (need.width() <= w->width() && need.height() <= w->height()))
            continue;
        const QRect was = w->geometry();
        QRect g = was;
        g.setWidth(std::max(g.width(), need.width()));
        if (need.height() > g.height()) {
            g.moveTop(std::max(0, g.top() - (need.height() - g.height()) / 2));
            g.setHeight(need.height());
        }
        w->setGeometry(g);
        if (g.right() > was.right())
            makeRoomBeside(w, was, g.right() - was.right());
    }

    // Innermost holders first, so that a grown group box is itself kept inside
    // what holds it. Holders with a layout look after themselves.
    std::stable_sort(controls.begin(), controls.end(), [dialog](QWidget* a, QWidget* b) {
        return depth(a, dialog) > depth(b, dialog);
    });
    // A holder grows only where something now sticks out of it, and then
    // leaves the child a small margin.
    auto keepInside = [](QWidget* holder, int margin) {
        QSize size = holder->size();
        for (QObject* o : holder->children()) {
            auto* child = qobject_cast<QWidget*>(o);
            if (!child || child->isWindow() || child->isHidden())
                continue;
            const QRect g = child->geometry();
            if (g.right() >= size.width())
                size.setWidth(g.right() + 1 + margin);
            if (g.bottom() >= size.height())
                size.setHeight(g.bottom() + 1 + margin);
        }
        return size;
    };
    for (QWidget* w : controls)
        if (isHolder(w) && !w->layout()) {
            const QSize size = keepInside(w, 4);
            if (size != w->size())
                w->resize(size);
        }
    if (!dialog->layout()) {
        const QSize size = keepInside(dialog, 8);
        if (size != dialog->size())
            dialog->setFixedSize(size);
    }
}

} // namespace qv
