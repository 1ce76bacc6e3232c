#pragma once

#include <QComboBox>

class QAccessibleInterface;

namespace qv {

// A drop-down list (no typing) that assistive technology reads by its label:
// named by its accessible name (its label's text), its value and its text the
// item it shows. Qt's own interface names a list by its current item on
// Linux, so a reader would say "Every hour" where the user needs to hear
// "Perform action"; and Qt asks its own factory first for a plain QComboBox,
// hence a class of its own. Without a name it is heard by its item.
class DropDown : public QComboBox {
    Q_OBJECT

public:
    explicit DropDown(QWidget* parent = nullptr);
};

QAccessibleInterface* dropDownAccessibleFactory(const QString& className, QObject* object);

} // namespace qv
