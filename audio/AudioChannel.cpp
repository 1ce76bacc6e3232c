#include "audio/AudioChannel.h"

#include <QResource>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <optional>
#include <pulse/pulseaudio.h>
#include <sys/time.h>
#include <vector>

namespace qv {

// How a synchronous caller learns the end of its sound.
struct AudioChannel::Completion {
    std::mutex m;
    std::condition_variable cv;
    std::optional<bool> result;

    void set(bool ok) {
        {
            std::lock_guard lock(m);
            if (result)
                return;
            result = ok;
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

namespace {

constexpr std::size_t kFrameBytes = kOutputChannels * sizeof(std::int16_t);
constexpr pa_usec_t kMs = 1000;

// The stream's buffer. The server asks for more when kRequestUs of it are free;
// with latency adjustment it keeps about (kBufferUs - 2 * kRequestUs) / 2 in the
// device, which lets the server wake a few times a second while a sound plays.
constexpr pa_usec_t kBufferUs = 500 * kMs;
constexpr pa_usec_t kRequestUs = 100 * kMs;
// Sounds in memory up to this long go to the server in one write, so that a
// beep or a clip costs no further wake-ups for data; longer ones and files
// start with kBufferUs and are fed as the server asks.
constexpr pa_usec_t kWholeSoundUs = 1000 * kMs;
// After a sound ended the stream stays open this long before it is corked: a
// clip that follows (the next of an announcement) needs no uncork, and the
// cork's rewind never reaches a tail that the device has yet to play.
constexpr pa_usec_t kCorkAfterUs = 300 * kMs;
// A sound whose end the server does not report this long after its data went
// over is given up, so that no synchronous caller waits for a stalled server.
constexpr pa_usec_t kStallUs = 3000 * kMs;
constexpr pa_usec_t kRetryFirstUs = 100 * kMs;
// A sound that cuts another one still playing starts after this much silence:
// a word cut off never runs into the next one, and the splice does not click.
constexpr pa_usec_t kCutGapUs = 20 * kMs;
// The end is looked at again this long after the server's timing says the last
// sample is heard, so that a synchronous play never returns while its sound can
// still be heard: the device's clock and ours are not the same, and the
// server's latency figure is an estimate.
constexpr pa_usec_t kEndMarginUs = 20 * kMs;
// How long the constructor waits for the first connection to settle, as the
// first sound of a program started a moment ago must be heard.
constexpr int kFirstConnectMs = 500;

std::size_t bytesFor(pa_usec_t us) {
    return static_cast<std::size_t>(us * kOutputRate / 1000000) * kFrameBytes;
}

pa_usec_t durationOf(std::size_t bytes) {
    return static_cast<pa_usec_t>(bytes / kFrameBytes) * 1000000 / kOutputRate;
}

// A sound as the stream asks for it.
class Source {
public:
    virtual ~Source() = default;
    // Copies up to maxFrames frames to out; fewer only at the end.
    virtual std::size_t read(std::int16_t* out, std::size_t maxFrames) = 0;
    // Bytes to hand over at once when the sound starts.
    virtual std::size_t firstWrite() const = 0;
};

class MemorySource final : public Source {
public:
    explicit MemorySource(std::shared_ptr<const PcmBuffer> pcm) : m_pcm(std::move(pcm)) {}
    std::size_t read(std::int16_t* out, std::size_t maxFrames) override {
        const std::size_t total = m_pcm->samples.size() / kOutputChannels;
        const std::size_t n = std::min(maxFrames, total - m_pos);
        std::memcpy(out, m_pcm->samples.data() + m_pos * kOutputChannels, n * kFrameBytes);
        m_pos += n;
        return n;
    }
    std::size_t firstWrite() const override {
        return std::min(m_pcm->samples.size() * sizeof(std::int16_t), bytesFor(kWholeSoundUs));
    }

private:
    std::shared_ptr<const PcmBuffer> m_pcm;
    std::size_t m_pos = 0;
};

class DecoderSource final : public Source {
public:
    explicit DecoderSource(std::unique_ptr<SoundDecoder> decoder) : m_decoder(std::move(decoder)) {}
    std::size_t read(std::int16_t* out, std::size_t maxFrames) override {
        return m_decoder->read(out, maxFrames);
    }
    std::size_t firstWrite() const override { return bytesFor(kBufferUs); }

private:
    std::unique_ptr<SoundDecoder> m_decoder;
};

void dropOperation(pa_operation*& op) {
    if (op) {
        pa_operation_cancel(op);
        pa_operation_unref(op);
        op = nullptr;
    }
}

} // namespace

// Everything that touches the server runs on the client library's main loop
// thread, or under its lock from the callers' threads.
struct AudioChannel::Engine {
    struct Request {
        std::uint64_t ticket = 0;
        std::unique_ptr<Source> source; // null: cut whatever plays
        std::shared_ptr<Completion> done;
        bool ended = false;
    };

    explicit Engine(AudioChannel& owner, const QByteArray& outputId)
        : m_owner(owner), m_outputId(outputId) {
        m_loop = pa_threaded_mainloop_new();
        m_api = pa_threaded_mainloop_get_api(m_loop);
        pa_threaded_mainloop_set_name(m_loop, "qv-audio");
        pa_threaded_mainloop_lock(m_loop);
        m_startEvent = m_api->defer_new(m_api, &Engine::onPending, this);
        m_api->defer_enable(m_startEvent, 0);
        connect();
        pa_threaded_mainloop_unlock(m_loop);
        pa_threaded_mainloop_start(m_loop);
    }

    ~Engine() {
        pa_threaded_mainloop_lock(m_loop);
        m_shuttingDown = true;
        cut();
        dropConnection();
        if (m_retryTimer)
            m_api->time_free(m_retryTimer);
        m_retryTimer = nullptr;
        if (m_pending)
            complete(*m_pending, false);
        m_pending.reset();
        m_api->defer_free(m_startEvent);
        pa_threaded_mainloop_unlock(m_loop);
        pa_threaded_mainloop_stop(m_loop);
        pa_threaded_mainloop_free(m_loop);
    }

    // --- From the callers' threads -----------------------------------------

    // The request is handed to the main loop thread, which starts the latest
    // one it finds: a burst of requests costs one sound, not one each, and the
    // caller only takes the lock for a moment.
    void submit(Request r) {
        pa_threaded_mainloop_lock(m_loop);
        if (m_pending && m_pending->ticket > r.ticket) {
            complete(r, false); // a file opened late, after a newer request
        } else {
            if (m_pending)
                complete(*m_pending, false);
            m_pending = std::move(r);
        }
        m_api->defer_enable(m_startEvent, 1);
        pa_threaded_mainloop_unlock(m_loop);
    }

    // Not connected: try now rather than at the next retry.
    void kick() {
        if (pa_threaded_mainloop_in_thread(m_loop))
            return;
        pa_threaded_mainloop_lock(m_loop);
        if (!m_ctx && !m_shuttingDown)
            armRetry(0);
        pa_threaded_mainloop_unlock(m_loop);
    }

    bool waitUntil(int timeoutMs, bool anyOutcome) {
        std::unique_lock lock(m_stateMutex);
        return m_stateCv.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
            return (m_connected && m_devices > 0) || (anyOutcome && m_attemptsSettled > 0);
        });
    }

    std::atomic<int> m_devices{0};
    std::atomic<bool> m_connected{false};

private:
    // --- Connection ----------------------------------------------------------

    void connect() {
        m_ctx = pa_context_new(m_api, "Quorvantel");
        if (!m_ctx) {
            connectionLost();
            return;
        }
        pa_context_set_state_callback(m_ctx, &Engine::onContextState, this);
        // Never start a server of our own: the desktop runs one, or there is none.
        if (pa_context_connect(m_ctx, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            connectionLost();
    }

    static void onContextState(pa_context* c, void* user) {
        auto* e = static_cast<Engine*>(user);
        if (c != e->m_ctx)
            return;
        switch (pa_context_get_state(c)) {
        case PA_CONTEXT_READY:
            e->m_retryUs = kRetryFirstUs;
            pa_context_set_subscribe_callback(c, &Engine::onSubscription, e);
            pa_operation_unref(
                pa_context_subscribe(c, PA_SUBSCRIPTION_MASK_SINK, nullptr, nullptr));
            e->countSinks();
            break;
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            e->connectionLost();
            break;
        default:
            break;
        }
    }

    static void onSubscription(pa_context*, pa_subscription_event_type_t type, uint32_t,
                               void* user) {
        auto* e = static_cast<Engine*>(user);
        const auto what = type & PA_SUBSCRIPTION_EVENT_TYPE_MASK;
        if (what == PA_SUBSCRIPTION_EVENT_NEW || what == PA_SUBSCRIPTION_EVENT_REMOVE)
            e->countSinks();
    }

    void countSinks() {
        if (m_sinkListOp) {
            m_recount = true;
            return;
        }
        m_sinksSeen = 0;
        m_sinkListOp = pa_context_get_sink_info_list(m_ctx, &Engine::onSinkInfo, this);
    }

    static void onSinkInfo(pa_context*, const pa_sink_info* info, int eol, void* user) {
        auto* e = static_cast<Engine*>(user);
        if (eol == 0) {
            if (info)
                ++e->m_sinksSeen;
            return;
        }
        pa_operation_unref(e->m_sinkListOp);
        e->m_sinkListOp = nullptr;
        if (eol < 0)
            return;
        e->setState(true, e->m_sinksSeen);
        if (e->m_recount) {
            e->m_recount = false;
            e->countSinks();
        }
    }

    void setState(bool connected, int devices) {
        {
            std::lock_guard lock(m_stateMutex);
            m_connected = connected;
            m_devices = devices;
            ++m_attemptsSettled;
        }
        m_stateCv.notify_all();
    }

    // The server went away, refused us or never was: quiet, and again later.
    void connectionLost() {
        cut();
        dropConnection();
        setState(false, 0);
        if (m_shuttingDown)
            return;
        armRetry(m_retryUs);
        m_retryUs = std::min<pa_usec_t>(m_retryUs * 2, pa_usec_t{kRetryMaxMs} * kMs);
    }

    void dropConnection() {
        dropOperation(m_timingOp);
        dropOperation(m_sinkListOp);
        m_recount = false;
        for (pa_time_event** t : {&m_endTimer, &m_corkTimer, &m_stallTimer}) {
            if (*t)
                m_api->time_free(*t);
            *t = nullptr;
        }
        if (m_stream) {
            pa_stream_set_state_callback(m_stream, nullptr, nullptr);
            pa_stream_set_write_callback(m_stream, nullptr, nullptr);
            pa_stream_disconnect(m_stream);
            pa_stream_unref(m_stream);
            m_stream = nullptr;
        }
        m_streamReady = false;
        if (m_ctx) {
            // The library holds its own reference while it calls us, so the
            // context may go from inside its own callback.
            pa_context_set_state_callback(m_ctx, nullptr, nullptr);
            pa_context_set_subscribe_callback(m_ctx, nullptr, nullptr);
            pa_context_disconnect(m_ctx);
            pa_context_unref(m_ctx);
            m_ctx = nullptr;
        }
    }

    void armRetry(pa_usec_t delay) {
        timeval tv{};
        pa_gettimeofday(&tv);
        pa_timeval_add(&tv, delay);
        if (m_retryTimer)
            m_api->time_restart(m_retryTimer, &tv);
        else
            m_retryTimer = m_api->time_new(m_api, &tv, &Engine::onRetry, this);
    }

    static void onRetry(pa_mainloop_api* api, pa_time_event* t, const timeval*, void* user) {
        auto* e = static_cast<Engine*>(user);
        api->time_restart(t, nullptr);
        if (!e->m_ctx && !e->m_shuttingDown)
            e->connect();
    }

    // --- Timers on the monotonic clock ---------------------------------------

    void arm(pa_time_event*& t, pa_usec_t delay, pa_time_event_cb_t cb) {
        const pa_usec_t at = pa_rtclock_now() + delay;
        if (t)
            pa_context_rttime_restart(m_ctx, t, at);
        else
            t = pa_context_rttime_new(m_ctx, at, cb, this);
    }

    void disarm(pa_time_event* t) {
        if (t)
            m_api->time_restart(t, nullptr);
    }

    // --- The stream ------------------------------------------------------------

    void openStream() {
        const pa_sample_spec format{PA_SAMPLE_S16LE, kOutputRate, kOutputChannels};
        m_stream = pa_stream_new(m_ctx, "Quorvantel", &format, nullptr);
        if (!m_stream)
            return;
        pa_stream_set_state_callback(m_stream, &Engine::onStreamState, this);
        pa_stream_set_write_callback(m_stream, &Engine::onWritable, this);
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<std::uint32_t>(-1);
        attr.tlength = static_cast<std::uint32_t>(bytesFor(kBufferUs));
        attr.prebuf = 0; // the cork decides when it plays, for sounds of any length
        attr.minreq = static_cast<std::uint32_t>(bytesFor(kRequestUs));
        attr.fragsize = static_cast<std::uint32_t>(-1);
        const auto flags =
            static_cast<pa_stream_flags_t>(PA_STREAM_START_CORKED | PA_STREAM_ADJUST_LATENCY);
        m_corked = true;
        m_buffered = false;
        if (pa_stream_connect_playback(m_stream,
                                       m_outputId.isEmpty() ? nullptr : m_outputId.constData(),
                                       &attr, flags, nullptr, nullptr) < 0)
            streamLost();
    }

    static void onStreamState(pa_stream* s, void* user) {
        auto* e = static_cast<Engine*>(user);
        if (s != e->m_stream)
            return;
        switch (pa_stream_get_state(s)) {
        case PA_STREAM_READY:
            e->m_streamReady = true;
            if (e->m_current)
                e->play();
            break;
        case PA_STREAM_FAILED:
        case PA_STREAM_TERMINATED:
            e->streamLost();
            break;
        default:
            break;
        }
    }

    // The sink went, or would not take the stream: this sound is cut, the next
    // one opens a new stream.
    void streamLost() {
        cut();
        pa_stream_set_state_callback(m_stream, nullptr, nullptr);
        pa_stream_set_write_callback(m_stream, nullptr, nullptr);
        pa_stream_unref(m_stream);
        m_stream = nullptr;
        m_streamReady = false;
    }

    // --- Sounds ------------------------------------------------------------------

    static void onPending(pa_mainloop_api* api, pa_defer_event* event, void* user) {
        auto* e = static_cast<Engine*>(user);
        api->defer_enable(event, 0);
        if (!e->m_pending)
            return;
        Request r = std::move(*e->m_pending);
        e->m_pending.reset();
        e->start(std::move(r));
    }

    void start(Request r) {
        // A request that a newer one has already superseded (started, or only
        // asked for) would be cut at once: it never starts.
        if (m_shuttingDown || r.ticket <= m_lastTicket || r.ticket < m_owner.m_nextTicket.load()) {
            complete(r, false);
            return;
        }
        m_lastTicket = r.ticket;
        const bool cutting = m_current.has_value();
        cut();
        if (!r.source) {
            complete(r, false);
            cork();
            return;
        }
        if (!m_ctx || pa_context_get_state(m_ctx) != PA_CONTEXT_READY || m_devices == 0) {
            complete(r, false);
            return;
        }
        m_current = std::move(r);
        m_sourceDone = false;
        m_endSeen = false;
        m_gapFirst = cutting;
        if (!m_stream)
            openStream();
        if (!m_stream) {
            finish(false);
            return;
        }
        if (m_streamReady)
            play();
    }

    // The current sound goes to the stream: what an older one left there is
    // dropped, the first part written, and the stream uncorked.
    void play() {
        disarm(m_corkTimer);
        if (m_buffered) {
            pa_operation_unref(pa_stream_flush(m_stream, nullptr, nullptr));
            m_buffered = false;
        }
        if (m_gapFirst) {
            static const std::vector<char> silence(bytesFor(kCutGapUs), 0);
            pa_stream_write(m_stream, silence.data(), silence.size(), nullptr, 0, PA_SEEK_RELATIVE);
            m_gapFirst = false;
        }
        // Right after a flush the writable size still counts the old data:
        // the server takes this much at once all the same.
        fill(m_current->source->firstWrite());
        if (m_corked && m_current) {
            pa_operation_unref(pa_stream_cork(m_stream, 0, nullptr, nullptr));
            m_corked = false;
            if (m_sourceDone)
                askTiming();
        }
    }

    static void onWritable(pa_stream* s, std::size_t bytes, void* user) {
        auto* e = static_cast<Engine*>(user);
        if (s == e->m_stream && e->m_streamReady && e->m_current)
            e->fill(bytes);
    }

    void fill(std::size_t bytes) {
        if (m_sourceDone)
            return; // the server asks for more after the last data went over
        std::size_t written = 0;
        while (!m_sourceDone && bytes - written >= kFrameBytes) {
            void* buffer = nullptr;
            std::size_t room = bytes - written;
            if (pa_stream_begin_write(m_stream, &buffer, &room) < 0 || !buffer) {
                finish(false);
                return;
            }
            room = std::min(room, bytes - written) / kFrameBytes;
            const std::size_t frames =
                m_current->source->read(static_cast<std::int16_t*>(buffer), room);
            if (frames < room)
                m_sourceDone = true;
            if (frames == 0) {
                pa_stream_cancel_write(m_stream);
                break;
            }
            pa_stream_write(m_stream, buffer, frames * kFrameBytes, nullptr, 0, PA_SEEK_RELATIVE);
            written += frames * kFrameBytes;
            m_buffered = true;
        }
        arm(m_stallTimer, durationOf(written) + kBufferUs + kStallUs, &Engine::onStall);
        if (m_sourceDone && !m_corked)
            askTiming();
    }

    // How long until the last sample written is heard, from the server's own
    // account of the stream: what it holds plus the device's latency.
    void askTiming() {
        dropOperation(m_timingOp);
        m_timingOp = pa_stream_update_timing_info(m_stream, &Engine::onTiming, this);
    }

    static void onTiming(pa_stream* s, int success, void* user) {
        auto* e = static_cast<Engine*>(user);
        pa_operation_unref(e->m_timingOp);
        e->m_timingOp = nullptr;
        pa_usec_t left = 0;
        int negative = 0;
        if (!success || pa_stream_get_latency(s, &left, &negative) < 0 || negative)
            left = 0;
        // Past the end, or as good as: heard to its end. Otherwise look again
        // when it should have ended (a stalled server pushes the end out).
        if (left == 0 && e->m_endSeen) {
            e->finish(true);
            e->arm(e->m_corkTimer, kCorkAfterUs, &Engine::onCorkTime);
            return;
        }
        e->m_endSeen = left == 0;
        e->arm(e->m_endTimer, left + kEndMarginUs, &Engine::onEnd);
    }

    static void onEnd(pa_mainloop_api*, pa_time_event* t, const timeval*, void* user) {
        auto* e = static_cast<Engine*>(user);
        e->disarm(t);
        if (e->m_current && e->m_stream)
            e->askTiming();
    }

    static void onCorkTime(pa_mainloop_api*, pa_time_event* t, const timeval*, void* user) {
        auto* e = static_cast<Engine*>(user);
        e->disarm(t);
        if (!e->m_current)
            e->cork();
    }

    static void onStall(pa_mainloop_api*, pa_time_event* t, const timeval*, void* user) {
        auto* e = static_cast<Engine*>(user);
        e->disarm(t);
        e->cut();
        e->cork();
    }

    void cork() {
        if (m_stream && m_streamReady && !m_corked) {
            pa_operation_unref(pa_stream_cork(m_stream, 1, nullptr, nullptr));
            m_corked = true;
        }
    }

    // Ends the current sound, if any: true when it was heard to its end.
    void finish(bool ok) {
        disarm(m_stallTimer);
        disarm(m_endTimer);
        dropOperation(m_timingOp);
        if (m_current) {
            complete(*m_current, ok);
            m_current.reset();
        }
    }

    // The sound playing is cut off; what it left in the stream goes with the
    // next flush.
    void cut() { finish(false); }

    void complete(Request& r, bool ok) {
        if (r.ended)
            return;
        r.ended = true;
        if (r.done)
            r.done->set(ok);
        r.done.reset();
        m_owner.requestEnded();
    }

    AudioChannel& m_owner;
    const QByteArray m_outputId;
    pa_threaded_mainloop* m_loop = nullptr;
    pa_mainloop_api* m_api = nullptr;
    pa_context* m_ctx = nullptr;
    pa_stream* m_stream = nullptr;
    bool m_streamReady = false;
    bool m_corked = true;
    bool m_buffered = false; // the stream may hold data that the next sound must flush
    bool m_shuttingDown = false;
    pa_usec_t m_retryUs = kRetryFirstUs;
    pa_time_event* m_retryTimer = nullptr;
    pa_defer_event* m_startEvent = nullptr;
    std::optional<Request> m_pending; // asked for, not yet started
    pa_time_event* m_endTimer = nullptr;
    pa_time_event* m_corkTimer = nullptr;
    pa_time_event* m_stallTimer = nullptr;
    pa_operation* m_timingOp = nullptr;
    pa_operation* m_sinkListOp = nullptr;
    int m_sinksSeen = 0;
    bool m_recount = false;
    std::uint64_t m_lastTicket = 0;
    std::optional<Request> m_current;
    bool m_sourceDone = false;
    bool m_endSeen = false;  // the last timing found nothing left to hear
    bool m_gapFirst = false; // the current sound cut one that still played

    std::mutex m_stateMutex;
    std::condition_variable m_stateCv;
    int m_attemptsSettled = 0;
};

AudioChannel::AudioChannel(const QByteArray& outputId) {
    const QResource alert(QStringLiteral(":/sounds/alert.wav"));
    m_alert = decodeWav(alert.uncompressedData());

    m_engine = std::make_unique<Engine>(*this, outputId);
    // A sound asked for right after start-up is heard: the first answer of a
    // local server takes milliseconds. No server, or one that does not answer,
    // costs at most this wait.
    m_engine->waitUntil(kFirstConnectMs, true);

    m_loader = new QObject;
    m_loader->moveToThread(&m_loaderThread);
    QObject::connect(&m_loaderThread, &QThread::finished, m_loader, &QObject::deleteLater);
    m_loaderThread.setObjectName(QStringLiteral("qv-sound-loader"));
    m_loaderThread.start();
}

AudioChannel::~AudioChannel() {
    m_loaderThread.quit();
    m_loaderThread.wait();
    m_engine.reset();
}

int AudioChannel::outputDeviceCount() const {
    if (!m_engine->m_connected.load())
        m_engine->kick();
    return m_engine->m_devices.load();
}

bool AudioChannel::waitUntilConnected(int timeoutMs) const {
    return m_engine->waitUntil(timeoutMs, false);
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
    {
        std::lock_guard lock(m_idleMutex);
        ++m_outstanding;
    }
    m_engine->submit({++m_nextTicket, std::make_unique<MemorySource>(std::move(pcm)), nullptr});
    return true;
}

bool AudioChannel::playSync(std::shared_ptr<const PcmBuffer> pcm) {
    if (!pcm || outputDeviceCount() == 0)
        return false;
    const auto length = std::chrono::microseconds(pcm->durationUs());
    auto done = std::make_shared<Completion>();
    {
        std::lock_guard lock(m_idleMutex);
        ++m_outstanding;
    }
    m_engine->submit({++m_nextTicket, std::make_unique<MemorySource>(std::move(pcm)), done});
    // The margin covers the server's buffer and start-up; past it the server has
    // stalled and the caller gives up rather than hang.
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
    // Opening the file and reading its header happen off the caller's thread;
    // the samples are decoded as the stream asks for them.
    QMetaObject::invokeMethod(
        m_loader,
        [this, ticket, path] {
            OpenedSoundFile file = openSoundFile(path);
            std::unique_ptr<Source> source;
            if (file.status == SoundFileStatus::Ok)
                source = std::make_unique<DecoderSource>(std::move(file.decoder));
            else if (file.status == SoundFileStatus::NotFound && m_alert)
                source = std::make_unique<MemorySource>(m_alert);
            m_engine->submit({ticket, std::move(source), nullptr});
        },
        Qt::QueuedConnection);
}

void AudioChannel::stop() {
    {
        std::lock_guard lock(m_idleMutex);
        ++m_outstanding;
    }
    m_engine->submit({++m_nextTicket, nullptr, nullptr});
}

bool AudioChannel::waitUntilIdle(int timeoutMs) {
    std::unique_lock lock(m_idleMutex);
    return m_idleCv.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [this] { return m_outstanding == 0; });
}

} // namespace qv
