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
    m_warmUp = QThread::create([this] {
        for (int i = 0; i < m_waveList.Count(); ++i)
            m_waveList.Items(i).Wave.Decoded();
        m_clips->warmUp();
    });
    m_warmUp->setObjectName(QStringLiteral("qv-sound-decoder"));
    m_warmUp->start(QThread::LowestPriority);
}

SoundSystem::SoundSystem(std::shared_ptr<SoundChannel> channel, ClipLookup clips, QObject* parent)
    : QObject(parent), m_channel(std::move(channel)),
      m_clips(std::make_shared<ClipCache>(std::move(clips))), m_waveList(*m_channel) {
    for (const char* name : kBuiltInSounds) {
        const QResource res(QString::fromLatin1(name));
        m_waveList.Add().Wave.LoadFromData(res.isValid() ? res.uncompressedData() : QByteArray());
    }
}

SoundSystem::~SoundSystem() {
    if (m_warmUp) {
        m_warmUp->wait();
        delete m_warmUp;
    }
    // An announcement between two clips would start the next one after a single
    // cut: each is asked to stop, and the sound is cut until it has.
    for (TSpeakThread* thread : m_speaking)
        thread->requestInterruption();
    for (TSpeakThread* thread : m_speaking) {
        do
            m_channel->stop();
        while (!thread->wait(20));
        delete thread;
    }
    m_channel->stop();
}

std::unique_ptr<SoundSystem> SoundSystem::createSilent() {
    return std::make_unique<SoundSystem>(std::make_shared<SilentChannel>());
}

void SoundSystem::DoSound(const QString& sound) {
    if (sound.size() == 1) {
        const char16_t c = sound.at(0).unicode();
        if (c >= u'0' && c <= u'3')
            m_waveList.Items(c - u'0').Play();
        return;
    }
    m_channel->playFileAsync(sound);
}

void SoundSystem::Announce(int shortForm, TTimeHMS time) {
    auto* thread = new TSpeakThread(shortForm, time, m_channel, m_clips);
    m_speaking.insert(thread);
    connect(thread, &QThread::finished, this, [this, thread] {
        m_speaking.erase(thread);
        delete thread; // its destructor waits for the last moment of its run
    });
    thread->start();
}

} // namespace qv
