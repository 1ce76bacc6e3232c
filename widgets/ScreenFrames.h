#pragma once

#include <QImage>
#include <QPoint>
#include <memory>

class QWidget;

namespace qv {

// Pictures the display server keeps for one window and shows on request: each
// is handed over once, and showing it is then a copy on the server, with no
// repaint in the program and no picture sent again. The LED keeps the two
// phases of its flashing there. Pictures and positions are in device pixels,
// positions relative to the window.
class ScreenFrames {
public:
    virtual ~ScreenFrames() = default;

    // Keeps `picture` as picture `index` (0 or 1), in place of the one before;
    // false if the server cannot keep it.
    virtual bool keep(int index, const QImage& picture) = 0;
    // Shows picture `index` with its top left corner at `at`; false if it
    // cannot be shown.
    virtual bool show(int index, QPoint at) = 0;
};

// The display server's frames for `window`'s top-level window, or null where
// the platform keeps none (anywhere but X11, the offscreen platform included).
std::unique_ptr<ScreenFrames> screenFramesFor(QWidget* window);

} // namespace qv
