#include "widgets/FormBackground.h"

#include "widgets/MessageBox.h"

#include <QCoreApplication>

namespace qv {

namespace {
constexpr int kGradientColours = 100;
}

void UpdateFormBkg(TLMDFormFill& fill, BackgroundSettings& prefs, QWidget* messageParent) {
    if (prefs.TiledBackground) {
        if (fill.setBitmapFile(prefs.BkgBitmapFile))
            return;
        MessageBox::error(messageParent, QCoreApplication::translate(
                                             "qv::FormBackground",
                                             "The gradient bitmap file could not be found!"));
        prefs.TiledBackground = false;
    }
    fill.setGradient(prefs.BkgColor1, prefs.BkgColor2, kGradientColours);
}

} // namespace qv
