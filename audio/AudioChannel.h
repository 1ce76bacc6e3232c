#pragma once

#include "audio/SoundChannel.h"

#include <QByteArray>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

namespace qv {

class SoundLoader;

// The sound channel on the sound server, through its client library's
// asynchronous API on a main loop thread of its own: a connection to the server
// (ServerConnection), one playback stream on it (PlaybackStream), and files read
// on a loader thread ahead of the stream (SoundLoader).
//
// Nothing here makes the caller wait for the server: the connection is made in
// the background. A sound asked for before the first attempt has had its outcome
// is held and played once connected, or dropped when there is no server or none
// answers within kHoldForServerMs.
//
// Latest request wins: each request takes a ticket when it is made; a request
// older than one already started is dropped (a file still being opened when a
// beep is asked for never plays after the beep).
//
// Without a server, or after it went away, the channel is silent, reports no
// output and prints nothing; it connects again on its own, with a growing pause
// between attempts, and at once when a sound is asked for.
class AudioChannel final : public SoundChannel {
public:
    // Plays on the server's default output, or on the sink of the given name;
    // a sink by name that is gone plays nothing.
    explicit AudioChannel(const QByteArray& outputId = {});
    ~AudioChannel() override;

    // The sinks of the server; 0 while not connected, 1 (the default output,
    // where a sound is held for) until the first attempt has had its outcome.
    // Asking while not connected starts an attempt at once.
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

    // How long a sound asked for while the first connection is being made waits
    // for it.
    static constexpr int kHoldForServerMs = 1000;

private:
    struct Engine;
    struct Request;
    void submit(Request r);
    void requestEnded();

    std::atomic<std::uint64_t> m_nextTicket{0};
    std::shared_ptr<const PcmBuffer> m_alert;

    std::mutex m_idleMutex;
    std::condition_variable m_idleCv;
    int m_outstanding = 0;

    std::unique_ptr<Engine> m_engine;
    std::unique_ptr<SoundLoader> m_loader;
};

} // namespace qv
