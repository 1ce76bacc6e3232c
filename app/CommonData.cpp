#include "app/CommonData.h"

#include "audio/SoundSystem.h"

#include <QImage>

namespace qv {

TCommonData::TCommonData(std::unique_ptr<SoundSystem> sound)
    : m_sound(std::move(sound)), m_logo(renderLogo()) {
    TimerDB.createEmpty();
}

TCommonData::TCommonData() : TCommonData(nullptr) {}

TCommonData::~TCommonData() = default;

SoundSystem& TCommonData::Sound() {
    if (!m_sound)
        m_sound = std::make_unique<SoundSystem>();
    return *m_sound;
}

TLMDWaveList& TCommonData::WaveList() {
    return Sound().WaveList();
}

QPixmap TCommonData::renderLogo() {
    QImage image(QStringLiteral(":/resources/logo.png"));
    return QPixmap::fromImage(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

} // namespace qv
