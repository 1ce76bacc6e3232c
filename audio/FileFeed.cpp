#include "audio/FileFeed.h"

#include <pthread.h>

namespace qv {

namespace {
// One decoding step: short enough that a cut stops the decoding soon.
constexpr std::size_t kStepFrames = kOutputRate / 10;
} // namespace

SoundLoader::SoundLoader() : m_thread([this] { run(); }) {
    pthread_setname_np(m_thread.native_handle(), "qv-sound-loader");
}

SoundLoader::~SoundLoader() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_cv.notify_all();
    m_thread.join();
}

void SoundLoader::post(std::function<void()> task) {
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping)
            return;
        m_tasks.push_back(std::move(task));
    }
    m_cv.notify_one();
}

void SoundLoader::run() {
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(m_mutex);
            m_cv.wait(lock, [this] { return m_stopping || !m_tasks.empty(); });
            if (m_stopping)
                return;
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        task();
    }
}

bool FileFeed::decodeAhead() {
    bool added = false;
    std::vector<std::int16_t> step(kStepFrames * kOutputChannels);
    for (;;) {
        {
            std::lock_guard lock(m_mutex);
            m_asked = false;
            if (m_ended || m_dropped ||
                m_ready.size() - m_readPos >= kAheadFrames * kOutputChannels)
                break;
        }
        // The file is read outside the lock: the stream takes what is ready meanwhile.
        const std::size_t frames = m_decoder->read(step.data(), kStepFrames);
        std::lock_guard lock(m_mutex);
        // What was taken goes before the new samples come, so that the buffer
        // stays about one second whatever the file's length.
        m_ready.erase(m_ready.begin(), m_ready.begin() + static_cast<std::ptrdiff_t>(m_readPos));
        m_readPos = 0;
        m_ready.insert(m_ready.end(), step.begin(),
                       step.begin() + static_cast<std::ptrdiff_t>(frames * kOutputChannels));
        added = added || frames > 0;
        if (frames < kStepFrames)
            m_ended = true;
    }
    if (m_dropped || m_ended)
        m_decoder.reset();
    return added;
}

std::size_t FileFeed::take(std::int16_t* out, std::size_t maxFrames, bool* wantMore) {
    std::lock_guard lock(m_mutex);
    const std::size_t ready = (m_ready.size() - m_readPos) / kOutputChannels;
    const std::size_t n = std::min(maxFrames, ready);
    std::copy_n(m_ready.data() + m_readPos, n * kOutputChannels, out);
    m_readPos += n * kOutputChannels;
    *wantMore = !m_ended && !m_asked && ready - n < kAheadFrames / 2;
    if (*wantMore)
        m_asked = true;
    return n;
}

bool FileFeed::exhausted() const {
    std::lock_guard lock(m_mutex);
    return m_ended && m_readPos == m_ready.size();
}

void FileFeed::drop() {
    m_dropped = true;
}

std::size_t FeedSource::read(std::int16_t* out, std::size_t maxFrames) {
    bool wantMore = false;
    const std::size_t n = m_feed->take(out, maxFrames, &wantMore);
    if (wantMore)
        m_askMore();
    return n;
}

std::size_t FeedSource::firstWrite() const {
    // What the server's buffer holds; the rest follows as it asks.
    return std::size_t{kOutputRate} / 2 * kFrameBytes;
}

} // namespace qv
