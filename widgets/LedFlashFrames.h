#pragma once

#include "widgets/ScreenFrames.h"
#include "widgets/TLMDLEDLabel.h"

#include <QObject>
#include <QString>
#include <QWidget>
#include <memory>

namespace qv {

// A flashing display swaps its caption for blanks of the same length and back,
// ten times a second. Each of the two phases, blank (0) and lit (1), is composed
// once and kept where the screen shows it from (by default the display
// server's, screenFramesFor, asked for at the first flash), and each flash is
// a copy from there: no repaint, no picture sent.
class LedFlashFrames final : public QObject {
public:
    explicit LedFlashFrames(TLMDLEDLabel& led);

    // Where the phases are kept; none makes every phase a repaint.
    void setFrames(std::unique_ptr<ScreenFrames> frames);

    // Shows the caption the display changed to from `from` as a kept phase;
    // false when it is no flash or cannot be shown so (then it is painted).
    bool show(const QString& from);

    // While a kept phase is on screen the window's buffer may still hold the
    // other: it is painted anew before the buffer is shown again.
    bool screenAhead() const { return m_screenAhead; }
    void bufferPainted() { m_screenAhead = false; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the kept phases were composed with; any difference prepares them anew.
    struct Look {
        QSize size;
        qreal ratio = 0;
        TLMDLED led;
        TLMDBevel bevel;
        QColor color;
        bool operator==(const Look&) const = default;
    };
    Look look() const;

    TLMDLEDLabel& m_led;
    std::unique_ptr<ScreenFrames> m_frames;
    bool m_asked = false;
    WId m_window = 0;
    bool m_watchingWindow = false;
    Look m_keptLook;
    QString m_keptText[2];
    bool m_screenAhead = false;
};

} // namespace qv
