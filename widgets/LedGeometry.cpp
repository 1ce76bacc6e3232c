#include "widgets/LedGeometry.h"

#include <algorithm>

namespace qv {
namespace {

int clampByte(int v) {
    return std::clamp(v, 0, 255);
}

QPolygon horizontalBar(int x, int y, int t, int len) {
    return QPolygon({QPoint(x, y + t), QPoint(x + t, y), QPoint(x + t + len, y),
                     QPoint(x + len + 2 * t, y + t), QPoint(x + t + len, y + 2 * t),
                     QPoint(x + t, y + 2 * t)});
}

QPolygon verticalBar(int x, int y, int t, int len) {
    return QPolygon({QPoint(x + t, y), QPoint(x + 2 * t, y + t), QPoint(x + 2 * t, y + t + len),
                     QPoint(x + t, y + 2 * t + len), QPoint(x, y + t + len), QPoint(x, y + t)});
}

QPolygon diagonalBand(int x, int y, int dx, int dy, int s) {
    if (dx == 0 || dy == 0)
        return {};
    const int sx = dx < 0 ? -s : s;
    const int sy = dy < 0 ? -s : s;
    return QPolygon({QPoint(x, y), QPoint(x + sx, y), QPoint(x + dx, y + dy - sy),
                     QPoint(x + dx, y + dy), QPoint(x + dx - sx, y + dy), QPoint(x, y + sy)});
}

// The square sits one pixel above its anchor.
QPolygon squareDot(int x, int y, int side) {
    return QPolygon({QPoint(x + side, y - 1), QPoint(x + side, y + side - 1),
                     QPoint(x, y + side - 1), QPoint(x, y - 1), QPoint(x, y - 1),
                     QPoint(x, y - 1)});
}

} // namespace

int halfToEven(int x) {
    const int q = x / 2;
    if (x % 2 == 0)
        return q;
    return q % 2 == 0 ? q : q + 1;
}

LedCellGeometry computeLedGeometry(int horz, int vert, int thick) {
    LedCellGeometry g;
    const int H = clampByte(horz);
    const int V = clampByte(vert);
    const int T = clampByte(thick);
    g.horz = H;
    g.vert = V;
    g.thick = T;
    g.cellWidth = H + 5 * T;
    g.cellHeight = 2 * V + 7 * T;

    const int t = T / 2;
    const int M = (4 * T + H) / 2;
    const int s = halfToEven(T);              // T / 2, halves to even
    const int oneAndHalf = halfToEven(3 * T); // 1.5 T, halves to even

    auto& o = g.outlines;
    o[0] = horizontalBar(2 * T, T, t, H);
    o[1] = verticalBar(T, 2 * T, t, V);
    o[2] = verticalBar(3 * T + H, 2 * T, t, V);
    o[3] = horizontalBar(2 * T, 3 * T + V, t, H);
    o[4] = verticalBar(T, 4 * T + V, t, V);
    o[5] = verticalBar(3 * T + H, 4 * T + V, t, V);
    o[6] = horizontalBar(2 * T, 5 * T + 2 * V, t, H);
    o[7] = verticalBar(M, 2 * T, t, V);
    o[8] = verticalBar(M, 4 * T + V, t, V);
    o[9] = diagonalBand(M - t, 2 * T + V, T - H / 2, T - V, s);
    o[10] = diagonalBand(M + oneAndHalf, 2 * T + V, H / 2 - T, T - V, s);
    o[11] = diagonalBand(M - t, 5 * T + V, T - H / 2, V - T, s);
    o[12] = diagonalBand(M + oneAndHalf, 5 * T + V, H / 2 - T, V - T, s);
    o[13] = squareDot(M - 1, 3 * T + V, T);
    o[14] = squareDot(M - 1, T, T);
    o[15] = squareDot(M - 1, 5 * T + 2 * V, T);
    return g;
}

std::uint16_t ledCharMask(char32_t ch) {
    switch (ch) {
    case U'0':
        return 4727;
    case U'1':
        return 384;
    case U'2':
        return 93;
    case U'3':
        return 109;
    case U'4':
        return 46;
    case U'5':
        return 107;
    case U'6':
        return 123;
    case U'7':
        return 37;
    case U'8':
        return 127;
    case U'9':
        return 111;
    case U':':
        return 40960;
    default:
        return 0;
    }
}

std::uint16_t ledLitMask(char32_t ch, int horz, int vert) {
    const std::uint16_t mask = ledCharMask(ch);
    if (horz <= 3 || vert <= 3)
        return mask & 0x7F;
    return mask;
}

LedTextSize measureLedText(const QString& text) {
    LedTextSize size;
    int column = 0;
    for (char32_t ch : text.toUcs4()) {
        if (ch == 13) {
            ++size.lines;
            column = 0;
        } else if (ch >= 32) {
            ++column;
            size.columns = std::max(size.columns, column);
        }
    }
    return size;
}

} // namespace qv
