#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace qv {

// What can be asked of the run from outside the window (the command line, a
// second copy, D-Bus, the desktop entry's actions). The keyboard asks the
// same of the same place, so each way in behaves alike.
enum class RunCommand {
    Start,  // select the named timer (or keep the selected one) and start it
    Stop,   // what STOP does; a flashing display is ended and reset, as SPACE does
    Reset,  // what ESC does: stop if counting, then reset
    Toggle, // what SPACE does in the chosen keyboard mode
};

struct CommandResult {
    enum class Error { None, NoSuchTimer, Busy };
    Error error = Error::None;
    QString message; // for the user, when there is an error

    bool ok() const { return error == Error::None; }
};

// The run as an outside reader sees it.
struct RunStatus {
    QString timer;
    std::int32_t secondsLeft = 0;
    QString timeLeft; // "hh:mm:ss"
    QString state;    // "idle", "counting", "paused" or "flashing"
};

class RunControl {
public:
    virtual ~RunControl() = default;
    // `timer` matters for Start only; empty means the selected timer.
    virtual CommandResult command(RunCommand command, const QString& timer) = 0;
    virtual RunStatus status() const = 0;
    // The timers' names in list order.
    virtual QStringList timers() const = 0;
    // Shows the window and brings it forward, with the activation token of
    // whoever asked (empty when none came with the request).
    virtual void activate(const QString& activationToken) = 0;
};

} // namespace qv
