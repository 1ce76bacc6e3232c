#include "app/CommonData.h"

#include "app/SoundModule.h"

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>

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
    // Read as the PNG it is: left to guess, the reader would first load every
    // image format plugin and ask each of them, which is a good part of the
    // start-up before the window.
    QImageReader reader(QStringLiteral(":/resources/logo.png"), "png");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    return QPixmap::fromImage(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

} // namespace qv
