#include "app/CommonData.h"
#include "app/MainForm.h"
#include "store/QtText.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QPushButton>

namespace qv {

RunView TMainForm::runView() const {
    RunView v;
    switch (m_engine->phase()) {
    case RunPhase::Counting:
        v.state = RunState::Counting;
        break;
    case RunPhase::Flashing:
        v.state = RunState::Flashing;
        break;
    case RunPhase::Idle:
    case RunPhase::Paused:
        v.state = RunState::Idle;
        break;
    }
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

// Only ticks that took a second off reach the desktop. A zero changes the
// run (a looping timer begins its next loop, any other flashes), so it is
// kept for the next start too.
void TMainForm::MainTimerTimer() {
    switch (m_engine->MainTimerTimer()) {
    case Step::None:
        return;
    case Step::Counted:
        m_desktop->stepped(runView());
        return;
    case Step::Zero:
        keepRun();
        Q_EMIT runChanged();
        tellZero(m_engine->zeroPassedUnseen() ? utcOf(m_engine->zeroAtMs()) : 0, false);
        return;
    }
}

void TMainForm::tellZero(std::int64_t zeroUtcMs, bool whileClosed) {
    RunView view = runView();
    if (zeroUtcMs > 0)
        view.zeroAt = QDateTime::fromMSecsSinceEpoch(zeroUtcMs);
    view.zeroWhileClosed = whileClosed;
    m_desktop->reachedZero(view);
}

// What SPACE does while the display flashes: the run ends and the timer is
// reset. A looping timer, still counting, is stopped and reset the same way;
// a run already stopped in the window is left alone.
void TMainForm::stopAtZero() {
    if (!m_engine->begun())
        return;
    StartStopButtonClick();
    ResetButtonClick();
}

// Qt's Wayland window hands a token found in XDG_ACTIVATION_TOKEN to the
// compositor with its next activation request, and uses it up.
bool TMainForm::comeForward(const QString& activationToken) {
    if (m_engine->begun())
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
