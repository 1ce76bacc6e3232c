#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace qv::placement {

// The main window's sizes: as designed (its client area, and where it stood),
// the least it may shrink to, and the size a first start opens at, centred.
inline constexpr int kDesignWidth = 605;
inline constexpr int kDesignHeight = 371;
inline constexpr int kDesignLeft = 413;
inline constexpr int kDesignTop = 334;
inline constexpr int kMinWidth = 450;
inline constexpr int kMinHeight = 350;
inline constexpr int kDefaultWidth = 550;
inline constexpr int kDefaultHeight = 400;

// Where the window goes at its first showing, from the stored window
// geometry text (four groups of four digits: width, height, top, left). Each
// field is set only while the groups before it could be read.
struct GeometryPlan {
    bool centreDefault = false; // kDefaultWidth x kDefaultHeight, centred on the screen
    std::optional<int> width;
    std::optional<int> height;
    std::optional<int> top;
    std::optional<int> left;
};

GeometryPlan planGeometry(const QString& windowGeometry);

// Top and left that centre a window of this size on a screen of that size.
std::pair<int, int> centredTopLeft(int screenWidth, int screenHeight, int width, int height);

} // namespace qv::placement
