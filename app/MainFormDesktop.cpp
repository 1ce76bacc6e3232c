#include "app/CommonData.h"
#include "app/MainForm.h"
#include "store/QtText.h"

#include <QGuiApplication>
#include <QPushButton>

namespace qv {

RunView TMainForm::runView() const {
    RunView v;
    // The button's caption is "STOP" from START until STOP, flashing included.
    const bool started = StartStopButton->text() != QLatin1String("START");
    v.state = m_engine->running() ? RunState::Counting
              : started           ? RunState::Flashing
                                  : RunState::Idle;
    v.title = programTitle();
    if (const TimerRecord* r = m_data.TimerDB.current())
        v.timerName = toQString(r->Name);
    v.secondsLeft = toSeconds(m_engine->timeLeft());
    v.startSeconds = toSeconds(m_engine->startValue());
    v.startStopEnabled = StartStopButton->isEnabled();
    v.resetEnabled = ResetButton->isEnabled();
    return v;
}

void TMainForm::attachDesktop() {
    DesktopActions actions;
    actions.startStop = [this] { StartStopButtonClick(); };
    actions.reset = [this] { ResetButtonClick(); };
    actions.showWindow = [this] { showWindow(); };
    actions.exit = [this] { Exit1Click(); };
    actions.stopAtZero = [this] { stopAtZero(); };
    m_desktop->attach(this, std::move(actions), runView());
}

// Only ticks that took a second off reach the desktop: the step's display
// text tells a zero from any other second.
void TMainForm::MainTimerTimer() {
    const bool wasRunning = m_engine->running();
    const std::int64_t counted = m_engine->secondsCounted();
    m_engine->MainTimerTimer();
    if (!wasRunning || m_engine->secondsCounted() == counted)
        return;
    if (m_engine->displayText() == "00:00:00")
        m_desktop->reachedZero(runView());
    else
        m_desktop->stepped(runView());
}

// What SPACE does while the display flashes: the run ends and the timer is
// reset. A looping timer, still counting, is stopped and reset the same way;
// a run already stopped in the window is left alone.
void TMainForm::stopAtZero() {
    if (StartStopButton->text() == QLatin1String("START"))
        return;
    StartStopButtonClick();
    ResetButtonClick();
}

// Qt's Wayland window hands a token found in XDG_ACTIVATION_TOKEN to the
// compositor with its next activation request, and uses it up.
bool TMainForm::comeForward(const QString& activationToken) {
    if (programTitle() != QLatin1String(kProgramTitle))
        return false;
    if (!activationToken.isEmpty() &&
        QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        qputenv("XDG_ACTIVATION_TOKEN", activationToken.toLatin1());
    return comeForward();
}

void TMainForm::showWindow() {
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

} // namespace qv
