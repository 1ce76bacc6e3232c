#pragma once

#include "widgets/LedGeometry.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <array>

class QPainter;
class QRect;

namespace qv {

// Paints a caption as a row of LED cells from pictures prepared once: the unlit
// cell (the sixteen outlines in an 8 x 8 checkerboard of the unlit colour and
// the background) and a picture of each segment lit. A paint only copies them;
// they are made anew only when the shapes or the colours they show change.
class LedCellPainter {
public:
    void reshape(const LedCellGeometry& geometry);
    void setColours(const QColor& active, const QColor& inactive, const QColor& background);

    // Paints the cells of `text`, laid out from the top-left corner of `area`,
    // that meet `part`; the rest of `part` is background. Unlit, every cell
    // shows only its unlit segments.
    void paint(QPainter& p, const QString& text, const QRect& area, const QRect& part,
               bool lit) const;

    // How often the unlit cell and the checkerboard were made.
    int cellImageBuilds() const { return m_cellBuilds; }
    int patternBuilds() const { return m_patternBuilds; }

private:
    void ensureCellImage() const;
    void ensureLitSegments() const;

    LedCellGeometry m_geometry;
    QColor m_active;
    QColor m_inactive;
    QColor m_background;

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
};

} // namespace qv
