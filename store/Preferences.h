#pragma once

#include <QColor>
#include <QString>

namespace qv {

// The large read-out's colours until the user picks others: pure red segments,
// dark red unlit ones.
inline constexpr QColor kDefaultActiveLEDColor{255, 0, 0};
inline constexpr QColor kDefaultInactiveLEDColor{51, 0, 0};

// The main window's remembered preferences. The colours are kept as QColor in
// memory; the store converts them to and from the stored colour numbers (red in
// the low byte, blue in the third).
struct TPreferences {
    QColor ActiveLEDColor = kDefaultActiveLEDColor;
    QColor InactiveLEDColor = kDefaultInactiveLEDColor;
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
