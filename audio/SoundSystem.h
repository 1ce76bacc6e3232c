#pragma once

#include "audio/SoundChannel.h"
#include "audio/SoundPlayer.h"
#include "audio/SpeakThread.h"
#include "audio/WaveList.h"
#include "core/TimerRecord.h"

#include <QObject>
#include <QString>
#include <QThread>
#include <memory>
#include <set>

namespace qv {

// Everything the program plays: the one sound channel, the four built-in sounds
// ("0" fanfare, "1" beep, "2" tick, "3" long beep), custom WAV files, and the
// spoken time. Built-in sounds and clips are decoded once, at their first use;
// the program's own system decodes them all ahead on a background thread, so
// that neither start-up nor the first sound waits. Lives on the user-interface
// thread. It keeps the announcements that still speak, so that none outlives
// it: its end cuts the sound and waits for them.
class SoundSystem : public QObject, public SoundPlayer {
public:
    // Plays on the sound server's default output.
    explicit SoundSystem(QObject* parent = nullptr);
    // Plays through the given channel; clips come from the lookup.
    SoundSystem(std::shared_ptr<SoundChannel> channel, ClipLookup clips = builtInClip,
                QObject* parent = nullptr);
    ~SoundSystem() override;

    // One that never opens a device.
    static std::unique_ptr<SoundSystem> createSilent();

    TLMDWaveList& WaveList() { return m_waveList; }
    SoundChannel& Channel() { return *m_channel; }

    // One character "0" to "3" plays that built-in sound from memory; any other
    // single character does nothing; every other string, the empty one too, is
    // the path of a WAV file, read and decoded off this thread. Returns at once.
    void DoSound(const QString& sound) override;

    // Starts an announcement of a copy of the time and returns at once.
    void Announce(int shortForm, TTimeHMS time) override;

    // Announcements started and not yet freed; one is freed on this object's
    // thread after it finished.
    int announcementsAlive() const { return static_cast<int>(m_speaking.size()); }

private:
    std::shared_ptr<SoundChannel> m_channel;
    std::shared_ptr<ClipCache> m_clips;
    TLMDWaveList m_waveList;
    QThread* m_warmUp = nullptr;
    std::set<TSpeakThread*> m_speaking;
};

} // namespace qv
