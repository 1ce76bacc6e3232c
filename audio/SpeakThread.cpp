#include "audio/SpeakThread.h"

#include "audio/SoundChannel.h"

#include <QResource>

namespace qv {

QByteArray builtInClip(int id) {
    const QResource clip(QStringLiteral(":/clips/%1.wav").arg(id));
    if (!clip.isValid())
        return {};
    return clip.uncompressedData();
}

ClipCache::Clip ClipCache::get(int id) {
    std::lock_guard lock(m_mutex);
    auto it = m_clips.find(id);
    if (it == m_clips.end()) {
        const QByteArray image = m_lookup(id);
        Clip clip;
        clip.found = !image.isEmpty();
        if (clip.found)
            clip.pcm = decodeWav(image);
        it = m_clips.emplace(id, std::move(clip)).first;
    }
    return it->second;
}

void ClipCache::warmUp() {
    for (int id = 1; id <= 20; ++id)
        get(id);
    for (int id : {30, 40, 50, 101, 102, 103, 104, 105, 106, 107})
        get(id);
}

TSpeakThread::TSpeakThread(int shortForm, const TTimeHMS& time,
                           std::shared_ptr<SoundChannel> channel, ClipLookup clips)
    : TSpeakThread(shortForm, time, std::move(channel),
                   std::make_shared<ClipCache>(std::move(clips))) {}

TSpeakThread::TSpeakThread(int shortForm, const TTimeHMS& time,
                           std::shared_ptr<SoundChannel> channel, std::shared_ptr<ClipCache> clips)
    : ShortForm(shortForm), Hours(time.Hours), Minutes(time.Minutes), Seconds(time.Seconds),
      m_channel(std::move(channel)), m_clips(std::move(clips)) {}

TSpeakThread::~TSpeakThread() {
    wait(); // never freed while its body runs
}

void TSpeakThread::Execute() {
    const SpeechPlan plan = makeSpeechPlan(ShortForm, {Hours, Minutes, Seconds});
    for (int id : planClips(plan)) {
        if (isInterruptionRequested())
            return;
        const ClipCache::Clip clip = m_clips->get(id);
        if (!clip.found)
            continue;
        if (!clip.pcm || m_channel->outputDeviceCount() == 0 || !m_channel->playSync(clip.pcm))
            return;
    }
}

} // namespace qv
