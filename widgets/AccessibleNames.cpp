#include "widgets/AccessibleNames.h"

#include <QAbstractButton>
#include <QLabel>
#include <QWidget>
#include <algorithm>

namespace qv {
namespace {

bool saysSomething(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

} // namespace

void nameControls(QWidget* root, std::initializer_list<std::pair<QWidget*, QString>> names) {
    for (const auto& [widget, name] : names) {
        if (widget)
            widget->setAccessibleName(name);
    }
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        if (button->accessibleName().isEmpty() && !saysSomething(button->text()) &&
            !button->toolTip().isEmpty())
            button->setAccessibleName(button->toolTip());
    }
    for (QLabel* label : root->findChildren<QLabel*>()) {
        QWidget* buddy = label->buddy();
        if (buddy && buddy->accessibleName().isEmpty())
            buddy->setAccessibleName(label->text().remove(QLatin1Char('&')));
    }
}

} // namespace qv
