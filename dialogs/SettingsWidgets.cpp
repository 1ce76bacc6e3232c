#include "dialogs/SettingsWidgets.h"

#include "dialogs/UpDownSpin.h"
#include "store/QtText.h"
#include "widgets/DropDown.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>

namespace qv::settings {
QSpinBox* spinner(const char* name, int maximum, QWidget* parent) {
    auto* spin = new UpDownSpin(maximum, parent);
    spin->setObjectName(QLatin1String(name));
    return spin;
}

QComboBox* dropDown(const char* name, QWidget* parent) {
    auto* combo = new DropDown(parent);
    combo->setObjectName(QLatin1String(name));
    return combo;
}

QToolButton* pictureButton(const char* name, QStyle::StandardPixmap picture, const QString& hint,
                           QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(parent->style()->standardIcon(picture));
    button->setToolTip(hint);
    return button;
}

QToolButton* browseButton(const char* name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(QStringLiteral("..."));
    button->setToolTip(QCoreApplication::translate("qv::settings", "Browse files"));
    return button;
}

QLineEdit* filenameField(const char* name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setReadOnly(true);
    return field;
}

QLabel* caption(const QString& text, QWidget* control, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(control);
    return label;
}

QLabel* pathHolder(const char* name, QWidget* parent) {
    auto* holder = new QLabel(parent);
    holder->setObjectName(QLatin1String(name));
    holder->setTextFormat(Qt::PlainText);
    holder->hide();
    return holder;
}

void fillIntervals(QComboBox* combo, std::span<const IntervalItem> items) {
    for (const IntervalItem& item : items)
        combo->addItem(QCoreApplication::translate("qv::TimerRecord", item.label.data()),
                       item.seconds);
}

void fillActions(QComboBox* combo, std::span<const std::string_view> labels) {
    for (std::string_view label : labels)
        combo->addItem(QCoreApplication::translate("qv::TimerRecord", label.data()));
}

void setQuietly(QSpinBox* spin, int value) {
    const QSignalBlocker blocker(spin);
    spin->setValue(value);
}

void setQuietly(QLineEdit* field, const QString& text) {
    const QSignalBlocker blocker(field);
    field->setText(text);
}

QString twoDigits(int value) {
    return value <= 9 && value >= 0 ? QStringLiteral("0%1").arg(value) : QString::number(value);
}

// Two characters at most reach here, so the value never overflows.
std::optional<int> parseWhole(const QString& text) {
    qsizetype i = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (i == text.size())
        return std::nullopt;
    int value = 0;
    for (qsizetype k = i; k < text.size(); ++k) {
        const QChar c = text.at(k);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return i == 1 ? -value : value;
}

void selectInterval(QComboBox* combo, std::span<const IntervalItem> items, std::int32_t seconds) {
    const auto position = intervalPosition(items, seconds);
    combo->setCurrentIndex(position ? *position : -1);
}

void selectAction(QComboBox* combo, std::int32_t code) {
    combo->setCurrentIndex(code >= 0 && code < combo->count() ? code : -1);
}

void saveAction(const QComboBox* combo, std::int32_t& field) {
    if (combo->currentIndex() >= 0)
        field = combo->currentIndex();
}

void saveInterval(const QComboBox* combo, std::int32_t& field) {
    if (combo->currentIndex() >= 0)
        field = combo->currentData().toInt();
}

} // namespace qv::settings
