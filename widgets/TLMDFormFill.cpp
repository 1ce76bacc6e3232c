#include "widgets/TLMDFormFill.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace qv {
namespace {

// The BMP reader accepts a file whose pixel data stops early and makes up the
// missing rows, so a truncated file would show as a picture. Uncompressed data
// has a known length; check that the file holds all of it.
bool bmpDataComplete(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(14 + 40);
    if (head.size() < 14 + 12)
        return false;
    auto u16 = [&](int at) { return quint32(uchar(head[at])) | quint32(uchar(head[at + 1])) << 8; };
    auto u32 = [&](int at) { return u16(at) | u16(at + 2) << 16; };
    const qint64 offset = u32(10);
    qint64 width = 0;
    qint64 height = 0;
    qint64 bitsPerPixel = 0;
    quint32 compression = 0;
    if (u32(14) == 12) { // the old core header: 16-bit sizes
        width = u16(18);
        height = u16(20);
        bitsPerPixel = u16(24);
    } else {
        if (head.size() < 14 + 20)
            return false;
        width = qint32(u32(18));
        height = qint32(u32(22));
        bitsPerPixel = u16(28);
        compression = u32(30);
    }
    width = qAbs(width);
    height = qAbs(height);
    if (width > TLMDFormFill::kMaxBitmapSide || height > TLMDFormFill::kMaxBitmapSide)
        return false;
    const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
    if (!uncompressed) // run-length data has no fixed length
        return offset < file.size();
    const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    return offset + rowBytes * height <= file.size();
}

} // namespace

qint64 nearestAwayFromZero(qint64 n, qint64 d) {
    const qint64 magnitude = n < 0 ? -n : n;
    const qint64 q = (2 * magnitude + d) / (2 * d);
    return n < 0 ? -q : q;
}

void TLMDFormFill::setGradient(const QColor& first, const QColor& last, int colorCount) {
    const QColor f = QColor::fromRgb(first.rgb());
    const QColor l = QColor::fromRgb(last.rgb());
    const int n = std::clamp(colorCount, 1, 255);
    if (m_style == Style::Gradient && f == m_first && l == m_last && n == m_colorCount)
        return;
    m_style = Style::Gradient;
    m_first = f;
    m_last = l;
    m_colorCount = n;
    m_stale = true;
}

bool TLMDFormFill::setBitmapFile(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return false;
    QImageReader reader(path);
    const QSize declared = reader.size();
    if (declared.isValid() &&
        (declared.width() > kMaxBitmapSide || declared.height() > kMaxBitmapSide ||
         qint64(declared.width()) * declared.height() > kMaxBitmapPixels))
        return false;
    if (reader.format() == "bmp" && !bmpDataComplete(path))
        return false;
    QImage picture = reader.read();
    if (picture.isNull() || picture.width() > kMaxBitmapSide || picture.height() > kMaxBitmapSide ||
        qint64(picture.width()) * picture.height() > kMaxBitmapPixels)
        return false;
    m_bitmap = picture.convertToFormat(
        picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    m_style = Style::Bitmap;
    m_stale = true;
    return true;
}

QImage TLMDFormFill::image(const QSize& clientSize) {
    if (clientSize.isEmpty())
        return QImage();
    QImage out(clientSize, QImage::Format_RGB32);
    if (out.isNull())
        return out; // could not allocate
    QPainter p(&out);
    paint(p, out.rect());
    return out;
}

void TLMDFormFill::paint(QPainter& p, const QRect& clientRect, const QRect& exposed) {
    const QRect part = exposed.isNull() ? clientRect : clientRect & exposed;
    if (part.isEmpty())
        return;
    if (m_style == Style::Bitmap) {
        // Whatever a picture with transparency lets through is the window's black.
        if (m_bitmap.isNull() || m_bitmap.hasAlphaChannel())
            p.fillRect(part, Qt::black);
        if (m_bitmap.isNull())
            return;
        p.setBrushOrigin(clientRect.topLeft());
        p.fillRect(part, QBrush(m_bitmap));
        return;
    }
    for (const Band& band : bands(clientRect.height())) {
        const QRect r = QRect(clientRect.left(), clientRect.top() + band.top, clientRect.width(),
                              band.bottom - band.top) &
                        part;
        if (!r.isEmpty())
            p.fillRect(r, QColor::fromRgb(band.colour));
    }
}

const std::vector<TLMDFormFill::Band>& TLMDFormFill::bands(int height) {
    if (!m_stale && height == m_bandsHeight)
        return m_bands;
    m_stale = false;
    m_bandsHeight = height;
    ++m_renderCount;
    m_bands.clear();
    const int n = m_colorCount;
    auto channel = [n](int first, int last, int i) {
        if (n == 1)
            return first;
        return first + int(nearestAwayFromZero(qint64(i) * (last - first), n - 1));
    };
    for (int i = 0; i < n; ++i) {
        const int top = int(nearestAwayFromZero(qint64(i) * height, n));
        const int bottom = int(nearestAwayFromZero(qint64(i + 1) * height, n));
        if (bottom > top)
            m_bands.push_back({top, bottom,
                               qRgb(channel(m_first.red(), m_last.red(), i),
                                    channel(m_first.green(), m_last.green(), i),
                                    channel(m_first.blue(), m_last.blue(), i))});
    }
    return m_bands;
}

} // namespace qv
