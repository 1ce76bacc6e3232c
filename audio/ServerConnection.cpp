#include "audio/ServerConnection.h"

#include "audio/PulseOperation.h"

#include <algorithm>
#include <chrono>
#include <pulse/introspect.h>
#include <pulse/subscribe.h>
#include <pulse/timeval.h>
#include <sys/time.h>

namespace qv {

namespace {
constexpr pa_usec_t kRetryFirstUs = 100 * PA_USEC_PER_MSEC;
}

ServerConnection::ServerConnection(pa_mainloop_api* api, std::function<void()> ready,
                                   std::function<void()> lost)
    : m_api(api), m_readyCb(std::move(ready)), m_lostCb(std::move(lost)), m_retryUs(kRetryFirstUs) {
}

ServerConnection::~ServerConnection() {
    shutDown();
}

void ServerConnection::start() {
    connect();
}

void ServerConnection::shutDown() {
    m_shutDown = true;
    dropContext();
    if (m_retryTimer)
        m_api->time_free(m_retryTimer);
    m_retryTimer = nullptr;
}

void ServerConnection::connect() {
    m_ctx = pa_context_new(m_api, "Quorvantel");
    if (!m_ctx) {
        connectionLost();
        return;
    }
    pa_context_set_state_callback(m_ctx, &ServerConnection::onContextState, this);
    // Never start a server of our own: the desktop runs one, or there is none.
    if (pa_context_connect(m_ctx, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        connectionLost();
}

void ServerConnection::onContextState(pa_context* c, void* user) {
    auto* self = static_cast<ServerConnection*>(user);
    if (c != self->m_ctx)
        return;
    switch (pa_context_get_state(c)) {
    case PA_CONTEXT_READY:
        self->m_retryUs = kRetryFirstUs;
        pa_context_set_subscribe_callback(c, &ServerConnection::onSubscription, self);
        unrefOperation(pa_context_subscribe(c, PA_SUBSCRIPTION_MASK_SINK, nullptr, nullptr));
        self->countSinks();
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        self->connectionLost();
        break;
    default:
        break;
    }
}

void ServerConnection::onSubscription(pa_context*, pa_subscription_event_type_t type, uint32_t,
                                      void* user) {
    auto* self = static_cast<ServerConnection*>(user);
    const auto what = type & PA_SUBSCRIPTION_EVENT_TYPE_MASK;
    if (what == PA_SUBSCRIPTION_EVENT_NEW || what == PA_SUBSCRIPTION_EVENT_REMOVE)
        self->countSinks();
}

void ServerConnection::countSinks() {
    if (m_sinkListOp) {
        m_recount = true;
        return;
    }
    m_sinksSeen = 0;
    m_sinkListOp = pa_context_get_sink_info_list(m_ctx, &ServerConnection::onSinkInfo, this);
    // A context that cannot even ask is as good as gone; an answer that never
    // came would leave the first sounds waiting for it.
    if (!m_sinkListOp)
        connectionLost();
}

void ServerConnection::onSinkInfo(pa_context*, const pa_sink_info* info, int eol, void* user) {
    auto* self = static_cast<ServerConnection*>(user);
    if (eol == 0) {
        if (info)
            ++self->m_sinksSeen;
        return;
    }
    unrefOperation(self->m_sinkListOp);
    self->m_sinkListOp = nullptr;
    if (eol < 0)
        return;
    // Ready for sounds only now: a sound asked for before the sinks were
    // counted waits for the count rather than finding no output.
    self->m_ready = true;
    self->publish(true, self->m_sinksSeen);
    self->m_readyCb();
    if (self->m_recount) {
        self->m_recount = false;
        self->countSinks();
    }
}

// The server went away, refused us or never was: quiet, and again later.
void ServerConnection::connectionLost() {
    if (!m_shutDown)
        m_lostCb();
    dropContext();
    publish(false, 0);
    if (m_shutDown)
        return;
    armRetry(m_retryUs);
    m_retryUs = std::min<pa_usec_t>(m_retryUs * 2, pa_usec_t{kRetryMaxMs} * PA_USEC_PER_MSEC);
}

void ServerConnection::dropContext() {
    dropOperation(m_sinkListOp);
    m_recount = false;
    m_ready = false;
    if (!m_ctx)
        return;
    // The library holds its own reference while it calls us, so the context may
    // go from inside its own callback.
    pa_context_set_state_callback(m_ctx, nullptr, nullptr);
    pa_context_set_subscribe_callback(m_ctx, nullptr, nullptr);
    pa_context_disconnect(m_ctx);
    pa_context_unref(m_ctx);
    m_ctx = nullptr;
}

void ServerConnection::retryNow() {
    if (!m_ctx && !m_shutDown)
        armRetry(0);
}

void ServerConnection::armRetry(pa_usec_t delay) {
    timeval tv{};
    pa_gettimeofday(&tv);
    pa_timeval_add(&tv, delay);
    if (m_retryTimer)
        m_api->time_restart(m_retryTimer, &tv);
    else
        m_retryTimer = m_api->time_new(m_api, &tv, &ServerConnection::onRetry, this);
}

void ServerConnection::onRetry(pa_mainloop_api* api, pa_time_event* t, const timeval*, void* user) {
    auto* self = static_cast<ServerConnection*>(user);
    api->time_restart(t, nullptr);
    if (!self->m_ctx && !self->m_shutDown)
        self->connect();
}

void ServerConnection::publish(bool connected, int devices) {
    {
        std::lock_guard lock(m_stateMutex);
        m_state = {connected, devices, true};
    }
    m_stateCv.notify_all();
}

ServerConnection::State ServerConnection::state() const {
    std::lock_guard lock(m_stateMutex);
    return m_state;
}

bool ServerConnection::waitUntil(int timeoutMs, bool anyOutcome) const {
    std::unique_lock lock(m_stateMutex);
    return m_stateCv.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        return (m_state.connected && m_state.devices > 0) || (anyOutcome && m_state.settled);
    });
}

} // namespace qv
