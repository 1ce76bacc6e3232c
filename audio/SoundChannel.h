#pragma once

#include "audio/WavDecoder.h"

#include <QString>
#include <memory>

namespace qv {

// The program's one sound channel: one sound at a time, and every new request,
// from whichever thread, cuts the sound that is playing. Nothing here ever
// reports a failure to the user or logs; results are for the callers' logic.
class SoundChannel {
public:
    virtual ~SoundChannel() = default;

    // How many sound output devices the system offers (0 without a sound server).
    virtual int outputDeviceCount() const = 0;

    // Starts a decoded sound and returns at once; false when it cannot start
    // (no output device, nothing to play).
    virtual bool playAsync(std::shared_ptr<const PcmBuffer> pcm) = 0;

    // Plays a decoded sound and returns when it has been heard to its end (true),
    // or false when it was cut off by a newer request or could not start.
    virtual bool playSync(std::shared_ptr<const PcmBuffer> pcm) = 0;

    // Plays a WAV file by path: reading and decoding happen off the caller's
    // thread. A path where nothing exists plays the alert sound instead; a file
    // that cannot be played is silent.
    virtual void playFileAsync(const QString& path) = 0;

    // Cuts whatever plays.
    virtual void stop() = 0;
};

// A channel with no device: every play is refused at once. For tests of other
// layers and for running without sound.
class SilentChannel final : public SoundChannel {
public:
    int outputDeviceCount() const override { return 0; }
    bool playAsync(std::shared_ptr<const PcmBuffer>) override { return false; }
    bool playSync(std::shared_ptr<const PcmBuffer>) override { return false; }
    void playFileAsync(const QString&) override {}
    void stop() override {}
};

} // namespace qv
