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
    const QByteArray& Data() const { return data_; }
    qint64 Size() const { return data_.size(); }
    // The decoded sound (decoded now if it was not yet); null when empty or not
    // a playable WAV. Safe from any thread.
    std::shared_ptr<const PcmBuffer> Decoded() const;

private:
    QByteArray data_;
    mutable std::mutex m_;
    mutable bool decodedOnce_ = false;
    mutable std::shared_ptr<const PcmBuffer> decoded_;
};

class TLMDWaveList;

class TLMDWaveListItem {
public:
    explicit TLMDWaveListItem(TLMDWaveList& owner) : owner_(owner) {}

    int Ident = 0; // kept for the record; entries are found by position
    TLMDWave Wave;

    // Starts the sound asynchronously, default alert suppressed: an image that
    // cannot be played is silent. True when playback started.
    bool Play() const;

private:
    TLMDWaveList& owner_;
};

// The built-in sounds, addressed by position.
class TLMDWaveList {
public:
    explicit TLMDWaveList(SoundChannel& channel) : channel_(channel) {}
    TLMDWaveList(const TLMDWaveList&) = delete;
    TLMDWaveList& operator=(const TLMDWaveList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    TLMDWaveListItem& Items(int index) { return items_.at(static_cast<std::size_t>(index)); }
    const TLMDWaveListItem& Items(int index) const {
        return items_.at(static_cast<std::size_t>(index));
    }
    TLMDWaveListItem& Add();
    SoundChannel& Channel() const { return channel_; }

private:
    SoundChannel& channel_;
    std::deque<TLMDWaveListItem> items_; // stable addresses as entries are added
};

} // namespace qv
