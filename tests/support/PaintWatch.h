#pragma once

#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QRegion>
#include <QWidget>

namespace qv::testing {

// The paints a widget is sent, as its event filter sees them on their way in:
// how many, and the last one's rectangle and region.
class PaintWatch final : public QObject {
public:
    explicit PaintWatch(QWidget* widget) { widget->installEventFilter(this); }

    int count() const { return m_count; }
    QRect lastRect() const { return m_lastRegion.boundingRect(); }
    QRegion lastRegion() const { return m_lastRegion; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++m_count;
            m_lastRegion = static_cast<QPaintEvent*>(event)->region();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    int m_count = 0;
    QRegion m_lastRegion;
};

} // namespace qv::testing
