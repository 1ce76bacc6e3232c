#pragma once

#include <QColor>
#include <QPalette>

namespace qv {

// The fixed colours of the windows (black on white, a blue link) were chosen
// for light palettes; on a dark one the palette's own colours stay readable.
inline bool isDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Window).lightnessF() < 0.5;
}

} // namespace qv
