#include "audio/SoundSystem.h"

#include "audio/AudioChannel.h"

#include <QResource>

namespace qv {

namespace {

// The built-in sounds in wave list order.
constexpr const char* kBuiltInSounds[] = {":/sounds/fanfare.wav", ":/sounds/beep.wav",
                                          ":/sounds/tick.wav", ":/sounds/longbeep.wav"};

} // namespace

SoundSystem::SoundSystem(QObject* parent)
    : SoundSystem(std::make_shared<AudioChannel>(), builtInClip, parent) {
    warmUp_ = QThread::create([this] {
        for (int i = 0; i < waveList_.Count(); ++i)
            waveList_.Items(i).Wave.Decoded();
        clips_->warmUp();
    });
    warmUp_->setObjectName(QStringLiteral("qv-sound-decoder"));
    warmUp_->start(QThread::LowestPriority);
}

SoundSystem::SoundSystem(std::shared_ptr<SoundChannel> channel, ClipLookup clips, QObject* parent)
    : QObject(parent), channel_(std::move(channel)),
      clips_(std::make_shared<ClipCache>(std::move(clips))), waveList_(*channel_) {
    for (const char* name : kBuiltInSounds) {
        const QResource res(QString::fromLatin1(name));
        waveList_.Add().Wave.LoadFromData(res.isValid() ? res.uncompressedData() : QByteArray());
    }
}

SoundSystem::~SoundSystem() {
    if (warmUp_) {
        warmUp_->wait();
        delete warmUp_;
    }
    // Announcements still speaking hold the channel; cutting the sound ends them.
    channel_->stop();
}

std::unique_ptr<SoundSystem> SoundSystem::createSilent() {
    return std::make_unique<SoundSystem>(std::make_shared<SilentChannel>());
}

void SoundSystem::DoSound(const QString& sound) {
    if (sound.size() == 1) {
        const char16_t c = sound.at(0).unicode();
        if (c >= u'0' && c <= u'3')
            waveList_.Items(c - u'0').Play();
        return;
    }
    channel_->playFileAsync(sound);
}

void SoundSystem::Announce(int shortForm, TTimeHMS time) {
    auto* thread = new TSpeakThread(shortForm, time, channel_, clips_);
    connect(thread, &QThread::finished, this, [this, thread] { ThreadDone(thread); });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}

void SoundSystem::ThreadDone(QObject*) {}

} // namespace qv
