#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace qv {

// SIGTERM, SIGINT and SIGHUP, which end a desktop session's programs at
// logout and shutdown, turned into a call on the thread that made this object
// (the window's), from its event loop. The handler only writes the signal's
// number into a pipe; everything else happens in `onSignal`. One at a time
// per process; the handlers are put back as they were when it goes.
class TerminationSignals final : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(std::function<void(int signal)> onSignal,
                                QObject* parent = nullptr);
    ~TerminationSignals() override;

    // False when the pipe or a handler could not be set up; the signals then
    // keep their default action.
    bool isActive() const { return m_notifier != nullptr; }

private:
    void readPipe();

    std::function<void(int)> m_onSignal;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace qv
