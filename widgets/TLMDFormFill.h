#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

class QPainter;

namespace qv {

// Paints a window's background: a vertical gradient of evenly stepped colour
// bands, or a picture tiled from the top-left corner. Nothing of the window's
// size is kept: the gradient is a table of bands worked out once for the
// client area's height (a strip, reused until the height or the description
// changes) and filled band by band, the picture is tiled straight into the
// window, and only the part a paint exposes is drawn.
class TLMDFormFill {
public:
    enum class Style { Gradient, Bitmap };

    // Largest picture accepted, so that a forged header cannot make us reserve
    // gigabytes before a single pixel is read.
    static constexpr int kMaxBitmapSide = 32767;
    static constexpr qint64 kMaxBitmapPixels = 32LL * 1024 * 1024;

    // Selects the gradient: first colour at the top, last at the bottom, in
    // colorCount bands (clamped to 1..255).
    void setGradient(const QColor& first, const QColor& last, int colorCount = 100);
    // Selects the tiled picture loaded from path. False, with nothing changed,
    // when the file cannot be read as a picture of acceptable size.
    bool setBitmapFile(const QString& path);

    Style style() const { return m_style; }
    QColor firstColor() const { return m_first; }
    QColor lastColor() const { return m_last; }
    int colorCount() const { return m_colorCount; }
    const QImage& bitmap() const { return m_bitmap; }

    // The fill of a client area of clientSize, as a paint shows it.
    QImage image(const QSize& clientSize);
    // Paints the part of clientRect inside exposed (all of it when exposed is
    // null) as the client area's background.
    void paint(QPainter& p, const QRect& clientRect, const QRect& exposed = QRect());

    // How often the band table was worked out: once for each height and
    // description painted.
    int renderCount() const { return m_renderCount; }

private:
    struct Band {
        int top;
        int bottom; // just below
        QRgb colour;
    };
    const std::vector<Band>& bands(int height);

    Style m_style = Style::Gradient;
    QColor m_first = QColor(0, 0, 255);
    QColor m_last = QColor(0, 0, 0);
    int m_colorCount = 16;
    QImage m_bitmap;

    std::vector<Band> m_bands;
    int m_bandsHeight = -1;
    bool m_stale = true;
    int m_renderCount = 0;
};

// n / d rounded to the nearest integer, exact halves away from zero; d > 0.
qint64 nearestAwayFromZero(qint64 n, qint64 d);

} // namespace qv
