#pragma once

#include "widgets/LedCellPainter.h"
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

class LedFlashFrames;

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
// checkerboard. The widget keeps the settings, the layout and what a change
// repaints; the cells are painted by its LedCellPainter, and the phases of a
// flashing display shown by its LedFlashFrames.
class TLMDLEDLabel : public QWidget {
    Q_OBJECT

public:
    explicit TLMDLEDLabel(QWidget* parent = nullptr);
    ~TLMDLEDLabel() override;

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

    // How often the cached unlit cell and the checkerboard were made (what no
    // paint from outside can tell).
    int cellImageBuilds() const { return m_cells.cellImageBuilds(); }
    int patternBuilds() const { return m_cells.patternBuilds(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void relayout();
    void refresh();
    std::optional<QRegion> changedCells(const QString& from, const QString& to) const;
    void paintTo(QPainter& p, const QRect& clip) const;
    void drawBevel(QPainter& p) const;

    QString m_caption;
    QString m_readOut;
    TLMDLED m_led;
    TLMDBevel m_bevel;
    QColor m_color = QColor(0, 0, 0);
    bool m_autoSize = false;
    LedCellGeometry m_geometry;
    LedTextSize m_textSize;
    QSize m_laidOutHint;

    LedCellPainter m_cells;

    std::unique_ptr<LedFlashFrames> m_flash;
};

} // namespace qv
