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
    explicit MemorySource(std::shared_ptr<const PcmBuffer> pcm) : pcm_(std::move(pcm)) {}
    std::size_t read(std::int16_t* out, std::size_t maxFrames) override {
        const std::size_t total = pcm_->samples.size() / kOutputChannels;
        const std::size_t n = std::min(maxFrames, total - pos_);
        std::memcpy(out, pcm_->samples.data() + pos_ * kOutputChannels, n * kFrameBytes);
        pos_ += n;
        return n;
    }
    std::size_t firstWrite() const override {
        return std::min(pcm_->samples.size() * sizeof(std::int16_t), bytesFor(kWholeSoundUs));
    }

private:
    std::shared_ptr<const PcmBuffer> pcm_;
    std::size_t pos_ = 0;
};

class DecoderSource final : public Source {
public:
    explicit DecoderSource(std::unique_ptr<SoundDecoder> decoder) : decoder_(std::move(decoder)) {}
    std::size_t read(std::int16_t* out, std::size_t maxFrames) override {
        return decoder_->read(out, maxFrames);
    }
    std::size_t firstWrite() const override { return bytesFor(kBufferUs); }

private:
    std::unique_ptr<SoundDecoder> decoder_;
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
        : owner_(owner), outputId_(outputId) {
        loop_ = pa_threaded_mainloop_new();
        api_ = pa_threaded_mainloop_get_api(loop_);
        pa_threaded_mainloop_set_name(loop_, "qv-audio");
        pa_threaded_mainloop_lock(loop_);
        startEvent_ = api_->defer_new(api_, &Engine::onPending, this);
        api_->defer_enable(startEvent_, 0);
        connect();
        pa_threaded_mainloop_unlock(loop_);
        pa_threaded_mainloop_start(loop_);
    }

    ~Engine() {
        pa_threaded_mainloop_lock(loop_);
        shuttingDown_ = true;
        cut();
        dropConnection();
        if (retryTimer_)
            api_->time_free(retryTimer_);
        retryTimer_ = nullptr;
        if (pending_)
            complete(*pending_, false);
        pending_.reset();
        api_->defer_free(startEvent_);
        pa_threaded_mainloop_unlock(loop_);
        pa_threaded_mainloop_stop(loop_);
        pa_threaded_mainloop_free(loop_);
    }

    // --- From the callers' threads -----------------------------------------

    // The request is handed to the main loop thread, which starts the latest
    // one it finds: a burst of requests costs one sound, not one each, and the
    // caller only takes the lock for a moment.
    void submit(Request r) {
        pa_threaded_mainloop_lock(loop_);
        if (pending_ && pending_->ticket > r.ticket) {
            complete(r, false); // a file opened late, after a newer request
        } else {
            if (pending_)
                complete(*pending_, false);
            pending_ = std::move(r);
        }
        api_->defer_enable(startEvent_, 1);
        pa_threaded_mainloop_unlock(loop_);
    }

    // Not connected: try now rather than at the next retry.
    void kick() {
        if (pa_threaded_mainloop_in_thread(loop_))
            return;
        pa_threaded_mainloop_lock(loop_);
        if (!ctx_ && !shuttingDown_)
            armRetry(0);
        pa_threaded_mainloop_unlock(loop_);
    }

    bool waitUntil(int timeoutMs, bool anyOutcome) {
        std::unique_lock lock(stateMutex_);
        return stateCv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
            return (connected_ && devices_ > 0) || (anyOutcome && attemptsSettled_ > 0);
        });
    }

    std::atomic<int> devices_{0};
    std::atomic<bool> connected_{false};

private:
    // --- Connection ----------------------------------------------------------

    void connect() {
        ctx_ = pa_context_new(api_, "Quorvantel");
        if (!ctx_) {
            connectionLost();
            return;
        }
        pa_context_set_state_callback(ctx_, &Engine::onContextState, this);
        // Never start a server of our own: the desktop runs one, or there is none.
        if (pa_context_connect(ctx_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            connectionLost();
    }

    static void onContextState(pa_context* c, void* user) {
        auto* e = static_cast<Engine*>(user);
        if (c != e->ctx_)
            return;
        switch (pa_context_get_state(c)) {
        case PA_CONTEXT_READY:
            e->retryUs_ = kRetryFirstUs;
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
        if (sinkListOp_) {
            recount_ = true;
            return;
        }
        sinksSeen_ = 0;
        sinkListOp_ = pa_context_get_sink_info_list(ctx_, &Engine::onSinkInfo, this);
    }

    static void onSinkInfo(pa_context*, const pa_sink_info* info, int eol, void* user) {
        auto* e = static_cast<Engine*>(user);
        if (eol == 0) {
            if (info)
                ++e->sinksSeen_;
            return;
        }
        pa_operation_unref(e->sinkListOp_);
        e->sinkListOp_ = nullptr;
        if (eol < 0)
            return;
        e->setState(true, e->sinksSeen_);
        if (e->recount_) {
            e->recount_ = false;
            e->countSinks();
        }
    }

    void setState(bool connected, int devices) {
        {
            std::lock_guard lock(stateMutex_);
            connected_ = connected;
            devices_ = devices;
            ++attemptsSettled_;
        }
        stateCv_.notify_all();
    }

    // The server went away, refused us or never was: quiet, and again later.
    void connectionLost() {
        cut();
        dropConnection();
        setState(false, 0);
        if (shuttingDown_)
            return;
        armRetry(retryUs_);
        retryUs_ = std::min<pa_usec_t>(retryUs_ * 2, pa_usec_t{kRetryMaxMs} * kMs);
    }

    void dropConnection() {
        dropOperation(timingOp_);
        dropOperation(sinkListOp_);
        recount_ = false;
        for (pa_time_event** t : {&endTimer_, &corkTimer_, &stallTimer_}) {
            if (*t)
                api_->time_free(*t);
            *t = nullptr;
        }
        if (stream_) {
            pa_stream_set_state_callback(stream_, nullptr, nullptr);
            pa_stream_set_write_callback(stream_, nullptr, nullptr);
            pa_stream_disconnect(stream_);
            pa_stream_unref(stream_);
            stream_ = nullptr;
        }
        streamReady_ = false;
        if (ctx_) {
            // The library holds its own reference while it calls us, so the
            // context may go from inside its own callback.
            pa_context_set_state_callback(ctx_, nullptr, nullptr);
            pa_context_set_subscribe_callback(ctx_, nullptr, nullptr);
            pa_context_disconnect(ctx_);
            pa_context_unref(ctx_);
            ctx_ = nullptr;
        }
    }

    void armRetry(pa_usec_t delay) {
        timeval tv{};
        pa_gettimeofday(&tv);
        pa_timeval_add(&tv, delay);
        if (retryTimer_)
            api_->time_restart(retryTimer_, &tv);
        else
            retryTimer_ = api_->time_new(api_, &tv, &Engine::onRetry, this);
    }

    static void onRetry(pa_mainloop_api* api, pa_time_event* t, const timeval*, void* user) {
        auto* e = static_cast<Engine*>(user);
        api->time_restart(t, nullptr);
        if (!e->ctx_ && !e->shuttingDown_)
            e->connect();
    }

    // --- Timers on the monotonic clock ---------------------------------------

    void arm(pa_time_event*& t, pa_usec_t delay, pa_time_event_cb_t cb) {
        const pa_usec_t at = pa_rtclock_now() + delay;
        if (t)
            pa_context_rttime_restart(ctx_, t, at);
        else
            t = pa_context_rttime_new(ctx_, at, cb, this);
    }

    void disarm(pa_time_event* t) {
        if (t)
            api_->time_restart(t, nullptr);
    }

    // --- The stream ------------------------------------------------------------

    void openStream() {
        const pa_sample_spec format{PA_SAMPLE_S16LE, kOutputRate, kOutputChannels};
        stream_ = pa_stream_new(ctx_, "Quorvantel", &format, nullptr);
        if (!stream_)
            return;
        pa_stream_set_state_callback(stream_, &Engine::onStreamState, this);
        pa_stream_set_write_callback(stream_, &Engine::onWritable, this);
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<std::uint32_t>(-1);
        attr.tlength = static_cast<std::uint32_t>(bytesFor(kBufferUs));
        attr.prebuf = 0; // the cork decides when it plays, for sounds of any length
        attr.minreq = static_cast<std::uint32_t>(bytesFor(kRequestUs));
        attr.fragsize = static_cast<std::uint32_t>(-1);
        const auto flags =
            static_cast<pa_stream_flags_t>(PA_STREAM_START_CORKED | PA_STREAM_ADJUST_LATENCY);
        corked_ = true;
        buffered_ = false;
        if (pa_stream_connect_playback(stream_,
                                       outputId_.isEmpty() ? nullptr : outputId_.constData(), &attr,
                                       flags, nullptr, nullptr) < 0)
            streamLost();
    }

    static void onStreamState(pa_stream* s, void* user) {
        auto* e = static_cast<Engine*>(user);
        if (s != e->stream_)
            return;
        switch (pa_stream_get_state(s)) {
        case PA_STREAM_READY:
            e->streamReady_ = true;
            if (e->current_)
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
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_set_write_callback(stream_, nullptr, nullptr);
        pa_stream_unref(stream_);
        stream_ = nullptr;
        streamReady_ = false;
    }

    // --- Sounds ------------------------------------------------------------------

    static void onPending(pa_mainloop_api* api, pa_defer_event* event, void* user) {
        auto* e = static_cast<Engine*>(user);
        api->defer_enable(event, 0);
        if (!e->pending_)
            return;
        Request r = std::move(*e->pending_);
        e->pending_.reset();
        e->start(std::move(r));
    }

    void start(Request r) {
        // A request that a newer one has already superseded (started, or only
        // asked for) would be cut at once: it never starts.
        if (shuttingDown_ || r.ticket <= lastTicket_ || r.ticket < owner_.nextTicket_.load()) {
            complete(r, false);
            return;
        }
        lastTicket_ = r.ticket;
        const bool cutting = current_.has_value();
        cut();
        if (!r.source) {
            complete(r, false);
            cork();
            return;
        }
        if (!ctx_ || pa_context_get_state(ctx_) != PA_CONTEXT_READY || devices_ == 0) {
            complete(r, false);
            return;
        }
        current_ = std::move(r);
        sourceDone_ = false;
        endSeen_ = false;
        gapFirst_ = cutting;
        if (!stream_)
            openStream();
        if (!stream_) {
            finish(false);
            return;
        }
        if (streamReady_)
            play();
    }

    // The current sound goes to the stream: what an older one left there is
    // dropped, the first part written, and the stream uncorked.
    void play() {
        disarm(corkTimer_);
        if (buffered_) {
            pa_operation_unref(pa_stream_flush(stream_, nullptr, nullptr));
            buffered_ = false;
        }
        if (gapFirst_) {
            static const std::vector<char> silence(bytesFor(kCutGapUs), 0);
            pa_stream_write(stream_, silence.data(), silence.size(), nullptr, 0, PA_SEEK_RELATIVE);
            gapFirst_ = false;
        }
        // Right after a flush the writable size still counts the old data:
        // the server takes this much at once all the same.
        fill(current_->source->firstWrite());
        if (corked_ && current_) {
            pa_operation_unref(pa_stream_cork(stream_, 0, nullptr, nullptr));
            corked_ = false;
            if (sourceDone_)
                askTiming();
        }
    }

    static void onWritable(pa_stream* s, std::size_t bytes, void* user) {
        auto* e = static_cast<Engine*>(user);
        if (s == e->stream_ && e->streamReady_ && e->current_)
            e->fill(bytes);
    }

    void fill(std::size_t bytes) {
        if (sourceDone_)
            return; // the server asks for more after the last data went over
        std::size_t written = 0;
        while (!sourceDone_ && bytes - written >= kFrameBytes) {
            void* buffer = nullptr;
            std::size_t room = bytes - written;
            if (pa_stream_begin_write(stream_, &buffer, &room) < 0 || !buffer) {
                finish(false);
                return;
            }
            room = std::min(room, bytes - written) / kFrameBytes;
            const std::size_t frames =
                current_->source->read(static_cast<std::int16_t*>(buffer), room);
            if (frames < room)
                sourceDone_ = true;
            if (frames == 0) {
                pa_stream_cancel_write(stream_);
                break;
            }
            pa_stream_write(stream_, buffer, frames * kFrameBytes, nullptr, 0, PA_SEEK_RELATIVE);
            written += frames * kFrameBytes;
            buffered_ = true;
        }
        arm(stallTimer_, durationOf(written) + kBufferUs + kStallUs, &Engine::onStall);
        if (sourceDone_ && !corked_)
            askTiming();
    }

    // How long until the last sample written is heard, from the server's own
    // account of the stream: what it holds plus the device's latency.
    void askTiming() {
        dropOperation(timingOp_);
        timingOp_ = pa_stream_update_timing_info(stream_, &Engine::onTiming, this);
    }

    static void onTiming(pa_stream* s, int success, void* user) {
        auto* e = static_cast<Engine*>(user);
        pa_operation_unref(e->timingOp_);
        e->timingOp_ = nullptr;
        pa_usec_t left = 0;
        int negative = 0;
        if (!success || pa_stream_get_latency(s, &left, &negative) < 0 || negative)
            left = 0;
        // Past the end, or as good as: heard to its end. Otherwise look again
        // when it should have ended (a stalled server pushes the end out).
        if (left == 0 && e->endSeen_) {
            e->finish(true);
            e->arm(e->corkTimer_, kCorkAfterUs, &Engine::onCorkTime);
            return;
        }
        e->endSeen_ = left == 0;
        e->arm(e->endTimer_, left + kEndMarginUs, &Engine::onEnd);
    }

    static void onEnd(pa_mainloop_api*, pa_time_event* t, const timeval*, void* user) {
        auto* e = static_cast<Engine*>(user);
        e->disarm(t);
        if (e->current_ && e->stream_)
            e->askTiming();
    }

    static void onCorkTime(pa_mainloop_api*, pa_time_event* t, const timeval*, void* user) {
        auto* e = static_cast<Engine*>(user);
        e->disarm(t);
        if (!e->current_)
            e->cork();
    }

    static void onStall(pa_mainloop_api*, pa_time_event* t, const timeval*, void* user) {
        auto* e = static_cast<Engine*>(user);
        e->disarm(t);
        e->cut();
        e->cork();
    }

    void cork() {
        if (stream_ && streamReady_ && !corked_) {
            pa_operation_unref(pa_stream_cork(stream_, 1, nullptr, nullptr));
            corked_ = true;
        }
    }

    // Ends the current sound, if any: true when it was heard to its end.
    void finish(bool ok) {
        disarm(stallTimer_);
        disarm(endTimer_);
        dropOperation(timingOp_);
        if (current_) {
            complete(*current_, ok);
            current_.reset();
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
        owner_.requestEnded();
    }

    AudioChannel& owner_;
    const QByteArray outputId_;
    pa_threaded_mainloop* loop_ = nullptr;
    pa_mainloop_api* api_ = nullptr;
    pa_context* ctx_ = nullptr;
    pa_stream* stream_ = nullptr;
    bool streamReady_ = false;
    bool corked_ = true;
    bool buffered_ = false; // the stream may hold data that the next sound must flush
    bool shuttingDown_ = false;
    pa_usec_t retryUs_ = kRetryFirstUs;
    pa_time_event* retryTimer_ = nullptr;
    pa_defer_event* startEvent_ = nullptr;
    std::optional<Request> pending_; // asked for, not yet started
    pa_time_event* endTimer_ = nullptr;
    pa_time_event* corkTimer_ = nullptr;
    pa_time_event* stallTimer_ = nullptr;
    pa_operation* timingOp_ = nullptr;
    pa_operation* sinkListOp_ = nullptr;
    int sinksSeen_ = 0;
    bool recount_ = false;
    std::uint64_t lastTicket_ = 0;
    std::optional<Request> current_;
    bool sourceDone_ = false;
    bool endSeen_ = false;  // the last timing found nothing left to hear
    bool gapFirst_ = false; // the current sound cut one that still played

    std::mutex stateMutex_;
    std::condition_variable stateCv_;
    int attemptsSettled_ = 0;
};

AudioChannel::AudioChannel(const QByteArray& outputId) {
    const QResource alert(QStringLiteral(":/sounds/alert.wav"));
    alert_ = decodeWav(alert.uncompressedData());

    engine_ = std::make_unique<Engine>(*this, outputId);
    // A sound asked for right after start-up is heard: the first answer of a
    // local server takes milliseconds. No server, or one that does not answer,
    // costs at most this wait.
    engine_->waitUntil(kFirstConnectMs, true);

    loader_ = new QObject;
    loader_->moveToThread(&loaderThread_);
    QObject::connect(&loaderThread_, &QThread::finished, loader_, &QObject::deleteLater);
    loaderThread_.setObjectName(QStringLiteral("qv-sound-loader"));
    loaderThread_.start();
}

AudioChannel::~AudioChannel() {
    loaderThread_.quit();
    loaderThread_.wait();
    engine_.reset();
}

int AudioChannel::outputDeviceCount() const {
    if (!engine_->connected_.load())
        engine_->kick();
    return engine_->devices_.load();
}

bool AudioChannel::waitUntilConnected(int timeoutMs) const {
    return engine_->waitUntil(timeoutMs, false);
}

void AudioChannel::requestEnded() {
    {
        std::lock_guard lock(idleMutex_);
        --outstanding_;
    }
    idleCv_.notify_all();
}

bool AudioChannel::playAsync(std::shared_ptr<const PcmBuffer> pcm) {
    if (!pcm || outputDeviceCount() == 0)
        return false;
    {
        std::lock_guard lock(idleMutex_);
        ++outstanding_;
    }
    engine_->submit({++nextTicket_, std::make_unique<MemorySource>(std::move(pcm)), nullptr});
    return true;
}

bool AudioChannel::playSync(std::shared_ptr<const PcmBuffer> pcm) {
    if (!pcm || outputDeviceCount() == 0)
        return false;
    const auto length = std::chrono::microseconds(pcm->durationUs());
    auto done = std::make_shared<Completion>();
    {
        std::lock_guard lock(idleMutex_);
        ++outstanding_;
    }
    engine_->submit({++nextTicket_, std::make_unique<MemorySource>(std::move(pcm)), done});
    // The margin covers the server's buffer and start-up; past it the server has
    // stalled and the caller gives up rather than hang.
    return done->wait(std::chrono::duration_cast<std::chrono::milliseconds>(length) +
                      std::chrono::seconds(5));
}

void AudioChannel::playFileAsync(const QString& path) {
    if (outputDeviceCount() == 0)
        return;
    const std::uint64_t ticket = ++nextTicket_;
    {
        std::lock_guard lock(idleMutex_);
        ++outstanding_;
    }
    // Opening the file and reading its header happen off the caller's thread;
    // the samples are decoded as the stream asks for them.
    QMetaObject::invokeMethod(
        loader_,
        [this, ticket, path] {
            OpenedSoundFile file = openSoundFile(path);
            std::unique_ptr<Source> source;
            if (file.status == SoundFileStatus::Ok)
                source = std::make_unique<DecoderSource>(std::move(file.decoder));
            else if (file.status == SoundFileStatus::NotFound && alert_)
                source = std::make_unique<MemorySource>(alert_);
            engine_->submit({ticket, std::move(source), nullptr});
        },
        Qt::QueuedConnection);
}

void AudioChannel::stop() {
    {
        std::lock_guard lock(idleMutex_);
        ++outstanding_;
    }
    engine_->submit({++nextTicket_, nullptr, nullptr});
}

bool AudioChannel::waitUntilIdle(int timeoutMs) {
    std::unique_lock lock(idleMutex_);
    return idleCv_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                            [this] { return outstanding_ == 0; });
}

} // namespace qv
