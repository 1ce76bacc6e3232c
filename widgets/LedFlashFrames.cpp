#include "widgets/LedFlashFrames.h"

#include <QEvent>
#include <QWindow>

namespace qv {

LedFlashFrames::LedFlashFrames(TLMDLEDLabel& led) : m_led(led) {}

void LedFlashFrames::setFrames(std::unique_ptr<ScreenFrames> frames) {
    m_frames = std::move(frames);
    m_asked = true;
    m_window = 0;
    m_keptText[0] = m_keptText[1] = QString();
}

LedFlashFrames::Look LedFlashFrames::look() const {
    return Look{m_led.size(), m_led.devicePixelRatioF(), m_led.led(), m_led.bevel(), m_led.color()};
}

bool LedFlashFrames::show(const QString& from) {
    const QString& caption = m_led.caption();
    const bool toBlank = caption.trimmed().isEmpty();
    if (from.size() != caption.size() || toBlank == from.trimmed().isEmpty())
        return false;
    QWidget* window = m_led.window();
    // Frames belong to one native window: one made anew is asked again.
    const WId native = window->internalWinId();
    if (m_asked && m_window != 0 && m_window != native) {
        m_asked = false;
        m_watchingWindow = false;
    }
    if (!m_asked) {
        m_asked = true;
        m_frames = screenFramesFor(&m_led);
        m_keptText[0] = m_keptText[1] = QString();
    }
    if (!m_frames)
        return false;
    m_window = native;
    if (!m_watchingWindow && window->windowHandle()) {
        // The window's buffer goes to the screen again when the window is
        // uncovered; a kept phase is then painted into it.
        m_watchingWindow = true;
        window->windowHandle()->installEventFilter(this);
    }
    const Look now = look();
    if (now != m_keptLook) {
        m_keptLook = now;
        m_keptText[0] = m_keptText[1] = QString();
    }
    const int phase = toBlank ? 0 : 1;
    if (m_keptText[phase] != caption) {
        m_keptText[phase].clear();
        if (!m_frames->keep(phase, m_led.render(now.ratio)))
            return false;
        m_keptText[phase] = caption;
    }
    if (!m_frames->show(phase, m_led.mapTo(window, QPoint(0, 0)) * now.ratio))
        return false;
    m_screenAhead = true;
    return true;
}

bool LedFlashFrames::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && m_screenAhead)
        m_led.update();
    return QObject::eventFilter(watched, event);
}

} // namespace qv
