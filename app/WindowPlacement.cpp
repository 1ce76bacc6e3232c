#include "app/WindowPlacement.h"

#include "store/PreferencesStore.h"

namespace qv::placement {

GeometryPlan planGeometry(const QString& windowGeometry) {
    GeometryPlan plan;
    if (windowGeometry.left(8) == QLatin1String("00000000")) {
        plan.centreDefault = true;
        return plan;
    }
    std::optional<int>* fields[] = {&plan.width, &plan.height, &plan.top, &plan.left};
    for (int i = 0; i < 4; ++i) {
        const auto v = prefs::parseGroup(windowGeometry.mid(i * 4, 4));
        if (!v)
            break;
        *fields[i] = *v;
    }
    return plan;
}

std::pair<int, int> centredTopLeft(int screenWidth, int screenHeight, int width, int height) {
    return {screenHeight / 2 - height / 2, screenWidth / 2 - width / 2};
}

} // namespace qv::placement
