// What the controls do while the user works them: spinners, quick set, the rule
// time fields, the choices that enable other controls, browsing and previews.

#include "core/Text.h"
#include "core/TimerDB.h"
#include "core/TimerRecord.h"
#include "dialogs/DialogHost.h"
#include "dialogs/TSettingsForm.h"
#include "widgets/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace qv {
namespace {

QString toQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// A whole decimal number: an optional minus sign and digits, nothing else.
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

} // namespace

void TSettingsForm::HrSpinClick() {
    UpdateLEDS();
    moveThumb(HrSpin->value(), MinSpin->value());
}

void TSettingsForm::MinSpinClick() {
    UpdateLEDS();
    moveThumb(HrSpin->value(), MinSpin->value());
}

void TSettingsForm::SecSpinClick() {
    UpdateLEDS();
}

void TSettingsForm::QSTrackerChange(int position) {
    if (trackerGuard_)
        return;
    setSpin(HrSpin, position / 60);
    setSpin(MinSpin, position % 60);
    setSpin(SecSpin, 0);
    UpdateLEDS();
}

void TSettingsForm::AnnHrEditChange(QLineEdit* field) {
    QSpinBox* spin = nullptr;
    for (const RuleControls& c : rules_)
        for (std::size_t i = 0; i < 3; ++i)
            if (c.fields[i] == field)
                spin = c.spins[i];
    if (!spin)
        return;

    QString text = field->text();
    if (!text.isEmpty()) {
        const auto value = parseWhole(text);
        if (!value) {
            MessageBox::error(this, QStringLiteral("Only numeric values allowed!"));
            text = QStringLiteral("00");
        } else if (*value < 0 || *value > 59) {
            MessageBox::error(this, QStringLiteral("Numeric value out of range!"));
            text = QStringLiteral("00");
        }
    }
    if (text.size() == 1)
        text.prepend(QLatin1Char('0'));
    if (text != field->text())
        setField(field, text);
    // An empty field counts as 0 until the user types or clicks again.
    setSpin(spin, text.isEmpty() ? 0 : parseWhole(text).value_or(0));
}

void TSettingsForm::ruleSpinClick(QSpinBox* spin) {
    for (const RuleControls& c : rules_)
        for (std::size_t i = 0; i < 3; ++i)
            if (c.spins[i] == spin)
                setField(c.fields[i],
                         QStringLiteral("%1").arg(spin->value(), 2, 10, QLatin1Char('0')));
}

void TSettingsForm::GenAnnIntervalComboChange() {
    GenAnnTypeCombo->setEnabled(GenAnnIntervalCombo->currentIndex() != 0);
}

void TSettingsForm::GenAnnTypeComboChange() {}

void TSettingsForm::TimerExpTypeComboChange() {
    const bool custom = TimerExpTypeCombo->currentIndex() == PlayCustomExpirySound;
    TimerExpFilenameEdit->setEnabled(custom);
    ExpBrowseButton->setEnabled(custom);
}

void TSettingsForm::ruleActionChange(int rule) {
    const RuleControls& c = rules_[static_cast<std::size_t>(rule)];
    const bool custom = c.action->currentIndex() == PlayCustomSound;
    c.filename->setEnabled(custom);
    c.browse->setEnabled(custom);
}

void TSettingsForm::R1ActionComboChange() {
    ruleActionChange(0);
}
void TSettingsForm::R2ActionComboChange() {
    ruleActionChange(1);
}
void TSettingsForm::R3ActionComboChange() {
    ruleActionChange(2);
}

void TSettingsForm::browse(QLabel* holder, QLineEdit* shown, int width) {
    // One file dialog serves all four buttons: without a path of its own a
    // button starts from the file name the dialog last had.
    if (!holder->text().isEmpty())
        openDialogFileName_ = holder->text();
    const QString chosen = picker_ ? picker_(openDialogFileName_) : QString();
    if (chosen.isEmpty())
        return;
    openDialogFileName_ = chosen;
    // The table would cut a longer path without a word, and the sound would
    // then be lost; refuse it while the user can still choose another file.
    if (characterCount(chosen.toStdString()) > width) {
        MessageBox::error(this, QStringLiteral("The path of this file is longer than %1 characters "
                                               "and cannot be kept - choose another file!")
                                    .arg(width));
        return;
    }
    holder->setText(chosen);
    shown->setText(fileNamePart(chosen));
}

void TSettingsForm::ExpBrowseButtonClick() {
    browse(TimerExpPath, TimerExpFilenameEdit, db_.textWidth(Column::TimerExpFilename));
}

void TSettingsForm::R1BrowseButtonClick() {
    browse(rules_[0].path, rules_[0].filename, db_.textWidth(Column::Rule1Filename));
}

void TSettingsForm::R2BrowseButtonClick() {
    browse(rules_[1].path, rules_[1].filename, db_.textWidth(Column::Rule2Filename));
}

void TSettingsForm::R3BrowseButtonClick() {
    browse(rules_[2].path, rules_[2].filename, db_.textWidth(Column::Rule3Filename));
}

// Every announcement preview speaks the start time of the "Start from" group in
// the full form, the rules' previews included.
void TSettingsForm::previewAnnouncement() {
    host_.Announce(0, {HrSpin->value(), MinSpin->value(), SecSpin->value()});
}

void TSettingsForm::GenPreviewButtonClick() {
    previewAction(GenAnnTypeCombo->currentIndex(), nullptr);
}

void TSettingsForm::ExpPreviewButtonClick() {
    switch (TimerExpTypeCombo->currentIndex()) {
    case PlayFanfare:
        host_.DoSound(toQString(kSoundFanfare));
        break;
    case PlayLongBeep:
        host_.DoSound(toQString(kSoundLongBeep));
        break;
    case PlayCustomExpirySound:
        host_.DoSound(TimerExpPath->text());
        break;
    default:
        break;
    }
}

void TSettingsForm::rulePreview(int rule) {
    const RuleControls& c = rules_[static_cast<std::size_t>(rule)];
    previewAction(c.action->currentIndex(), c.path);
}

// The general announcement and the rules share their first three actions; only
// a rule has a sound file of its own.
void TSettingsForm::previewAction(int action, const QLabel* customPath) {
    switch (action) {
    case AnnounceTimeLeft:
        previewAnnouncement();
        break;
    case PlayBeep:
        host_.DoSound(toQString(kSoundBeep));
        break;
    case PlayTick:
        host_.DoSound(toQString(kSoundTick));
        break;
    case PlayCustomSound:
        if (customPath)
            host_.DoSound(customPath->text());
        break;
    default:
        break;
    }
}

void TSettingsForm::R1PreviewButtonClick() {
    rulePreview(0);
}
void TSettingsForm::R2PreviewButtonClick() {
    rulePreview(1);
}
void TSettingsForm::R3PreviewButtonClick() {
    rulePreview(2);
}

} // namespace qv
