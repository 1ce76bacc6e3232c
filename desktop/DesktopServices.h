#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <functional>

class QWidget;

namespace qv {

// The desktop file name: the Wayland app id, the X11 class hint, the launcher
// entry and the notification's desktop-entry hint all name it.
inline constexpr const char* kDesktopAppId = "net.brindlemoor.Quorvantel";

enum class RunState { Idle, Counting, Flashing };

// What the desktop is told of the main window at each moment.
struct RunView {
    RunState state = RunState::Idle;
    QString title;     // the program title: "Quorvantel" or "Quorvantel - 00:04:59"
    QString timerName; // the selected timer
    std::int32_t secondsLeft = 0;
    std::int32_t startSeconds = 0;
    bool startStopEnabled = true;
    bool resetEnabled = true;
    // At a zero that was not seen as it happened (it lay in a stall or a
    // sleep, or the program was not running): when it was, in local time.
    QDateTime zeroAt = {};
    bool zeroWhileClosed = false;
};

// What the desktop may ask of the main window: each does exactly what the
// window's own control or menu entry does.
struct DesktopActions {
    std::function<void()> startStop;
    std::function<void()> reset;
    std::function<void()> showWindow;
    std::function<void()> exit;
    // The notification's stop action at zero: ends the run and resets the timer.
    std::function<void()> stopAtZero;
};

// The main window tells the desktop about the run at these moments, each at
// most once per step of the countdown. None of them may wait.
class DesktopServices {
public:
    virtual ~DesktopServices() = default;
    // Once, when the window is built; `view` is its state then.
    virtual void attach(QWidget* window, DesktopActions actions, const RunView& view) = 0;
    virtual void runBegun(const RunView& view) = 0;
    virtual void stepped(const RunView& view) = 0;
    // The step that reached 00:00:00; view.state says whether the run goes on
    // (a looping timer) or the display flashes.
    virtual void reachedZero(const RunView& view) = 0;
    virtual void runEnded(const RunView& view) = 0;
    virtual void wasReset(const RunView& view) = 0;
};

// A window without desktop services (tests of the window, benchmarks).
class NoDesktopServices final : public DesktopServices {
public:
    void attach(QWidget*, DesktopActions, const RunView&) override {}
    void runBegun(const RunView&) override {}
    void stepped(const RunView&) override {}
    void reachedZero(const RunView&) override {}
    void runEnded(const RunView&) override {}
    void wasReset(const RunView&) override {}
};

} // namespace qv
