#pragma once

#include <QColor>
#include <QString>

namespace qv {

// The main window's remembered preferences. The colours are kept as QColor in
// memory; the store converts them to and from the stored colour numbers (red in
// the low byte, blue in the third).
struct TPreferences {
    QColor ActiveLEDColor{255, 0, 0};
    QColor InactiveLEDColor{51, 0, 0};
    QColor BkgColor1{0, 0, 255};
    QColor BkgColor2{0, 0, 0};
    QString BkgBitmapFile;
    QString WindowGeometry; // the "LNumSettings" text as read
    int WindowStateCode = 0;
    int ActiveTimerIndex = 0;
    bool TiledBackground = false;
    bool SpaceResets = false;
};

} // namespace qv
