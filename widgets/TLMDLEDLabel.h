#pragma once

#include "widgets/LedGeometry.h"
#include "widgets/ScreenFrames.h"

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>

namespace qv {

// Segment settings of an LED display. Sizes are pixels, 0..255.
struct TLMDLED {
    int Horzsize = 9;
    int Vertsize = 7;
    int Thickness = 2;
    QColor ActiveColor = QColor(0, 255, 0);
    QColor InActiveColor = QColor(0, 128, 0);
    // A disabled display shows no lit segments.
    bool DisabledDigits = true;

    bool operator==(const TLMDLED&) const = default;
};

// The frame around the display. Only the outer bevel is modelled; a style of
// bvNone draws nothing and takes no room.
struct TLMDBevel {
    enum Style { bvNone, bvLowered, bvRaised };

    Style StyleOuter = bvNone;
    int WidthOuter = 1;
    QColor LightColor = QColor(255, 255, 255);
    QColor ShadowColor = QColor(128, 128, 128);
    QColor BorderColor = QColor(192, 192, 192);

    // Pixels the bevel takes on each side.
    int width() const;
    bool operator==(const TLMDBevel&) const = default;
};

using TLMDBevelStyle = TLMDBevel::Style;
using enum TLMDBevel::Style;

// The lowered frame of the main window's read-out.
TLMDBevel timerLedBevel();

// A text shown as a row of segmented LED cells. Every cell shows all sixteen
// segments: those the character needs in the active colour, the others as a dim
// checkerboard. The unlit cell and each lit pattern are prepared once and only
// copied by a paint; the unlit cell is rebuilt only when a setting that shapes
// it really changes.
class TLMDLEDLabel : public QWidget {
    Q_OBJECT

public:
    explicit TLMDLEDLabel(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& text);
    // The text the display stands for, as assistive technology reads it: the
    // caption, or while the caption is blank (the dark phase of a flashing
    // display) the text it showed last.
    QString readOut() const { return m_readOut; }

    const TLMDLED& led() const { return m_led; }
    void setLED(const TLMDLED& led);
    void setHorzsize(int v);
    void setVertsize(int v);
    void setThickness(int v);
    void setActiveColor(const QColor& c);
    void setInActiveColor(const QColor& c);
    void setDisabledDigits(bool on);

    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);

    QColor color() const { return m_color; }
    void setColor(const QColor& c);

    const TLMDBevel& bevel() const { return m_bevel; }
    void setBevel(const TLMDBevel& b);

    // The size the text needs: columns x (H + 5T) + 2E + 1 by lines x (2V + 7T) + 2E.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The widget's pixels as a paint would show them, composed off screen, at
    // a device pixel ratio (1: the widget's own size).
    QImage render(qreal devicePixelRatio = 1) const;

    // Where the two phases of a flashing display are kept and shown from; by
    // default the display server's (screenFramesFor), taken at the first
    // flash. Without any, every phase is a repaint.
    void setScreenFrames(std::unique_ptr<ScreenFrames> frames);

    // For tests and benchmarks: paints handled, and how often the cached
    // unlit cell and the checkerboard were rebuilt.
    int paintCount() const { return m_paintCount; }
    QRect lastPaintRect() const { return m_lastPaintRect; }
    QRegion lastPaintRegion() const { return m_lastPaintRegion; }
    int cellImageBuilds() const { return m_cellBuilds; }
    int patternBuilds() const { return m_patternBuilds; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What a change touches: the segment shapes (and so the unlit cell), the
    // colours of the unlit cell, or only what is painted on top of it.
    enum class Change { Shape, UnlitColours, Paint };

    void applyLED(const TLMDLED& next);
    void changed(Change what);
    void relayout();
    void refresh();
    std::optional<QRegion> changedCells(const QString& from, const QString& to) const;
    void ensureCellImage() const;
    void ensureLitSegments() const;
    void paintTo(QPainter& p, const QRect& clip) const;
    void drawBevel(QPainter& p) const;
    void paintArea(QPainter& p, const QRect& area, const QRect& part) const;
    bool showKeptPhase(const QString& from);

    // What the kept phases were composed with; any difference prepares them anew.
    struct PhaseLook {
        QSize size;
        qreal ratio = 0;
        TLMDLED led;
        TLMDBevel bevel;
        QColor color;
        bool operator==(const PhaseLook&) const = default;
    };
    PhaseLook phaseLook() const;

    QString m_caption;
    QString m_readOut;
    TLMDLED m_led;
    TLMDBevel m_bevel;
    QColor m_color = QColor(0, 0, 0);
    bool m_autoSize = false;
    LedCellGeometry m_geometry;
    LedTextSize m_textSize;
    QSize m_laidOutHint;

    mutable QImage m_cellImage;
    mutable bool m_cellStale = true;
    mutable QImage m_pattern;
    mutable QRgb m_patternInactive = 0;
    mutable QRgb m_patternBackground = 0;
    // Each segment lit, on a transparent picture of its bounds at its place in
    // the cell: a lit character is the unlit cell with its segments laid over
    // it. A picture per character instead would hold a dozen cells, each as
    // large as the display is tall, and make one anew for each new digit.
    struct LitSegment {
        QPoint at;
        QImage picture;
    };
    mutable std::array<LitSegment, kLedSegmentCount> m_litSegments;
    mutable bool m_litStale = true;
    mutable int m_cellBuilds = 0;
    mutable int m_patternBuilds = 0;
    int m_paintCount = 0;
    QRect m_lastPaintRect;
    QRegion m_lastPaintRegion;

    // The flashing display's two phases, blank (0) and lit (1), kept where the
    // screen shows them from. While a kept phase is on screen the window's
    // buffer may still hold the other: it is painted anew before it is shown.
    std::unique_ptr<ScreenFrames> m_frames;
    bool m_framesAsked = false;
    WId m_framesWindow = 0;
    bool m_watchingWindow = false;
    PhaseLook m_keptLook;
    QString m_keptText[2];
    bool m_screenAhead = false;
};

} // namespace qv
