#include "app/CommonData.h"

#include "app/SoundModule.h"

#include <QCoreApplication>
#include <QImage>

namespace qv {

TCommonData::TCommonData(std::unique_ptr<SoundPlayer> sound)
    : m_sound(std::move(sound)), m_logo(renderLogo()) {
    TimerDB.createEmpty();
}

TCommonData::TCommonData() : TCommonData(nullptr) {}

TCommonData::~TCommonData() = default;

SoundPlayer& TCommonData::Sound() {
    if (!m_sound) {
        QString error;
        m_sound =
            loadSoundPlayer(soundModuleCandidates(QCoreApplication::applicationDirPath()), &error);
        if (!m_sound) {
            qWarning("Quorvantel plays no sound: %s", qUtf8Printable(error));
            m_sound = std::make_unique<SilentPlayer>();
        }
    }
    return *m_sound;
}

QPixmap TCommonData::renderLogo() {
    QImage image(QStringLiteral(":/resources/logo.png"));
    return QPixmap::fromImage(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

} // namespace qv
