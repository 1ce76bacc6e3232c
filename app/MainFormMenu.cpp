// The menu commands and the dialogs they open, and the sound, speech and help
// services the engine and the dialogs ask of the window.

#include "app/CommonData.h"
#include "app/MainForm.h"
#include "audio/SoundPlayer.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/TAboutForm.h"
#include "dialogs/TPrefForm.h"
#include "dialogs/TSettingsForm.h"
#include "store/QtText.h"
#include "store/TimerFile.h"
#include "widgets/MessageBox.h"
#include "widgets/TLMDLEDLabel.h"

#include <QComboBox>

namespace qv {

void TMainForm::DoSound(const std::string& sound) {
    DoSound(toQString(sound));
}

void TMainForm::DoSound(const QString& sound) {
    m_data.Sound().DoSound(sound);
}

void TMainForm::Announce(int shortForm, TTimeHMS time) {
    m_data.Sound().Announce(shortForm, time);
}

void TMainForm::showHelp(int topic) {
    HelpWindow::showTopic(this, topic);
}

void TMainForm::Timersettings1Click() {
    if (m_engine->running())
        return;
    TSettingsForm dialog(m_data.TimerDB, *this, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    TimerDB& db = m_data.TimerDB;
    TimerCombo->setCurrentIndex(dialog.selectedIndex());
    if (!db.locate(toUtf8(TimerCombo->currentText())))
        MessageBox::error(this, tr(kNotFound));
    m_engine->loadTimer();
    m_prefs.ActiveTimerIndex = TimerCombo->currentIndex();
    // A failed write is reported; the table keeps the changes, and the next
    // successful write (at the latest the close) takes them to the file.
    QString error;
    if (!TimerFile::write(m_writePath, db, &error))
        MessageBox::error(this, error);
    ResetButtonClick();
}

void TMainForm::Preferences1Click() {
    TPrefForm dialog(this);
    dialog.load(m_prefs);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.store(m_prefs);
    TimerLED->setActiveColor(m_prefs.ActiveLEDColor);
    TimerLED->setInActiveColor(m_prefs.InactiveLEDColor);
    UpdateFormBkg();
}

void TMainForm::Quorvantelhelp1Click() {
    showHelp(HelpWindow::ContentsTopic);
}

void TMainForm::AboutQuorvantel1Click() {
    TAboutForm dialog(m_data.logo(), this);
    dialog.exec();
}

} // namespace qv
