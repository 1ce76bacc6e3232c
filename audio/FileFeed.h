#pragma once

#include "audio/SoundSource.h"
#include "audio/WavDecoder.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace qv {

// A thread of its own for the sound files: opening, reading and decoding them
// never happens on the window's thread, nor on the sound server's main loop
// thread, whose lock the window's thread takes to hand over a sound. Tasks run in
// the order they were posted; those still waiting when it is destroyed are
// dropped.
class SoundLoader {
public:
    SoundLoader();
    ~SoundLoader();
    SoundLoader(const SoundLoader&) = delete;
    SoundLoader& operator=(const SoundLoader&) = delete;

    void post(std::function<void()> task);

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<std::function<void()>> m_tasks;
    bool m_stopping = false;
    std::thread m_thread;
};

// A file being played: decoded on the loader's thread a little ahead of the
// stream, which takes what is ready. As the stream drains it, more is asked for.
class FileFeed {
public:
    // How much is decoded ahead of what the stream took.
    static constexpr std::size_t kAheadFrames = kOutputRate; // one second

    explicit FileFeed(std::unique_ptr<SoundDecoder> decoder) : m_decoder(std::move(decoder)) {}

    // On the loader's thread: decodes until kAheadFrames are ready or the file
    // ended. False when nothing was added (dropped, or already ended).
    bool decodeAhead();

    // On the stream's side. take sets *wantMore when the feed runs low and no
    // decoding was asked for since; the caller then asks for it.
    std::size_t take(std::int16_t* out, std::size_t maxFrames, bool* wantMore);
    bool exhausted() const;
    // The sound was cut: decoding stops, the file is closed.
    void drop();
    bool dropped() const { return m_dropped.load(); }

private:
    mutable std::mutex m_mutex;
    std::vector<std::int16_t> m_ready; // decoded, from m_readPos on not yet taken
    std::size_t m_readPos = 0;
    bool m_ended = false;
    bool m_asked = false;
    std::atomic<bool> m_dropped{false};
    std::unique_ptr<SoundDecoder> m_decoder; // the loader's thread only
};

// The stream's view of a feed; asking for more is the caller's (the loader).
class FeedSource final : public SoundSource {
public:
    FeedSource(std::shared_ptr<FileFeed> feed, std::function<void()> askMore)
        : m_feed(std::move(feed)), m_askMore(std::move(askMore)) {}
    ~FeedSource() override { m_feed->drop(); }

    std::size_t read(std::int16_t* out, std::size_t maxFrames) override;
    bool exhausted() const override { return m_feed->exhausted(); }
    std::size_t firstWrite() const override;

private:
    std::shared_ptr<FileFeed> m_feed;
    std::function<void()> m_askMore;
};

} // namespace qv
