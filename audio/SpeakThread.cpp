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

TSpeakThread::TSpeakThread(int shortForm, const TTimeHMS& time,
                           std::shared_ptr<SoundChannel> channel, ClipLookup clips)
    : ShortForm(shortForm), Hours(time.Hours), Minutes(time.Minutes), Seconds(time.Seconds),
      channel_(std::move(channel)), clips_(std::move(clips)) {
    ++live_;
}

TSpeakThread::~TSpeakThread() {
    wait(); // never freed while its body runs
    --live_;
}

void TSpeakThread::Execute() {
    const SpeechPlan plan = makeSpeechPlan(ShortForm, {Hours, Minutes, Seconds});
    for (int id : planClips(plan)) {
        const QByteArray image = clips_(id);
        if (image.isEmpty())
            continue;
        if (!channel_->playImageSync(image))
            return;
    }
}

} // namespace qv
