#include "app/CommonData.h"

#include "audio/SoundSystem.h"

#include <QPainter>
#include <QSvgRenderer>

namespace qv {

TCommonData::TCommonData(std::unique_ptr<SoundSystem> sound)
    : m_sound(sound ? std::move(sound) : std::make_unique<SoundSystem>()), m_logo(renderLogo()) {
    TimerDB.createEmpty();
}

TCommonData::TCommonData() : TCommonData(nullptr) {}

TCommonData::~TCommonData() = default;

TLMDWaveList& TCommonData::WaveList() {
    return m_sound->WaveList();
}

QPixmap TCommonData::renderLogo() {
    QImage image(kLogoWidth, kLogoHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer svg(QStringLiteral(":/resources/logo.svg"));
    QPainter painter(&image);
    svg.render(&painter, QRectF(0, 0, kLogoWidth, kLogoHeight));
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace qv
