#pragma once

#include "audio/SoundSource.h"

#include <QByteArray>
#include <functional>
#include <memory>
#include <pulse/context.h>
#include <pulse/stream.h>

namespace qv {

// The one playback stream on the sound server, opened at the first sound and
// kept, corked while nothing plays: a new sound is a flush and a write, never a
// new stream. The end of a sound comes from the server's timing of the stream
// (what it still holds plus the device's latency), asked once when the last data
// went over and once more when the sound should have ended; nothing polls. Runs
// on the client library's main loop thread.
class PlaybackStream {
public:
    // ended(heard): the sound playing ended by itself, heard to its end or not
    // (a stalled server, a sink that went). A sound cut by cut() is not reported.
    PlaybackStream(pa_mainloop_api* api, QByteArray outputId,
                   std::function<void(bool heard)> ended);
    ~PlaybackStream();
    PlaybackStream(const PlaybackStream&) = delete;
    PlaybackStream& operator=(const PlaybackStream&) = delete;

    // Starts the sound on the context (the stream is opened first if need be);
    // afterCut: it cuts one that still played. False when no stream can be had.
    bool play(pa_context* ctx, std::unique_ptr<SoundSource> source, bool afterCut);
    // Cuts what plays; what it left in the stream goes with the next flush.
    void cut();
    // Cuts and corks at once, as a stop does.
    void stop();
    // More of the sound is ready than the stream took.
    void sourceFed();
    // The connection goes: the stream goes first.
    void close();

private:
    void open();
    void lost();
    void start();
    void fill(std::size_t bytes);
    void askTiming();
    void finish(bool heard, bool report);
    void cork();
    void arm(pa_time_event*& t, pa_usec_t delay, pa_time_event_cb_t cb);
    void disarm(pa_time_event* t);

    static void onState(pa_stream* s, void* user);
    static void onWritable(pa_stream* s, std::size_t bytes, void* user);
    static void onTiming(pa_stream* s, int success, void* user);
    static void onEnd(pa_mainloop_api*, pa_time_event* t, const struct timeval*, void* user);
    static void onCorkTime(pa_mainloop_api*, pa_time_event* t, const struct timeval*, void* user);
    static void onStall(pa_mainloop_api*, pa_time_event* t, const struct timeval*, void* user);

    pa_mainloop_api* m_api;
    const QByteArray m_outputId;
    std::function<void(bool)> m_ended;
    pa_context* m_ctx = nullptr;
    pa_stream* m_stream = nullptr;
    bool m_ready = false;
    bool m_corked = true;
    bool m_buffered = false; // the stream may hold data that the next sound must flush
    std::unique_ptr<SoundSource> m_source; // the sound playing; null when none
    bool m_sourceDone = false;
    bool m_endSeen = false;  // the last timing found nothing left to hear
    bool m_gapFirst = false; // the current sound cut one that still played
    pa_time_event* m_endTimer = nullptr;
    pa_time_event* m_corkTimer = nullptr;
    pa_time_event* m_stallTimer = nullptr;
    pa_operation* m_timingOp = nullptr;
};

} // namespace qv
