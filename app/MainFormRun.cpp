// The run controls (START/STOP, RESET, the timer list, SPACE and ESC) and what
// the countdown engine asks of the window: the display and the status bar.

#include "app/CommonData.h"
#include "app/MainForm.h"
#include "store/QtText.h"
#include "widgets/MessageBox.h"
#include "widgets/TLMDLEDLabel.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace qv {

void TMainForm::UpdateTimerDisplay() {
    std::string shown = formatTime(m_engine->timeLeft());
    const QString text = toQString(shown);
    m_engine->setDisplayText(std::move(shown));
    // The LED repaints at once, and with it whatever else waits to be painted:
    // the status bar's new text is set first so that one copy to the screen
    // carries both.
    m_statusPanels[1]->setText(text);
    if (m_engine->running())
        setProgramTitle(QString::fromLatin1(kProgramTitle) + QStringLiteral(" - ") + text);
    TimerLED->setCaption(text);
}

void TMainForm::setLedText(const std::string& text) {
    TimerLED->setCaption(toQString(text));
}

void TMainForm::setRunningControls(bool running) {
    StartStopButton->setText(running ? tr("STOP") : tr("START"));
    ResetButton->setEnabled(!running);
    TimerCombo->setEnabled(!running);
    Timersettings1->setEnabled(!running);
    m_statusPanels[0]->setText(running ? tr("Running...") : tr("Not running"));
}

// The buttons never keep the focus: it goes to the timer list, even while the
// list is disabled for the moment it takes it.
void TMainForm::focusTimerCombo() {
    const bool enabled = TimerCombo->isEnabled();
    if (!enabled)
        TimerCombo->setEnabled(true);
    TimerCombo->setFocus(Qt::OtherFocusReason);
    if (!enabled)
        TimerCombo->setEnabled(false);
}

void TMainForm::StartStopButtonClick() {
    if (!m_engine->begun()) {
        setRunningControls(true);
        m_engine->beginRun();
        m_desktop->runBegun(runView());
        keepRun();
        Q_EMIT runChanged();
        // A window that never runs a timer never connects to the sound server;
        // a run's first sound is a second away at the least, and the connection
        // (and the built-in sounds' decoding, in the background) takes
        // milliseconds. Made once the button has been repainted.
        QTimer::singleShot(0, this, [this] { m_data.Sound(); });
    } else {
        if (m_engine->displayText() == "00:00:00")
            StartStopButton->setEnabled(false);
        // The flashing display may have been left blank.
        TimerLED->setCaption(toQString(m_engine->displayText()));
        setRunningControls(false);
        m_engine->endRun();
        setProgramTitle(QString::fromLatin1(kProgramTitle));
        m_desktop->runEnded(runView());
        forgetRun();
        Q_EMIT runChanged();
    }
    focusTimerCombo();
}

void TMainForm::ResetButtonClick() {
    m_engine->reset();
    StartStopButton->setEnabled(true);
    m_desktop->wasReset(runView());
    forgetRun();
    Q_EMIT runChanged();
    focusTimerCombo();
}

void TMainForm::TimerComboChange() {
    if (!m_data.TimerDB.locate(toUtf8(TimerCombo->currentText())))
        MessageBox::error(this, tr(kNotFound));
    m_engine->loadTimer();
    m_prefs.ActiveTimerIndex = TimerCombo->currentIndex();
    Q_EMIT runChanged();
}

bool TMainForm::FormKeyDown(int key) {
    if (key == Qt::Key_Space) {
        perform(RunCommand::Toggle, QString());
        return true;
    }
    if (key == Qt::Key_Escape) {
        perform(RunCommand::Reset, QString());
        return true;
    }
    return false;
}

// SPACE: start, stop or (in the mode that resets) reset, by what the last
// SPACE did; a flashing display is always ended and reset.
void TMainForm::toggle() {
    if (m_engine->running()) {
        StartStopButtonClick();
        m_keyCycle = KeyCycle::Stop;
    } else if (m_engine->expired()) {
        StartStopButtonClick();
        ResetButtonClick();
        m_keyCycle = KeyCycle::Reset;
    } else if (!m_prefs.SpaceResets) {
        StartStopButtonClick();
        m_keyCycle = KeyCycle::Start;
    } else if (m_keyCycle == KeyCycle::Stop) {
        ResetButtonClick();
        m_keyCycle = KeyCycle::Reset;
    } else {
        StartStopButtonClick();
        m_keyCycle = KeyCycle::Start;
    }
}

} // namespace qv
