#pragma once

#include <QPolygon>
#include <QString>
#include <array>
#include <cstdint>

namespace qv {

inline constexpr int kLedSegmentCount = 16;

// One character cell of the segmented display: its size and the outline of each
// of its sixteen segments, in pixels from the cell's top-left corner. An empty
// outline is a segment that cannot be drawn at these dimensions.
struct LedCellGeometry {
    int horz = 0;
    int vert = 0;
    int thick = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    std::array<QPolygon, kLedSegmentCount> outlines;
};

// Dimensions are taken as bytes (0..255); values outside are clamped.
LedCellGeometry computeLedGeometry(int horz, int vert, int thick);

// x / 2 rounded to the nearest integer, an exact half going to the even
// neighbour; x must not be negative.
int halfToEven(int x);

// The segments a character lights, bit i for segment i; characters the display
// has no picture for light nothing.
std::uint16_t ledCharMask(char32_t ch);

// What is actually lit at these dimensions: below four pixels of flat length the
// centre bars, diagonals and dots would be unreadable specks, so only the seven
// outer bars remain.
std::uint16_t ledLitMask(char32_t ch, int horz, int vert);

// Lines and columns of a caption laid out into cells: a carriage return starts a
// new line, other characters below 32 take no cell, everything else one cell.
// Never less than one line and one column.
struct LedTextSize {
    int lines = 1;
    int columns = 1;
};

LedTextSize measureLedText(const QString& text);

// Calls f(line, column, character) for every cell of the caption, in order.
template <typename F>
void forEachLedCell(const QString& text, F&& f) {
    int line = 0;
    int column = 0;
    for (char32_t ch : text.toUcs4()) {
        if (ch == 13) {
            ++line;
            column = 0;
        } else if (ch >= 32) {
            f(line, column, ch);
            ++column;
        }
    }
}

} // namespace qv
