// Filling the controls from the table's current record and writing them back.

#include "core/TimerDB.h"
#include "core/TimerRecord.h"
#include "dialogs/TSettingsForm.h"
#include "widgets/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace qv {
namespace {

QString twoDigits(int value) {
    return value <= 9 && value >= 0 ? QStringLiteral("0%1").arg(value) : QString::number(value);
}

// A stored value outside the list (only a hand-edited file holds one) shows as
// no selection, so that the value of the timer shown before cannot stay
// selected and be saved into this one.
void selectInterval(QComboBox* combo, std::span<const IntervalItem> items, std::int32_t seconds) {
    const auto position = intervalPosition(items, seconds);
    combo->setCurrentIndex(position ? *position : -1);
}

void selectAction(QComboBox* combo, std::int32_t code) {
    combo->setCurrentIndex(code >= 0 && code < combo->count() ? code : -1);
}

// With no item selected the stored value is kept, for actions and intervals alike.
void saveAction(const QComboBox* combo, std::int32_t& field) {
    if (combo->currentIndex() >= 0)
        field = combo->currentIndex();
}

void saveInterval(const QComboBox* combo, std::int32_t& field) {
    if (combo->currentIndex() >= 0)
        field = combo->currentData().toInt();
}

} // namespace

void TSettingsForm::PopulateSettingsForm() {
    const TimerRecord* record = db_.current();
    if (!record)
        return;

    const TTimeHMS start = splitTime(record->StartTime);
    setSpin(HrSpin, start.Hours);
    setSpin(MinSpin, start.Minutes);
    setSpin(SecSpin, start.Seconds);
    moveThumb(HrSpin->value(), MinSpin->value());
    UpdateLEDS();

    LoopCheck->setChecked(record->TimerLoop);

    selectInterval(GenAnnIntervalCombo, kGeneralIntervals, record->GenAnnInterval);
    GenAnnTypeCombo->setEnabled(record->GenAnnInterval != 0);
    selectAction(GenAnnTypeCombo, record->GenAnnAction);

    selectAction(TimerExpTypeCombo, record->TimerExpAction);
    const bool customExpiry = record->TimerExpAction == PlayCustomExpirySound;
    TimerExpFilenameEdit->setEnabled(customExpiry);
    ExpBrowseButton->setEnabled(customExpiry);
    const QString expiryPath = QString::fromStdString(record->TimerExpFilename);
    TimerExpFilenameEdit->setText(fileNamePart(expiryPath));
    TimerExpPath->setText(expiryPath);

    for (std::size_t r = 0; r < rules_.size(); ++r) {
        const TimerRule& rule = record->Rules[r];
        RuleControls& c = rules_[r];
        c.enable->setChecked(rule.Enabled);
        const TTimeHMS from = splitTime(rule.Start);
        const int parts[3] = {from.Hours, from.Minutes, from.Seconds};
        for (std::size_t i = 0; i < 3; ++i) {
            setSpin(c.spins[i], parts[i]);
            setField(c.fields[i], twoDigits(c.spins[i]->value()));
        }
        selectAction(c.action, rule.Action);
        const bool custom = rule.Action == PlayCustomSound;
        c.filename->setEnabled(custom);
        c.browse->setEnabled(custom);
        const QString path = QString::fromStdString(rule.Filename);
        c.filename->setText(fileNamePart(path));
        c.path->setText(path);
        selectInterval(c.interval, kRuleIntervals, rule.Interval);
    }
}

void TSettingsForm::SaveSettings() {
    const TimerRecord* current = db_.current();
    if (!current)
        return;
    TimerRecord record = *current;

    record.StartTime = toSeconds({HrSpin->value(), MinSpin->value(), SecSpin->value()});
    saveAction(GenAnnTypeCombo, record.GenAnnAction);
    saveAction(TimerExpTypeCombo, record.TimerExpAction);
    record.TimerExpFilename = TimerExpPath->text().toStdString();
    record.TimerLoop = LoopCheck->isChecked();
    saveInterval(GenAnnIntervalCombo, record.GenAnnInterval);

    for (std::size_t r = 0; r < rules_.size(); ++r) {
        TimerRule& rule = record.Rules[r];
        const RuleControls& c = rules_[r];
        rule.Enabled = c.enable->isChecked();
        rule.Start = toSeconds({c.spins[0]->value(), c.spins[1]->value(), c.spins[2]->value()});
        saveAction(c.action, rule.Action);
        rule.Filename = c.path->text().toStdString();
        saveInterval(c.interval, rule.Interval);
    }

    std::string error;
    if (!db_.updateCurrent(std::move(record), &error))
        MessageBox::error(this, QString::fromStdString(error));
}

void TSettingsForm::UpdateLEDS() {
    HrLED->setText(twoDigits(HrSpin->value()));
    MinLED->setText(twoDigits(MinSpin->value()));
    SecLED->setText(twoDigits(SecSpin->value()));
}

QString TSettingsForm::fileNamePart(const QString& path) {
    qsizetype cut = -1;
    for (const QChar separator : {QLatin1Char('\\'), QLatin1Char(':'), QLatin1Char('/')})
        cut = qMax(cut, path.lastIndexOf(separator));
    return path.mid(cut + 1);
}

// The dialog's own writes into its controls: they must not look like the user's.
void TSettingsForm::setSpin(QSpinBox* spin, int value) {
    const QSignalBlocker blocker(spin);
    spin->setValue(value);
}

void TSettingsForm::setField(QLineEdit* field, const QString& text) {
    const QSignalBlocker blocker(field);
    field->setText(text);
}

void TSettingsForm::moveThumb(int hours, int minutes) {
    trackerGuard_ = true;
    QSTracker->setValue(
        std::clamp(60 * hours + minutes, QSTracker->minimum(), QSTracker->maximum()));
    trackerGuard_ = false;
}

} // namespace qv
