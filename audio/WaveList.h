#pragma once

#include "audio/WavDecoder.h"

#include <QByteArray>
#include <deque>
#include <memory>
#include <mutex>

namespace qv {

class SoundChannel;

// One complete WAV image held in memory. It is decoded once, at its first play
// or ahead of it in the background, and played from memory from then on: no
// file access and no decoding at play time. Load it before it is shared with
// other threads.
class TLMDWave {
public:
    void LoadFromData(const QByteArray& image);
    const QByteArray& Data() const { return m_data; }
    qint64 Size() const { return m_data.size(); }
    // The decoded sound (decoded now if it was not yet); null when empty or not
    // a playable WAV. Safe from any thread; no lock is held while decoding.
    std::shared_ptr<const PcmBuffer> Decoded() const;

private:
    QByteArray m_data;
    mutable std::mutex m_mutex;
    mutable bool m_decodedOnce = false;
    mutable std::shared_ptr<const PcmBuffer> m_decoded;
};

class TLMDWaveList;

class TLMDWaveListItem {
public:
    explicit TLMDWaveListItem(TLMDWaveList& owner) : m_owner(owner) {}

    TLMDWave Wave;

    // Starts the sound asynchronously, default alert suppressed: an image that
    // cannot be played is silent. True when playback started.
    bool Play() const;

private:
    TLMDWaveList& m_owner;
};

// The built-in sounds, addressed by position.
class TLMDWaveList {
public:
    explicit TLMDWaveList(SoundChannel& channel) : m_channel(channel) {}
    TLMDWaveList(const TLMDWaveList&) = delete;
    TLMDWaveList& operator=(const TLMDWaveList&) = delete;

    int Count() const { return static_cast<int>(m_items.size()); }
    TLMDWaveListItem& Items(int index) { return m_items.at(static_cast<std::size_t>(index)); }
    const TLMDWaveListItem& Items(int index) const {
        return m_items.at(static_cast<std::size_t>(index));
    }
    TLMDWaveListItem& Add();
    SoundChannel& Channel() const { return m_channel; }

private:
    SoundChannel& m_channel;
    std::deque<TLMDWaveListItem> m_items; // stable addresses as entries are added
};

} // namespace qv
