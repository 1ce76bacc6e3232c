#pragma once

#include "core/CountdownEngine.h"

#include <QTimer>
#include <functional>

namespace qv {

// The engine's 100 ms tick on the user-interface thread. A precise timer keeps
// the display within a tick of the clock; the handler runs on this thread, so
// a tick never overlaps another handler of the window.
class QtTickSource final : public TickSource {
public:
    explicit QtTickSource(std::function<void()> onTick) {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(100);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, std::move(onTick));
    }
    void setEnabled(bool on) override {
        if (on)
            m_timer.start();
        else
            m_timer.stop();
    }
    bool isEnabled() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

} // namespace qv
