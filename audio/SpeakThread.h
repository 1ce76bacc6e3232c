#pragma once

#include "audio/SpeechPlan.h"
#include "audio/WavDecoder.h"

#include <QByteArray>
#include <QThread>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

namespace qv {

class SoundChannel;

// The WAV image of a clip by id, or an empty array when there is none.
using ClipLookup = std::function<QByteArray(int id)>;

// The clips built into the program (":/clips/<id>.wav"), without copying them.
QByteArray builtInClip(int id);

// The clips of a lookup, each decoded at its first use (or ahead, by warmUp) and
// kept in the output format, so that speaking costs no decoding. Safe from any
// thread.
class ClipCache {
public:
    explicit ClipCache(ClipLookup lookup) : m_lookup(std::move(lookup)) {}

    struct Clip {
        bool found = false;                   // the lookup has a clip of that id
        std::shared_ptr<const PcmBuffer> pcm; // null when found but not playable
    };
    Clip get(int id);

    // Every clip an announcement can speak.
    void warmUp();

private:
    std::mutex m_mutex;
    ClipLookup m_lookup;
    std::map<int, Clip> m_clips;
};

// One announcement: speaks its own copy of a time, clip after clip, each to its
// end, then ends. Created by SoundSystem::Announce, which frees it once it
// finished, and at shutdown asks it to stop (requestInterruption) and waits.
class TSpeakThread final : public QThread {
public:
    TSpeakThread(int shortForm, const TTimeHMS& time, std::shared_ptr<SoundChannel> channel,
                 ClipLookup clips = builtInClip);
    TSpeakThread(int shortForm, const TTimeHMS& time, std::shared_ptr<SoundChannel> channel,
                 std::shared_ptr<ClipCache> clips);
    ~TSpeakThread() override;

    const std::int32_t ShortForm;
    const std::int32_t Hours;
    const std::int32_t Minutes;
    const std::int32_t Seconds;

protected:
    void run() override { Execute(); }

private:
    // Walks the plan: a missing clip is skipped, a clip the channel refuses
    // (cut off by a newer sound, or no output) ends the announcement, and so
    // does a request to stop.
    void Execute();

    std::shared_ptr<SoundChannel> m_channel;
    std::shared_ptr<ClipCache> m_clips;
};

} // namespace qv
