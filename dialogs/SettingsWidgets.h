#pragma once

// The controls the timer settings dialog and its rule pages are made of, and
// how they are filled and read back. For the dialog's own sources only.

#include "core/TimerRecord.h"

#include <QString>
#include <QStyle>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QToolButton;
class QWidget;

namespace qv::settings {

QSpinBox* spinner(const char* name, int maximum, QWidget* parent);
QComboBox* dropDown(const char* name, QWidget* parent);
QToolButton* pictureButton(const char* name, QStyle::StandardPixmap picture, const QString& hint,
                           QWidget* parent);
QToolButton* browseButton(const char* name, QWidget* parent);
QLineEdit* filenameField(const char* name, QWidget* parent);
// The label of a control: a reader names the control by its text.
QLabel* caption(const QString& text, QWidget* control, QWidget* parent);
// A hidden label that holds the full path behind a file name field.
QLabel* pathHolder(const char* name, QWidget* parent);

void fillIntervals(QComboBox* combo, std::span<const IntervalItem> items);
void fillActions(QComboBox* combo, std::span<const std::string_view> labels);

// The dialog's own writes into its controls: they must not look like the user's.
void setQuietly(QSpinBox* spin, int value);
void setQuietly(QLineEdit* field, const QString& text);

QString twoDigits(int value);
// A whole decimal number: an optional minus sign and digits, nothing else.
std::optional<int> parseWhole(const QString& text);

// A stored value outside the list (only a hand-edited file holds one) shows as
// no selection, so that the value of the timer shown before cannot stay
// selected and be saved into this one.
void selectInterval(QComboBox* combo, std::span<const IntervalItem> items, std::int32_t seconds);
void selectAction(QComboBox* combo, std::int32_t code);
// With no item selected the stored value is kept, for actions and intervals alike.
void saveAction(const QComboBox* combo, std::int32_t& field);
void saveInterval(const QComboBox* combo, std::int32_t& field);

} // namespace qv::settings
