#pragma once

#include "widgets/TLMDFormFill.h"

#include <QColor>
#include <QString>

class QWidget;

namespace qv {

// The background preferences; defaults are those of a first start.
struct BackgroundSettings {
    QColor BkgColor1 = QColor(0, 0, 255);
    QColor BkgColor2 = QColor(0, 0, 0);
    QString BkgBitmapFile;
    bool TiledBackground = false;
};

// Hands the background preferences to the painter. A picture that cannot be
// loaded is reported, and the gradient is used instead; TiledBackground is then
// cleared so that the broken choice is neither stored nor offered again.
// BkgBitmapFile is left as it is. The caller repaints its window afterwards.
void UpdateFormBkg(TLMDFormFill& fill, BackgroundSettings& prefs, QWidget* messageParent);

} // namespace qv
