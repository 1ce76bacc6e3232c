#pragma once

#include "core/CountdownEngine.h"

#include <QTimer>
#include <functional>

namespace qv {

// The engine's tick on the user-interface thread. After each tick it waits as
// long as the engine says the next tick can matter: a tenth of a second while
// the display flashes, until the next whole second while a run counts. Ticks
// that could only find nothing to do are never delivered, so a counting timer
// wakes the program once a second. A precise timer keeps each tick within a
// millisecond of its time; the handler runs on this thread, so a tick never
// overlaps another handler of the window.
class QtTickSource final : public TickSource {
public:
    QtTickSource(std::function<void()> onTick, std::function<int()> nextDelayMs)
        : m_onTick(std::move(onTick)), m_nextDelayMs(std::move(nextDelayMs)) {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            m_onTick();
            if (m_on)
                m_timer.start(m_nextDelayMs());
        });
    }
    void setEnabled(bool on) override {
        m_on = on;
        if (on)
            m_timer.start(m_nextDelayMs());
        else
            m_timer.stop();
    }
    // On from the switch until the switch off, also while a tick is handled.
    bool isEnabled() const override { return m_on; }

private:
    QTimer m_timer;
    std::function<void()> m_onTick;
    std::function<int()> m_nextDelayMs;
    bool m_on = false;
};

} // namespace qv
