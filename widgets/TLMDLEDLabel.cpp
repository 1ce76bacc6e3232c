#include "widgets/TLMDLEDLabel.h"

#include "widgets/LedAccessible.h"
#include "widgets/LedFlashFrames.h"

#include <QAccessible>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>
#include <cstdint>
#include <optional>

namespace qv {
namespace {

// Colours are plain RGB values; two colours that show the same are equal.
QColor opaque(const QColor& c) {
    return QColor::fromRgb(c.rgb() | 0xFF000000u);
}

qint64 pixelCount(const QRegion& region) {
    qint64 n = 0;
    for (const QRect& r : region)
        n += qint64(r.width()) * r.height();
    return n;
}

TLMDLED normalised(TLMDLED led) {
    led.Horzsize = std::clamp(led.Horzsize, 0, 255);
    led.Vertsize = std::clamp(led.Vertsize, 0, 255);
    led.Thickness = std::clamp(led.Thickness, 0, 255);
    led.ActiveColor = opaque(led.ActiveColor);
    led.InActiveColor = opaque(led.InActiveColor);
    return led;
}

TLMDBevel normalised(TLMDBevel b) {
    b.WidthOuter = std::max(b.WidthOuter, 0);
    b.LightColor = opaque(b.LightColor);
    b.ShadowColor = opaque(b.ShadowColor);
    b.BorderColor = opaque(b.BorderColor);
    return b;
}

// Widget sizes are limited; a caption of a million characters must not
// overflow the arithmetic on the way there.
int clampSize(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, 0, QWIDGETSIZE_MAX));
}

} // namespace

TLMDBevel timerLedBevel() {
    TLMDBevel b;
    b.StyleOuter = bvLowered;
    b.WidthOuter = 3;
    b.LightColor = QColor(153, 149, 130);
    b.ShadowColor = QColor(57, 56, 51);
    b.BorderColor = QColor(99, 91, 48);
    return b;
}

int TLMDBevel::width() const {
    return StyleOuter == bvNone ? 0 : std::max(WidthOuter, 0);
}

TLMDLEDLabel::TLMDLEDLabel(QWidget* parent)
    : QWidget(parent), m_flash(std::make_unique<LedFlashFrames>(*this)) {
    // Every pixel is painted by us, from one off-screen image.
    setAttribute(Qt::WA_OpaquePaintEvent);
    installLedAccessibility();
    m_geometry = computeLedGeometry(m_led.Horzsize, m_led.Vertsize, m_led.Thickness);
    m_cells.reshape(m_geometry);
    m_cells.setColours(m_led.ActiveColor, m_led.InActiveColor, m_color);
    m_textSize = measureLedText(m_caption);
}

TLMDLEDLabel::~TLMDLEDLabel() = default;

void TLMDLEDLabel::setCaption(const QString& text) {
    if (text == m_caption)
        return;
    const QString from = m_caption;
    m_caption = text;
    if (!text.trimmed().isEmpty() && text != m_readOut) {
        const QString before = m_readOut;
        m_readOut = text;
        // A screen reader reads the new time when the user asks; nothing is
        // spoken on its own. Without a reader these calls return at once.
        QAccessibleTextUpdateEvent event(this, 0, before, text);
        QAccessible::updateAccessibility(&event);
        QAccessibleValueChangeEvent value(this, text);
        QAccessible::updateAccessibility(&value);
    }
    m_textSize = measureLedText(m_caption);
    const QSize before = size();
    relayout();
    if (size() == before && isVisible() && m_flash->show(from))
        return;
    const std::optional<QRegion> changed =
        size() == before && !m_flash->screenAhead() ? changedCells(from, m_caption) : std::nullopt;
    if (!changed)
        refresh();
    else if (!changed->isEmpty() && isVisible())
        repaint(*changed);
}

// While a timer counts, one or two of the eight cells change each second, and
// in each only the segments that go on or off: only the box around those is
// composed and shown (a segment's outline and its one-pixel pen). Captions of
// one plain line and equal length only; anything else repaints whole (none).
std::optional<QRegion> TLMDLEDLabel::changedCells(const QString& from, const QString& to) const {
    if (from.size() != to.size())
        return std::nullopt;
    const int e = m_bevel.width();
    const QRect area = rect().adjusted(e, e, -e, -e);
    const bool lit = isEnabled() || !m_led.DisabledDigits;
    const auto shown = [&](QChar c) {
        return lit ? ledLitMask(c.unicode(), m_geometry.horz, m_geometry.vert) : std::uint16_t(0);
    };
    QRegion changed;
    for (qsizetype i = 0; i < to.size(); ++i) {
        if (from[i].unicode() < 32 || to[i].unicode() < 32 || from[i].isSurrogate() ||
            to[i].isSurrogate())
            return std::nullopt;
        const std::uint16_t toggled = shown(from[i]) ^ shown(to[i]);
        if (toggled == 0)
            continue;
        const QRect cell(area.left() + int(i) * m_geometry.cellWidth, area.top(),
                         m_geometry.cellWidth, m_geometry.cellHeight);
        QRect box;
        QRegion pieces;
        for (int s = 0; s < kLedSegmentCount; ++s)
            if (((toggled >> s) & 1) != 0 && !m_geometry.outlines[std::size_t(s)].isEmpty()) {
                const QRect r = m_geometry.outlines[std::size_t(s)]
                                    .boundingRect()
                                    .adjusted(-1, -1, 1, 1)
                                    .translated(cell.topLeft()) &
                                cell & area;
                box |= r;
                pieces += r;
            }
        // The box around the segments holds most of the cell for a change
        // such as 0 to 9, where the segments' own boxes hold a third of it.
        // Each rectangle more is a paint and a picture sent of its own, which
        // costs about what 3,000 pixels more do: large digits take the
        // pieces, small ones the box.
        constexpr qint64 kPixelsARectangleCosts = 3000;
        const qint64 saved = qint64(box.width()) * box.height() - pixelCount(pieces);
        if (saved > kPixelsARectangleCosts * (pieces.rectCount() - 1))
            changed += pieces;
        else
            changed += box;
    }
    return changed;
}

void TLMDLEDLabel::setLED(const TLMDLED& led) {
    const TLMDLED next = normalised(led);
    if (next == m_led)
        return;
    const bool shape = next.Horzsize != m_led.Horzsize || next.Vertsize != m_led.Vertsize ||
                       next.Thickness != m_led.Thickness;
    m_led = next;
    if (shape) {
        m_geometry = computeLedGeometry(m_led.Horzsize, m_led.Vertsize, m_led.Thickness);
        m_cells.reshape(m_geometry);
        relayout();
    }
    m_cells.setColours(m_led.ActiveColor, m_led.InActiveColor, m_color);
    refresh();
}

void TLMDLEDLabel::setHorzsize(int v) {
    TLMDLED next = m_led;
    next.Horzsize = v;
    setLED(next);
}

void TLMDLEDLabel::setVertsize(int v) {
    TLMDLED next = m_led;
    next.Vertsize = v;
    setLED(next);
}

void TLMDLEDLabel::setThickness(int v) {
    TLMDLED next = m_led;
    next.Thickness = v;
    setLED(next);
}

void TLMDLEDLabel::setActiveColor(const QColor& c) {
    TLMDLED next = m_led;
    next.ActiveColor = c;
    setLED(next);
}

void TLMDLEDLabel::setInActiveColor(const QColor& c) {
    TLMDLED next = m_led;
    next.InActiveColor = c;
    setLED(next);
}

void TLMDLEDLabel::setDisabledDigits(bool on) {
    TLMDLED next = m_led;
    next.DisabledDigits = on;
    setLED(next);
}

void TLMDLEDLabel::setAutoSize(bool on) {
    if (on == m_autoSize)
        return;
    m_autoSize = on;
    relayout();
}

void TLMDLEDLabel::setColor(const QColor& c) {
    const QColor next = opaque(c);
    if (next == m_color)
        return;
    m_color = next;
    m_cells.setColours(m_led.ActiveColor, m_led.InActiveColor, m_color);
    refresh();
}

void TLMDLEDLabel::setBevel(const TLMDBevel& b) {
    const TLMDBevel next = normalised(b);
    if (next == m_bevel)
        return;
    m_bevel = next;
    relayout();
    refresh();
}

QSize TLMDLEDLabel::sizeHint() const {
    const std::int64_t e = m_bevel.width();
    const std::int64_t w = std::int64_t(m_textSize.columns) * m_geometry.cellWidth + 2 * e + 1;
    const std::int64_t h = std::int64_t(m_textSize.lines) * m_geometry.cellHeight + 2 * e;
    return QSize(clampSize(w), clampSize(h));
}

// The caption changes every second while a timer runs, mostly without changing
// the size; a layout around the display is only told when the size changes.
void TLMDLEDLabel::relayout() {
    const QSize hint = sizeHint();
    if (hint != m_laidOutHint) {
        m_laidOutHint = hint;
        updateGeometry();
    }
    if (m_autoSize && size() != hint)
        resize(hint);
}

// The display is opaque and drawn in one copy, so it is repainted at once
// rather than at the window's next paint cycle.
void TLMDLEDLabel::refresh() {
    if (isVisible())
        repaint();
}

void TLMDLEDLabel::setScreenFrames(std::unique_ptr<ScreenFrames> frames) {
    m_flash->setFrames(std::move(frames));
}

void TLMDLEDLabel::drawBevel(QPainter& p) const {
    const int w = m_bevel.width();
    if (w <= 0)
        return;
    const QRect r = rect();
    const int L = r.left();
    const int Tp = r.top();
    const int R = r.left() + r.width(); // just outside
    const int B = r.top() + r.height();
    const bool raised = m_bevel.StyleOuter == bvRaised;
    const QColor light = raised ? m_bevel.ShadowColor : m_bevel.LightColor;
    const QColor shadow = raised ? m_bevel.LightColor : m_bevel.ShadowColor;

    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawPolygon(QPolygon({QPoint(L, B), QPoint(L + w, B - 1 - w), QPoint(R - w, B - 1 - w),
                            QPoint(R - w, Tp + w), QPoint(R, Tp), QPoint(R, B)}));
    p.setBrush(shadow);
    p.drawPolygon(QPolygon({QPoint(L, B - 1), QPoint(L + w, B - 1 - w), QPoint(L + w, Tp + w),
                            QPoint(R - w - 1, Tp + w), QPoint(R - 1, Tp), QPoint(L, Tp)}));
    p.restore();
}

void TLMDLEDLabel::paintTo(QPainter& p, const QRect& clip) const {
    const int e = m_bevel.width();
    const QRect area = rect().adjusted(e, e, -e, -e);
    // The cells that change each second, or all of them while the display
    // flashes, lie inside the frame: the bevel is left as it is.
    if (e > 0 && !area.contains(clip)) {
        // The two bevel polygons leave a diagonal seam of pixels at the corners
        // where they meet; being opaque, we must paint those too.
        const QRect r = rect();
        p.fillRect(QRect(r.left(), r.top(), r.width(), e), m_color);
        p.fillRect(QRect(r.left(), r.bottom() - e + 1, r.width(), e), m_color);
        p.fillRect(QRect(r.left(), r.top(), e, r.height()), m_color);
        p.fillRect(QRect(r.right() - e + 1, r.top(), e, r.height()), m_color);
        drawBevel(p);
    }
    if (area.isEmpty())
        return;
    const QRect part = area & clip;
    // In bands of fewer lines than Qt's raster engine hands to its thread
    // pool: for cells this small, waking the pool's threads on every flash
    // costs more than the copying they would share.
    constexpr int kBandLines = 64;
    for (int top = part.top(); top <= part.bottom(); top += kBandLines) {
        const QRect band = part & QRect(part.left(), top, part.width(), kBandLines);
        p.save();
        p.setClipRect(band, Qt::IntersectClip);
        m_cells.paint(p, m_caption, area, band, isEnabled() || !m_led.DisabledDigits);
        p.restore();
    }
}

QImage TLMDLEDLabel::render(qreal devicePixelRatio) const {
    QImage out(size() * devicePixelRatio, QImage::Format_RGB32);
    if (out.isNull())
        return out;
    out.setDevicePixelRatio(devicePixelRatio);
    out.fill(m_color);
    QPainter p(&out);
    paintTo(p, out.rect());
    return out;
}

void TLMDLEDLabel::paintEvent(QPaintEvent* event) {
    if (event->rect().contains(rect()))
        m_flash->bufferPainted();
    QPainter p(this);
    for (const QRect& r : event->region())
        paintTo(p, r);
}

} // namespace qv
