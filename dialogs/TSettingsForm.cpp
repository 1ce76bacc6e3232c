// The timer settings dialog: opening and closing, filling the controls from the
// table's current record and writing them back, and what the controls of the
// "Start from", general and expiry groups do. The rule pages are RulePage, the
// list operations SettingsFormList.cpp, the building SettingsFormLayout.cpp.

#include "dialogs/TSettingsForm.h"

#include "core/Text.h"
#include "core/TimerDB.h"
#include "core/TimerRecord.h"
#include "dialogs/DialogHost.h"
#include "dialogs/RulePage.h"
#include "dialogs/SettingsWidgets.h"
#include "widgets/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace qv {

using namespace settings;

namespace {

QString toQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

TSettingsForm::TSettingsForm(TimerDB& db, DialogHost& host, QWidget* parent)
    : QDialog(parent), db_(db), host_(host) {
    setObjectName(QStringLiteral("SettingsForm"));
    buildWindow();
    FormCreate();

    QComboBox* hostCombo = host_.timerCombo();
    for (int i = 0; hostCombo && i < hostCombo->count(); ++i)
        TimerNameCombo->addItem(hostCombo->itemText(i));
    const int active = host_.activeTimerIndex();
    if (active >= 0 && active < TimerNameCombo->count()) {
        TimerNameCombo->setCurrentIndex(active);
        // The main window keeps this timer current; locating it again only
        // guards against a table that moved its current row meanwhile.
        db_.locate(TimerNameCombo->currentText().toStdString());
    }
    PopulateSettingsForm();
}

TSettingsForm::~TSettingsForm() = default;

void TSettingsForm::FormCreate() {
    trackerGuard_ = false;
    picker_ = [this](const QString& preset) {
        QFileDialog dialog(this, QString(), QString(), QStringLiteral("Audio files (*.WAV *.wav)"));
        dialog.setObjectName(QStringLiteral("OpenDialog"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        if (!preset.isEmpty())
            dialog.selectFile(preset);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    };
}

void TSettingsForm::setFilePicker(FilePicker picker) {
    picker_ = std::move(picker);
}

int TSettingsForm::selectedIndex() const {
    return TimerNameCombo->currentIndex();
}

void TSettingsForm::FormShow() {
    UpdateLEDS();
}

void TSettingsForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    FormShow();
}

void TSettingsForm::FormClose() {
    SaveSettings();
}

void TSettingsForm::done(int) {
    FormClose();
    QDialog::done(QDialog::Accepted);
}

void TSettingsForm::CloseButtonClick() {
    SaveSettings();
    accept();
}

void TSettingsForm::HelpButtonClick() {
    host_.showHelp(20);
}

// Filling and saving.

void TSettingsForm::PopulateSettingsForm() {
    const TimerRecord* record = db_.current();
    if (!record)
        return;

    const TTimeHMS start = splitTime(record->StartTime);
    setQuietly(HrSpin, start.Hours);
    setQuietly(MinSpin, start.Minutes);
    setQuietly(SecSpin, start.Seconds);
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

    for (std::size_t r = 0; r < pages_.size(); ++r)
        pages_[r]->fill(record->Rules[r]);
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

    for (std::size_t r = 0; r < pages_.size(); ++r)
        pages_[r]->save(record.Rules[r]);

    std::string error;
    if (!db_.updateCurrent(std::move(record), &error))
        MessageBox::error(this, QString::fromStdString(error));
}

void TSettingsForm::UpdateLEDS() {
    HrLED->setText(twoDigits(HrSpin->value()));
    MinLED->setText(twoDigits(MinSpin->value()));
    SecLED->setText(twoDigits(SecSpin->value()));
}

void TSettingsForm::moveThumb(int hours, int minutes) {
    trackerGuard_ = true;
    QSTracker->setValue(
        std::clamp(60 * hours + minutes, QSTracker->minimum(), QSTracker->maximum()));
    trackerGuard_ = false;
}

// What the controls do while the user works them.

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
    setQuietly(HrSpin, position / 60);
    setQuietly(MinSpin, position % 60);
    setQuietly(SecSpin, 0);
    UpdateLEDS();
}

void TSettingsForm::AnnHrEditChange(QLineEdit* field) {
    for (RulePage* page : pages_)
        if (page->fieldChange(field))
            return;
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

void TSettingsForm::R1ActionComboChange() {
    pages_[0]->actionChange();
}
void TSettingsForm::R2ActionComboChange() {
    pages_[1]->actionChange();
}
void TSettingsForm::R3ActionComboChange() {
    pages_[2]->actionChange();
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
    pages_[0]->browse();
}
void TSettingsForm::R2BrowseButtonClick() {
    pages_[1]->browse();
}
void TSettingsForm::R3BrowseButtonClick() {
    pages_[2]->browse();
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
    pages_[0]->preview();
}
void TSettingsForm::R2PreviewButtonClick() {
    pages_[1]->preview();
}
void TSettingsForm::R3PreviewButtonClick() {
    pages_[2]->preview();
}

} // namespace qv
