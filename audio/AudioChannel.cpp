#include "audio/AudioChannel.h"

#include "audio/FileFeed.h"
#include "audio/PlaybackStream.h"
#include "audio/ServerConnection.h"

#include <QResource>
#include <chrono>
#include <optional>
#include <pulse/thread-mainloop.h>
#include <pulse/timeval.h>
#include <sys/time.h>

namespace qv {

namespace {

// How a synchronous caller learns the end of its sound.
struct Completion {
    std::mutex m;
    std::condition_variable cv;
    std::optional<bool> result;

    void set(bool heard) {
        {
            std::lock_guard lock(m);
            if (result)
                return;
            result = heard;
        }
        cv.notify_all();
    }

    bool wait(std::chrono::milliseconds limit) {
        std::unique_lock lock(m);
        if (!cv.wait_for(lock, limit, [this] { return result.has_value(); }))
            return false;
        return *result;
    }
};

} // namespace

struct AudioChannel::Request {
    std::uint64_t ticket = 0;
    std::unique_ptr<SoundSource> source; // null: cut whatever plays
    std::shared_ptr<Completion> done;
    bool ended = false;
};

// Everything that touches the server runs on the client library's main loop
// thread, or under its lock from the callers' threads, and only for a moment.
struct AudioChannel::Engine {
    Engine(AudioChannel& owner, const QByteArray& outputId)
        : m_owner(owner), m_loop(pa_threaded_mainloop_new()),
          m_api(pa_threaded_mainloop_get_api(m_loop)),
          m_connection(
              m_api, [this] { onConnected(); }, [this] { onConnectionLost(); }),
          m_stream(m_api, outputId, [this](bool heard) { onSoundEnded(heard); }) {
        pa_threaded_mainloop_set_name(m_loop, "qv-audio");
        pa_threaded_mainloop_lock(m_loop);
        m_startEvent = m_api->defer_new(m_api, &Engine::onPending, this);
        m_api->defer_enable(m_startEvent, 0);
        m_fedEvent = m_api->defer_new(m_api, &Engine::onFed, this);
        m_api->defer_enable(m_fedEvent, 0);
        m_connection.start();
        pa_threaded_mainloop_unlock(m_loop);
        pa_threaded_mainloop_start(m_loop);
    }

    ~Engine() {
        shutDown();
        pa_threaded_mainloop_lock(m_loop);
        m_api->defer_free(m_startEvent);
        m_api->defer_free(m_fedEvent);
        pa_threaded_mainloop_unlock(m_loop);
        pa_threaded_mainloop_stop(m_loop);
        pa_threaded_mainloop_free(m_loop);
    }

    // Ends every sound and the connection; requests made after it are dropped.
    void shutDown() {
        pa_threaded_mainloop_lock(m_loop);
        if (!m_shuttingDown) {
            m_shuttingDown = true;
            endCurrent(false);
            m_stream.close();
            m_connection.shutDown();
            if (m_holdTimer)
                m_api->time_free(m_holdTimer);
            m_holdTimer = nullptr;
            dropPending();
        }
        pa_threaded_mainloop_unlock(m_loop);
    }

    // --- From the callers' threads -------------------------------------------

    // The request is handed to the main loop thread, which starts the latest one
    // it finds: a burst of requests costs one sound, not one each.
    void submit(Request r) {
        pa_threaded_mainloop_lock(m_loop);
        if (m_shuttingDown || (m_pending && m_pending->ticket > r.ticket)) {
            complete(r, false); // a file opened late, after a newer request
        } else {
            dropPending();
            m_pending = std::move(r);
            m_api->defer_enable(m_startEvent, 1);
        }
        pa_threaded_mainloop_unlock(m_loop);
    }

    // More of a file is ready.
    void fed() {
        pa_threaded_mainloop_lock(m_loop);
        if (!m_shuttingDown)
            m_api->defer_enable(m_fedEvent, 1);
        pa_threaded_mainloop_unlock(m_loop);
    }

    void retryNow() {
        if (pa_threaded_mainloop_in_thread(m_loop))
            return;
        pa_threaded_mainloop_lock(m_loop);
        if (!m_shuttingDown)
            m_connection.retryNow();
        pa_threaded_mainloop_unlock(m_loop);
    }

    ServerConnection::State state() const { return m_connection.state(); }
    bool waitUntil(int timeoutMs, bool anyOutcome) const {
        return m_connection.waitUntil(timeoutMs, anyOutcome);
    }

private:
    static void onPending(pa_mainloop_api* api, pa_defer_event* event, void* user) {
        auto* e = static_cast<Engine*>(user);
        api->defer_enable(event, 0);
        if (!e->m_pending)
            return;
        // The first attempt is still under way: the sound waits for it, a while.
        if (e->m_pending->source && !e->m_connection.context() &&
            !e->m_connection.state().settled) {
            e->holdPending();
            return;
        }
        Request r = std::move(*e->m_pending);
        e->m_pending.reset();
        e->start(std::move(r));
    }

    void holdPending() {
        timeval tv{};
        pa_gettimeofday(&tv);
        pa_timeval_add(&tv, pa_usec_t{kHoldForServerMs} * PA_USEC_PER_MSEC);
        if (m_holdTimer)
            m_api->time_restart(m_holdTimer, &tv);
        else
            m_holdTimer = m_api->time_new(m_api, &tv, &Engine::onHoldOver, this);
    }

    static void onHoldOver(pa_mainloop_api* api, pa_time_event* t, const timeval*, void* user) {
        api->time_restart(t, nullptr);
        static_cast<Engine*>(user)->dropPending();
    }

    void onConnected() {
        if (m_pending)
            m_api->defer_enable(m_startEvent, 1);
    }

    void onConnectionLost() {
        endCurrent(false);
        m_stream.close();
        dropPending();
    }

    static void onFed(pa_mainloop_api* api, pa_defer_event* event, void* user) {
        api->defer_enable(event, 0);
        static_cast<Engine*>(user)->m_stream.sourceFed();
    }

    void start(Request r) {
        if (m_holdTimer)
            m_api->time_restart(m_holdTimer, nullptr);
        // A request that a newer one has already superseded (started, or only
        // asked for) would be cut at once: it never starts.
        if (m_shuttingDown || r.ticket <= m_lastTicket || r.ticket < m_owner.m_nextTicket.load()) {
            complete(r, false);
            return;
        }
        m_lastTicket = r.ticket;
        const bool cutting = m_current.has_value();
        endCurrent(false);
        if (!r.source) {
            complete(r, false);
            m_stream.stop();
            return;
        }
        pa_context* ctx = m_connection.context();
        if (!ctx || m_connection.state().devices == 0) {
            m_stream.cut();
            complete(r, false);
            return;
        }
        std::unique_ptr<SoundSource> source = std::move(r.source);
        m_current = std::move(r);
        if (!m_stream.play(ctx, std::move(source), cutting))
            endCurrent(false);
    }

    void onSoundEnded(bool heard) { endCurrent(heard); }

    void endCurrent(bool heard) {
        if (m_current) {
            complete(*m_current, heard);
            m_current.reset();
        }
    }

    void dropPending() {
        if (m_pending) {
            complete(*m_pending, false);
            m_pending.reset();
        }
    }

    void complete(Request& r, bool heard) {
        if (r.ended)
            return;
        r.ended = true;
        if (r.done)
            r.done->set(heard);
        r.done.reset();
        // The source goes here, on the main loop thread; a file's feed stops.
        r.source.reset();
        m_owner.requestEnded();
    }

    AudioChannel& m_owner;
    pa_threaded_mainloop* m_loop;
    pa_mainloop_api* m_api;
    ServerConnection m_connection;
    PlaybackStream m_stream;
    bool m_shuttingDown = false;
    pa_defer_event* m_startEvent = nullptr;
    pa_defer_event* m_fedEvent = nullptr;
    pa_time_event* m_holdTimer = nullptr;
    std::optional<Request> m_pending; // asked for, not yet started
    std::optional<Request> m_current; // playing
    std::uint64_t m_lastTicket = 0;
};

AudioChannel::AudioChannel(const QByteArray& outputId) {
    const QResource alert(QStringLiteral(":/sounds/alert.wav"));
    m_alert = decodeWav(alert.uncompressedData());
    m_engine = std::make_unique<Engine>(*this, outputId);
    m_loader = std::make_unique<SoundLoader>();
}

AudioChannel::~AudioChannel() {
    // No sound plays and none asks the loader for more before the loader goes;
    // what the loader still hands over after that is dropped.
    m_engine->shutDown();
    m_loader.reset();
    m_engine.reset();
}

int AudioChannel::outputDeviceCount() const {
    const ServerConnection::State s = m_engine->state();
    if (s.connected)
        return s.devices;
    if (!s.settled)
        return 1;
    m_engine->retryNow();
    return 0;
}

bool AudioChannel::waitUntilConnected(int timeoutMs) const {
    return m_engine->waitUntil(timeoutMs, false);
}

void AudioChannel::submit(Request r) {
    {
        std::lock_guard lock(m_idleMutex);
        ++m_outstanding;
    }
    m_engine->submit(std::move(r));
}

void AudioChannel::requestEnded() {
    {
        std::lock_guard lock(m_idleMutex);
        --m_outstanding;
    }
    m_idleCv.notify_all();
}

bool AudioChannel::playAsync(std::shared_ptr<const PcmBuffer> pcm) {
    if (!pcm || outputDeviceCount() == 0)
        return false;
    submit({++m_nextTicket, std::make_unique<MemorySource>(std::move(pcm)), nullptr});
    return true;
}

bool AudioChannel::playSync(std::shared_ptr<const PcmBuffer> pcm) {
    if (!pcm || outputDeviceCount() == 0)
        return false;
    const auto length = std::chrono::microseconds(pcm->durationUs());
    auto done = std::make_shared<Completion>();
    submit({++m_nextTicket, std::make_unique<MemorySource>(std::move(pcm)), done});
    // The margin covers a wait for the server, its buffer and start-up; past it
    // the server has stalled and the caller gives up rather than hang.
    return done->wait(std::chrono::duration_cast<std::chrono::milliseconds>(length) +
                      std::chrono::seconds(5));
}

void AudioChannel::playFileAsync(const QString& path) {
    if (outputDeviceCount() == 0)
        return;
    const std::uint64_t ticket = ++m_nextTicket;
    {
        std::lock_guard lock(m_idleMutex);
        ++m_outstanding;
    }
    // The file is opened and its first second decoded before the request goes
    // to the stream, so that it starts with a full first write; the rest is
    // decoded here too, a second ahead, as the stream drains it.
    m_loader->post([this, ticket, path] {
        OpenedSoundFile file = openSoundFile(path);
        std::unique_ptr<SoundSource> source;
        if (file.status == SoundFileStatus::Ok) {
            auto feed = std::make_shared<FileFeed>(std::move(file.decoder));
            feed->decodeAhead();
            source = std::make_unique<FeedSource>(feed, [this, feed] {
                m_loader->post([this, feed] {
                    if (feed->decodeAhead())
                        m_engine->fed();
                });
            });
        } else if (file.status == SoundFileStatus::NotFound && m_alert) {
            source = std::make_unique<MemorySource>(m_alert);
        }
        m_engine->submit({ticket, std::move(source), nullptr});
    });
}

void AudioChannel::stop() {
    submit({++m_nextTicket, nullptr, nullptr});
}

bool AudioChannel::waitUntilIdle(int timeoutMs) {
    std::unique_lock lock(m_idleMutex);
    return m_idleCv.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [this] { return m_outstanding == 0; });
}

} // namespace qv
