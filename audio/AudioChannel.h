#pragma once

#include "audio/SoundChannel.h"

#include <QByteArray>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

class QMediaDevices;

namespace qv {

// The sound channel on the sound server's default output. One audio thread owns
// the output stream and starts, cuts and finishes sounds in the order requests
// were made; a loader thread reads and decodes files. Callers never wait for
// either, except a synchronous play, which waits for its own sound.
//
// Latest request wins: each request takes a ticket when it is made; the audio
// thread drops any request older than one it has already started (a file still
// being decoded when a beep is asked for never plays after the beep).
//
// Without a sound server every play is refused at once and nothing is printed.
class AudioChannel final : public SoundChannel {
public:
    // Reads the device list on the calling thread, which should be the program's
    // main thread (the media backend keeps its notifications there). Plays on
    // the server's default output, or on the output with the given id (for the
    // sound server, the sink's name); an output by id that is gone plays nothing.
    explicit AudioChannel(const QByteArray& outputId = {});
    ~AudioChannel() override;

    int outputDeviceCount() const override;
    bool playAsync(std::shared_ptr<const PcmBuffer> pcm) override;
    bool playSync(std::shared_ptr<const PcmBuffer> pcm) override;
    void playFileAsync(const QString& path) override;
    void stop() override;

    // Blocks until every request made so far has been heard to its end, cut off
    // or dropped; false when that takes longer than timeoutMs.
    bool waitUntilIdle(int timeoutMs);

    // The sound played for a file that does not exist.
    std::shared_ptr<const PcmBuffer> alertSound() const { return alert_; }

    class Engine;
    struct Completion;

private:
    void post(std::uint64_t ticket, std::shared_ptr<const PcmBuffer> pcm,
              std::shared_ptr<Completion> done);
    void requestEnded();

    std::atomic<std::uint64_t> nextTicket_{0};
    std::atomic<int> devices_{0};
    std::shared_ptr<const PcmBuffer> alert_;
    const QByteArray outputId_;

    std::mutex idleMutex_;
    std::condition_variable idleCv_;
    int outstanding_ = 0;

    QThread audioThread_;
    QThread loaderThread_;
    Engine* engine_ = nullptr;
    QObject* loader_ = nullptr;
    QMediaDevices* mediaDevices_ = nullptr;
};

} // namespace qv
