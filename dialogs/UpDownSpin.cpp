#include "dialogs/UpDownSpin.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace qv {

UpDownSpin::UpDownSpin(int maximum, QWidget* parent) : QSpinBox(parent) {
    setRange(0, maximum);
    setWrapping(true);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setKeyboardTracking(false);
    lineEdit()->hide();
    lineEdit()->setReadOnly(true);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize UpDownSpin::sizeHint() const {
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QRect up =
        style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, this);
    const int frame = style()->pixelMetric(QStyle::PM_SpinBoxFrameWidth, &option, this);
    return {qMax(up.width(), 12) + 2 * frame, QSpinBox::sizeHint().height()};
}

QSize UpDownSpin::minimumSizeHint() const {
    return sizeHint();
}

} // namespace qv
