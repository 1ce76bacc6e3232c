#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop-api.h>

namespace qv {

// The connection to the sound server, on the client library's main loop: made
// at once, and again after the server went away, refused us or never was, with
// a growing pause between attempts; the server's sinks counted as they come and
// go. Everything but the state queries runs on the main loop thread or under its
// lock; the state is published for every thread.
class ServerConnection {
public:
    // The longest pause between two attempts to reach the server.
    static constexpr int kRetryMaxMs = 2000;

    // ready: connected, with the sinks counted (again after every change of
    // them); lost: the connection is about to go, its streams must go first.
    ServerConnection(pa_mainloop_api* api, std::function<void()> ready, std::function<void()> lost);
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    void start();
    // Not connected and no attempt under way: the next one now, not after the pause.
    void retryNow();
    // Disconnects for good; lost is not called.
    void shutDown();

    // The context, once it is ready and its sinks are counted; null otherwise.
    pa_context* context() const { return m_ready ? m_ctx : nullptr; }

    struct State {
        bool connected = false;
        int devices = 0;
        bool settled = false; // some attempt has had its outcome
    };
    State state() const;
    // Blocks until connected with an output (or, with anyOutcome, until some
    // attempt has had its outcome); false after timeoutMs.
    bool waitUntil(int timeoutMs, bool anyOutcome) const;

private:
    void connect();
    static void onContextState(pa_context* c, void* user);
    static void onSubscription(pa_context*, pa_subscription_event_type_t type, uint32_t,
                               void* user);
    static void onSinkInfo(pa_context*, const pa_sink_info* info, int eol, void* user);
    static void onRetry(pa_mainloop_api* api, pa_time_event* t, const struct timeval*, void* user);
    void countSinks();
    void connectionLost();
    void dropContext();
    void armRetry(pa_usec_t delay);
    void publish(bool connected, int devices);

    pa_mainloop_api* m_api;
    std::function<void()> m_readyCb;
    std::function<void()> m_lostCb;
    pa_context* m_ctx = nullptr;
    bool m_ready = false;
    bool m_shutDown = false;
    pa_usec_t m_retryUs;
    pa_time_event* m_retryTimer = nullptr;
    pa_operation* m_sinkListOp = nullptr;
    int m_sinksSeen = 0;
    bool m_recount = false;

    mutable std::mutex m_stateMutex;
    mutable std::condition_variable m_stateCv;
    State m_state;
};

} // namespace qv
