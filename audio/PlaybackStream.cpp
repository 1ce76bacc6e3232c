#include "audio/PlaybackStream.h"

#include "audio/PulseOperation.h"

#include <pulse/rtclock.h>
#include <pulse/timeval.h>
#include <vector>

namespace qv {

namespace {

constexpr pa_usec_t kMs = PA_USEC_PER_MSEC;
// The stream's buffer. The server asks for more when kRequestUs of it are free;
// with latency adjustment it keeps about (kBufferUs - 2 * kRequestUs) / 2 in the
// device, which lets the server wake a few times a second while a sound plays.
constexpr pa_usec_t kBufferUs = 500 * kMs;
constexpr pa_usec_t kRequestUs = 100 * kMs;
// After a sound ended the stream stays open this long before it is corked: a
// clip that follows (the next of an announcement) needs no uncork, and the
// cork's rewind never reaches a tail that the device has yet to play.
constexpr pa_usec_t kCorkAfterUs = 300 * kMs;
// A sound whose end the server does not report this long after its data went
// over is given up, so that no synchronous caller waits for a stalled server.
constexpr pa_usec_t kStallUs = 3000 * kMs;
// A sound that cuts another one still playing starts after this much silence:
// a word cut off never runs into the next one, and the splice does not click.
constexpr pa_usec_t kCutGapUs = 20 * kMs;
// The end is looked at again this long after the server's timing says the last
// sample is heard, so that a synchronous play never returns while its sound can
// still be heard: the device's clock and ours are not the same, and the
// server's latency figure is an estimate.
constexpr pa_usec_t kEndMarginUs = 20 * kMs;
// Timing asked for but not had: asked again after this.
constexpr pa_usec_t kTimingRetryUs = 50 * kMs;

std::size_t bytesFor(pa_usec_t us) {
    return static_cast<std::size_t>(us * kOutputRate / 1000000) * kFrameBytes;
}

pa_usec_t durationOf(std::size_t bytes) {
    return static_cast<pa_usec_t>(bytes / kFrameBytes) * 1000000 / kOutputRate;
}

} // namespace

PlaybackStream::PlaybackStream(pa_mainloop_api* api, QByteArray outputId,
                               std::function<void(bool)> ended)
    : m_api(api), m_outputId(std::move(outputId)), m_ended(std::move(ended)) {}

PlaybackStream::~PlaybackStream() {
    close();
}

bool PlaybackStream::play(pa_context* ctx, std::unique_ptr<SoundSource> source, bool afterCut) {
    finish(false, false);
    m_ctx = ctx;
    m_source = std::move(source);
    m_sourceDone = false;
    m_endSeen = false;
    m_gapFirst = afterCut;
    if (!m_stream)
        open();
    if (!m_stream) {
        m_source.reset();
        return false;
    }
    if (m_ready)
        start();
    return true;
}

void PlaybackStream::cut() {
    finish(false, false);
}

void PlaybackStream::stop() {
    finish(false, false);
    cork();
}

void PlaybackStream::sourceFed() {
    if (!m_stream || !m_ready || !m_source || m_sourceDone)
        return;
    const std::size_t room = pa_stream_writable_size(m_stream);
    if (room != static_cast<std::size_t>(-1))
        fill(room);
}

void PlaybackStream::close() {
    finish(false, false);
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
    m_ready = false;
    m_ctx = nullptr;
}

void PlaybackStream::open() {
    const pa_sample_spec format{PA_SAMPLE_S16LE, kOutputRate, kOutputChannels};
    m_stream = pa_stream_new(m_ctx, "Quorvantel", &format, nullptr);
    if (!m_stream)
        return;
    pa_stream_set_state_callback(m_stream, &PlaybackStream::onState, this);
    pa_stream_set_write_callback(m_stream, &PlaybackStream::onWritable, this);
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
                                   m_outputId.isEmpty() ? nullptr : m_outputId.constData(), &attr,
                                   flags, nullptr, nullptr) < 0)
        lost();
}

void PlaybackStream::onState(pa_stream* s, void* user) {
    auto* self = static_cast<PlaybackStream*>(user);
    if (s != self->m_stream)
        return;
    switch (pa_stream_get_state(s)) {
    case PA_STREAM_READY:
        self->m_ready = true;
        if (self->m_source)
            self->start();
        break;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
        self->lost();
        break;
    default:
        break;
    }
}

// The sink went, or would not take the stream: this sound ends unheard, the
// next one opens a new stream.
void PlaybackStream::lost() {
    pa_stream_set_state_callback(m_stream, nullptr, nullptr);
    pa_stream_set_write_callback(m_stream, nullptr, nullptr);
    pa_stream_unref(m_stream);
    m_stream = nullptr;
    m_ready = false;
    finish(false, true);
}

// The current sound goes to the stream: what an older one left there is
// dropped, the first part written, and the stream uncorked.
void PlaybackStream::start() {
    disarm(m_corkTimer);
    if (m_buffered) {
        unrefOperation(pa_stream_flush(m_stream, nullptr, nullptr));
        m_buffered = false;
    }
    if (m_gapFirst) {
        static const std::vector<char> silence(bytesFor(kCutGapUs), 0);
        pa_stream_write(m_stream, silence.data(), silence.size(), nullptr, 0, PA_SEEK_RELATIVE);
        m_gapFirst = false;
    }
    // Right after a flush the writable size still counts the old data: the
    // server takes this much at once all the same.
    fill(m_source->firstWrite());
    if (m_corked && m_source) {
        unrefOperation(pa_stream_cork(m_stream, 0, nullptr, nullptr));
        m_corked = false;
        if (m_sourceDone)
            askTiming();
    }
}

void PlaybackStream::onWritable(pa_stream* s, std::size_t bytes, void* user) {
    auto* self = static_cast<PlaybackStream*>(user);
    if (s == self->m_stream && self->m_ready && self->m_source)
        self->fill(bytes);
}

void PlaybackStream::fill(std::size_t bytes) {
    if (m_sourceDone)
        return; // the server asks for more after the last data went over
    std::size_t written = 0;
    while (bytes - written >= kFrameBytes) {
        void* buffer = nullptr;
        std::size_t room = bytes - written;
        if (pa_stream_begin_write(m_stream, &buffer, &room) < 0 || !buffer) {
            finish(false, true);
            return;
        }
        room = std::min(room, bytes - written) / kFrameBytes;
        const std::size_t frames = m_source->read(static_cast<std::int16_t*>(buffer), room);
        if (frames == 0) {
            pa_stream_cancel_write(m_stream);
            break;
        }
        pa_stream_write(m_stream, buffer, frames * kFrameBytes, nullptr, 0, PA_SEEK_RELATIVE);
        written += frames * kFrameBytes;
        m_buffered = true;
        if (frames < room)
            break; // all that is ready for now
    }
    m_sourceDone = m_source->exhausted();
    if (written > 0 || m_sourceDone)
        arm(m_stallTimer, durationOf(written) + kBufferUs + kStallUs, &PlaybackStream::onStall);
    if (m_sourceDone && !m_corked)
        askTiming();
}

// How long until the last sample written is heard, from the server's own
// account of the stream: what it holds plus the device's latency.
void PlaybackStream::askTiming() {
    dropOperation(m_timingOp);
    m_timingOp = pa_stream_update_timing_info(m_stream, &PlaybackStream::onTiming, this);
    if (!m_timingOp)
        arm(m_endTimer, kTimingRetryUs, &PlaybackStream::onEnd);
}

void PlaybackStream::onTiming(pa_stream* s, int success, void* user) {
    auto* self = static_cast<PlaybackStream*>(user);
    unrefOperation(self->m_timingOp);
    self->m_timingOp = nullptr;
    pa_usec_t left = 0;
    int negative = 0;
    if (!success || pa_stream_get_latency(s, &left, &negative) < 0 || negative)
        left = 0;
    // Past the end, or as good as: heard to its end. Otherwise look again when
    // it should have ended (a stalled server pushes the end out).
    if (left == 0 && self->m_endSeen) {
        self->finish(true, true);
        self->arm(self->m_corkTimer, kCorkAfterUs, &PlaybackStream::onCorkTime);
        return;
    }
    self->m_endSeen = left == 0;
    self->arm(self->m_endTimer, left + kEndMarginUs, &PlaybackStream::onEnd);
}

void PlaybackStream::onEnd(pa_mainloop_api*, pa_time_event* t, const timeval*, void* user) {
    auto* self = static_cast<PlaybackStream*>(user);
    self->disarm(t);
    if (self->m_source && self->m_stream)
        self->askTiming();
}

void PlaybackStream::onCorkTime(pa_mainloop_api*, pa_time_event* t, const timeval*, void* user) {
    auto* self = static_cast<PlaybackStream*>(user);
    self->disarm(t);
    if (!self->m_source)
        self->cork();
}

void PlaybackStream::onStall(pa_mainloop_api*, pa_time_event* t, const timeval*, void* user) {
    auto* self = static_cast<PlaybackStream*>(user);
    self->disarm(t);
    self->finish(false, true);
    self->cork();
}

void PlaybackStream::cork() {
    if (m_stream && m_ready && !m_corked) {
        unrefOperation(pa_stream_cork(m_stream, 1, nullptr, nullptr));
        m_corked = true;
    }
}

void PlaybackStream::finish(bool heard, bool report) {
    disarm(m_stallTimer);
    disarm(m_endTimer);
    dropOperation(m_timingOp);
    if (!m_source)
        return;
    m_source.reset();
    if (report)
        m_ended(heard);
}

// Timers on the monotonic clock.
void PlaybackStream::arm(pa_time_event*& t, pa_usec_t delay, pa_time_event_cb_t cb) {
    const pa_usec_t at = pa_rtclock_now() + delay;
    if (t)
        pa_context_rttime_restart(m_ctx, t, at);
    else
        t = pa_context_rttime_new(m_ctx, at, cb, this);
}

void PlaybackStream::disarm(pa_time_event* t) {
    if (t)
        m_api->time_restart(t, nullptr);
}

} // namespace qv
