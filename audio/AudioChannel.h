#pragma once

#include "audio/SoundChannel.h"

#include <QByteArray>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

namespace qv {

// The sound channel on the sound server, through its client library's
// asynchronous API on a main loop thread of its own. One playback stream,
// opened at the first sound and kept, corked while nothing plays: a new sound
// is a flush and a write, never a new stream. The end of a sound comes from the
// server's timing of the stream (what it still holds plus the device's
// latency), asked once when the last data went over and once more when the
// sound should have ended; nothing polls.
//
// Latest request wins: each request takes a ticket when it is made; a request
// older than one already started is dropped (a file still being opened when a
// beep is asked for never plays after the beep).
//
// Without a server, or after it went away, the channel is silent, reports no
// output and prints nothing; it connects again on its own, retrying with a
// growing pause (at most kRetryMaxMs), and at once when a sound is asked for.
class AudioChannel final : public SoundChannel {
public:
    // Plays on the server's default output, or on the sink of the given name;
    // a sink by name that is gone plays nothing.
    explicit AudioChannel(const QByteArray& outputId = {});
    ~AudioChannel() override;

    // The sinks of the server; 0 while not connected. Asking while not
    // connected starts a connection at once.
    int outputDeviceCount() const override;
    bool playAsync(std::shared_ptr<const PcmBuffer> pcm) override;
    bool playSync(std::shared_ptr<const PcmBuffer> pcm) override;
    void playFileAsync(const QString& path) override;
    void stop() override;

    // Blocks until every request made so far has been heard to its end, cut off
    // or dropped; false when that takes longer than timeoutMs.
    bool waitUntilIdle(int timeoutMs);
    // Blocks until the channel is connected to a server with an output; false
    // after timeoutMs. For tests and tools: the program never waits for it.
    bool waitUntilConnected(int timeoutMs) const;

    // The sound played for a file that does not exist.
    std::shared_ptr<const PcmBuffer> alertSound() const { return m_alert; }

    // The longest pause between two attempts to reach the server.
    static constexpr int kRetryMaxMs = 2000;

    struct Engine;
    struct Completion;

private:
    void requestEnded();

    std::atomic<std::uint64_t> m_nextTicket{0};
    std::shared_ptr<const PcmBuffer> m_alert;

    std::mutex m_idleMutex;
    std::condition_variable m_idleCv;
    int m_outstanding = 0;

    std::unique_ptr<Engine> m_engine;
    QThread m_loaderThread;
    QObject* m_loader = nullptr;
};

} // namespace qv
