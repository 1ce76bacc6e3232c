#include "app/TerminationSignals.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace qv {
namespace {

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};
int g_pipe[2] = {-1, -1};
struct sigaction g_previous[kSignals.size()];

// Async-signal-safe: one write(), errno kept as the interrupted code left it.
// A full pipe already holds a wake-up, so a byte that does not fit is no loss.
void onSignal(int signal) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal_, QObject* parent)
    : QObject(parent), m_onSignal(std::move(onSignal_)) {
    if (g_pipe[0] >= 0)
        return;
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        g_pipe[0] = g_pipe[1] = -1;
        return;
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &action, &g_previous[i]);
    m_notifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { readPipe(); });
}

TerminationSignals::~TerminationSignals() {
    if (!m_notifier)
        return;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &g_previous[i], nullptr);
    m_notifier.reset();
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void TerminationSignals::readPipe() {
    unsigned char bytes[16];
    const ssize_t n = ::read(g_pipe[0], bytes, sizeof bytes);
    // Two signals in a row end the program once.
    if (n > 0 && m_onSignal)
        m_onSignal(bytes[0]);
}

} // namespace qv
