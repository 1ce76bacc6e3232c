#pragma once

#include <QSpinBox>

namespace qv {

// An up/down control attached to a field beside it: only the two arrows show,
// the value lives in the spin box and the dialog writes it into the field.
class UpDownSpin : public QSpinBox {
    Q_OBJECT

public:
    UpDownSpin(int maximum, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

} // namespace qv
