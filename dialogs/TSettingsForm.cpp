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
#include "store/QtText.h"
#include "widgets/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace qv {

using namespace settings;

TSettingsForm::TSettingsForm(TimerDB& db, DialogHost& host, QWidget* parent)
    : QDialog(parent), m_db(db), m_host(host) {
    setObjectName(QStringLiteral("SettingsForm"));
    buildWindow();
    FormCreate();

    QComboBox* hostCombo = m_host.timerCombo();
    for (int i = 0; hostCombo && i < hostCombo->count(); ++i)
        TimerNameCombo->addItem(hostCombo->itemText(i));
    const int active = m_host.activeTimerIndex();
    if (active >= 0 && active < TimerNameCombo->count()) {
        TimerNameCombo->setCurrentIndex(active);
        // The main window keeps this timer current; locating it again only
        // guards against a table that moved its current row meanwhile.
        m_db.locate(toUtf8(TimerNameCombo->currentText()));
    }
    PopulateSettingsForm();
}

TSettingsForm::~TSettingsForm() = default;

void TSettingsForm::FormCreate() {
    m_trackerGuard = false;
    m_picker = [this](const QString& preset) {
        QFileDialog dialog(this, QString(), QString(), tr("Audio files (*.WAV *.wav)"));
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
    m_picker = std::move(picker);
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
    m_host.showHelp(20);
}

// Filling and saving.

void TSettingsForm::PopulateSettingsForm() {
    const TimerRecord* record = m_db.current();
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
    const QString expiryPath = toQString(record->TimerExpFilename);
    TimerExpFilenameEdit->setText(fileNamePart(expiryPath));
    TimerExpPath->setText(expiryPath);

    for (std::size_t r = 0; r < m_pages.size(); ++r)
        m_pages[r]->fill(record->Rules[r]);
}

void TSettingsForm::SaveSettings() {
    const TimerRecord* current = m_db.current();
    if (!current)
        return;
    TimerRecord record = *current;

    record.StartTime = toSeconds({HrSpin->value(), MinSpin->value(), SecSpin->value()});
    saveAction(GenAnnTypeCombo, record.GenAnnAction);
    saveAction(TimerExpTypeCombo, record.TimerExpAction);
    record.TimerExpFilename = toUtf8(TimerExpPath->text());
    record.TimerLoop = LoopCheck->isChecked();
    saveInterval(GenAnnIntervalCombo, record.GenAnnInterval);

    for (std::size_t r = 0; r < m_pages.size(); ++r)
        m_pages[r]->save(record.Rules[r]);

    std::string error;
    if (!m_db.updateCurrent(std::move(record), &error))
        MessageBox::error(this, QCoreApplication::translate("qv::TimerDB", error.c_str()));
}

void TSettingsForm::UpdateLEDS() {
    HrLED->setText(twoDigits(HrSpin->value()));
    MinLED->setText(twoDigits(MinSpin->value()));
    SecLED->setText(twoDigits(SecSpin->value()));
}

void TSettingsForm::moveThumb(int hours, int minutes) {
    m_trackerGuard = true;
    QSTracker->setValue(
        std::clamp(60 * hours + minutes, QSTracker->minimum(), QSTracker->maximum()));
    m_trackerGuard = false;
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
    if (m_trackerGuard)
        return;
    setQuietly(HrSpin, position / 60);
    setQuietly(MinSpin, position % 60);
    setQuietly(SecSpin, 0);
    UpdateLEDS();
}

void TSettingsForm::AnnHrEditChange(QLineEdit* field) {
    for (RulePage* page : m_pages)
        if (page->fieldChange(field))
            return;
}

void TSettingsForm::GenAnnIntervalComboChange() {
    GenAnnTypeCombo->setEnabled(GenAnnIntervalCombo->currentIndex() != 0);
}

void TSettingsForm::TimerExpTypeComboChange() {
    const bool custom = TimerExpTypeCombo->currentIndex() == PlayCustomExpirySound;
    TimerExpFilenameEdit->setEnabled(custom);
    ExpBrowseButton->setEnabled(custom);
}

void TSettingsForm::R1ActionComboChange() {
    m_pages[0]->actionChange();
}
void TSettingsForm::R2ActionComboChange() {
    m_pages[1]->actionChange();
}
void TSettingsForm::R3ActionComboChange() {
    m_pages[2]->actionChange();
}

void TSettingsForm::browse(QLabel* holder, QLineEdit* shown, int width) {
    // One file dialog serves all four buttons: without a path of its own a
    // button starts from the file name the dialog last had.
    if (!holder->text().isEmpty())
        m_openDialogFileName = holder->text();
    const QString chosen = m_picker ? m_picker(m_openDialogFileName) : QString();
    if (chosen.isEmpty())
        return;
    m_openDialogFileName = chosen;
    // The table would cut a longer path without a word, and the sound would
    // then be lost; refuse it while the user can still choose another file.
    if (characterCount(toUtf8(chosen)) > width) {
        MessageBox::error(this, tr("The path of this file is longer than %n characters "
                                   "and cannot be kept - choose another file!",
                                   nullptr, width));
        return;
    }
    holder->setText(chosen);
    shown->setText(fileNamePart(chosen));
}

void TSettingsForm::ExpBrowseButtonClick() {
    browse(TimerExpPath, TimerExpFilenameEdit, m_db.textWidth(Column::TimerExpFilename));
}

void TSettingsForm::R1BrowseButtonClick() {
    m_pages[0]->browse();
}
void TSettingsForm::R2BrowseButtonClick() {
    m_pages[1]->browse();
}
void TSettingsForm::R3BrowseButtonClick() {
    m_pages[2]->browse();
}

// Every announcement preview speaks the start time of the "Start from" group in
// the full form, the rules' previews included.
void TSettingsForm::previewAnnouncement() {
    m_host.Announce(0, {HrSpin->value(), MinSpin->value(), SecSpin->value()});
}

void TSettingsForm::GenPreviewButtonClick() {
    previewAction(GenAnnTypeCombo->currentIndex(), nullptr);
}

void TSettingsForm::ExpPreviewButtonClick() {
    switch (TimerExpTypeCombo->currentIndex()) {
    case PlayFanfare:
        m_host.DoSound(toQString(kSoundFanfare));
        break;
    case PlayLongBeep:
        m_host.DoSound(toQString(kSoundLongBeep));
        break;
    case PlayCustomExpirySound:
        m_host.DoSound(TimerExpPath->text());
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
        m_host.DoSound(toQString(kSoundBeep));
        break;
    case PlayTick:
        m_host.DoSound(toQString(kSoundTick));
        break;
    case PlayCustomSound:
        if (customPath)
            m_host.DoSound(customPath->text());
        break;
    default:
        break;
    }
}

void TSettingsForm::R1PreviewButtonClick() {
    m_pages[0]->preview();
}
void TSettingsForm::R2PreviewButtonClick() {
    m_pages[1]->preview();
}
void TSettingsForm::R3PreviewButtonClick() {
    m_pages[2]->preview();
}

} // namespace qv
