#include "widgets/LedCellPainter.h"

#include <QPainter>
#include <QRegion>

namespace qv {

void LedCellPainter::reshape(const LedCellGeometry& geometry) {
    m_geometry = geometry;
    m_cellStale = true;
    m_litStale = true;
}

// The checkerboard's colours are checked when the cell is next needed.
void LedCellPainter::setColours(const QColor& active, const QColor& inactive,
                                const QColor& background) {
    if (active != m_active)
        m_litStale = true;
    if (inactive != m_inactive || background != m_background)
        m_cellStale = true;
    m_active = active;
    m_inactive = inactive;
    m_background = background;
}

void LedCellPainter::ensureCellImage() const {
    const QRgb inactive = m_inactive.rgb();
    const QRgb background = m_background.rgb();
    if (m_pattern.isNull() || inactive != m_patternInactive || background != m_patternBackground) {
        m_pattern = QImage(8, 8, QImage::Format_RGB32);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                m_pattern.setPixel(x, y, (x + y) % 2 == 0 ? inactive : background);
        m_patternInactive = inactive;
        m_patternBackground = background;
        ++m_patternBuilds;
        m_cellStale = true;
    }
    if (!m_cellStale && !m_cellImage.isNull())
        return;
    m_cellStale = false;
    if (m_geometry.cellWidth <= 0 || m_geometry.cellHeight <= 0) {
        m_cellImage = QImage();
        return;
    }
    m_cellImage = QImage(m_geometry.cellWidth, m_geometry.cellHeight, QImage::Format_RGB32);
    m_cellImage.fill(m_background);
    QPainter p(&m_cellImage);
    p.setPen(Qt::NoPen);
    p.setBrush(QBrush(m_pattern)); // pattern origin at the cell's top-left corner
    for (const QPolygon& outline : m_geometry.outlines)
        if (!outline.isEmpty())
            p.drawPolygon(outline);
    ++m_cellBuilds;
}

void LedCellPainter::ensureLitSegments() const {
    if (!m_litStale)
        return;
    m_litStale = false;
    for (int i = 0; i < kLedSegmentCount; ++i) {
        const QPolygon& outline = m_geometry.outlines[i];
        LitSegment& segment = m_litSegments[i];
        segment = {};
        if (outline.isEmpty())
            continue;
        // The one-pixel outline makes a lit segment cover its unlit shape
        // entirely; it stays on the pixels of the outline's corners.
        const QRect bounds = outline.boundingRect();
        segment.at = bounds.topLeft();
        segment.picture = QImage(bounds.size(), QImage::Format_ARGB32_Premultiplied);
        segment.picture.fill(Qt::transparent);
        QPainter p(&segment.picture);
        p.setPen(QPen(m_active, 0));
        p.setBrush(m_active);
        p.drawPolygon(outline.translated(-bounds.topLeft()));
    }
}

// A lit cell is one copy of the unlit cell with its
// lit segments' pictures laid over it, a run of unlit cells on a line one fill
// tiled with the unlit cell, so that the blank phase of a flashing display
// costs a single fill. The widget's paint device is the window's off-screen
// buffer already, so nothing flickers.
void LedCellPainter::paint(QPainter& p, const QString& text, const QRect& area, const QRect& part,
                           bool lit) const {
    ensureCellImage();
    if (m_cellImage.isNull()) {
        p.fillRect(part, m_background);
        return;
    }
    ensureLitSegments();
    const int cw = m_geometry.cellWidth;
    const int ch = m_geometry.cellHeight;
    QRegion background(part);
    QRect unlitRun;
    auto fillUnlit = [&] {
        if (unlitRun.isEmpty())
            return;
        p.setBrushOrigin(area.topLeft());
        p.fillRect(unlitRun, QBrush(m_cellImage));
        background -= unlitRun;
        unlitRun = QRect();
    };
    int runLine = -1;
    forEachLedCell(text, [&](int line, int column, char32_t c) {
        const QRect cell(area.left() + column * cw, area.top() + line * ch, cw, ch);
        if (line != runLine) {
            fillUnlit();
            runLine = line;
        }
        if (!cell.intersects(part)) {
            fillUnlit();
            return;
        }
        const std::uint16_t mask = lit ? ledLitMask(c, m_geometry.horz, m_geometry.vert) : 0;
        if (mask == 0) {
            unlitRun = unlitRun.isEmpty() ? cell : unlitRun.united(cell);
            return;
        }
        fillUnlit();
        const QRect inCell = cell & part;
        p.drawImage(inCell.topLeft(), m_cellImage, inCell.translated(-cell.topLeft()));
        for (int i = 0; i < kLedSegmentCount; ++i) {
            const LitSegment& segment = m_litSegments[i];
            if (((mask >> i) & 1) == 0 || segment.picture.isNull())
                continue;
            const QRect at(cell.topLeft() + segment.at, segment.picture.size());
            if (at.intersects(part))
                p.drawImage(at.topLeft(), segment.picture);
        }
        background -= cell;
    });
    fillUnlit();
    for (const QRect& r : background)
        p.fillRect(r, m_background);
}

} // namespace qv
