#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace qv {
namespace {

const QByteArray kRequest = "raise\n";
// "raise <token>\n" when the asking copy has an activation token.
const QByteArray kRequestWithToken = "raise ";
// A request line, the newline included; a command's timer name is at most a
// few hundred bytes of JSON.
constexpr qint64 kMaxLine = 4096;
constexpr qint64 kMaxToken = 504;
// An answer: the whole timer list, at most 100 names.
constexpr qint64 kMaxAnswer = 1 << 20;

// Tokens are printable ASCII without spaces on every desktop; anything else is
// dropped rather than handed to the window system.
bool plausibleToken(const QByteArray& token) {
    if (token.isEmpty() || token.size() > kMaxToken)
        return false;
    for (char c : token)
        if (c <= ' ' || c > '~')
            return false;
    return true;
}
const QByteArray kRaised = "raised\n";
const QByteArray kDeclined = "busy\n";

// The socket is private already; the peer's user id is checked as well so that
// a socket file reachable some other way still only serves its owner.
bool peerIsSameUser(int fd) {
    ucred cred{};
    socklen_t len = sizeof cred;
    if (fd < 0 || getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0)
        return false;
    return cred.uid == getuid();
}

// False when the path does not fit a socket address.
bool socketAddress(const QString& path, sockaddr_un& address) {
    const QByteArray encoded = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (encoded.isEmpty() || std::size_t(encoded.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, encoded.constData(), std::size_t(encoded.size()));
    return true;
}

void sendAll(int fd, const QByteArray& bytes) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n =
            ::send(fd, bytes.constData() + sent, std::size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        sent += n;
    }
}

} // namespace

SingleInstance::SingleInstance(const QString& runtimeDir, const QString& executableName,
                               QObject* parent)
    : QObject(parent), m_dir(runtimeDir), m_exe(executableName) {}

SingleInstance::~SingleInstance() {
    while (!m_clients.empty())
        drop(m_clients.begin()->first);
    if (m_listenFd >= 0) {
        m_listener.reset();
        ::close(m_listenFd);
        QFile::remove(serverName());
    }
}

QString SingleInstance::defaultRuntimeDir() {
    const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!xdg.isEmpty() && QDir(xdg).exists())
        return xdg;
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = QString::number(getuid());
    const QString dir = QDir::tempPath() + QStringLiteral("/quorvantel-") + user;
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return dir;
}

QString SingleInstance::lockPath() const {
    return m_dir + QLatin1Char('/') + m_exe.toUpper();
}
QString SingleInstance::mutexPath() const {
    return m_dir + QStringLiteral("/Quorvantel");
}
QString SingleInstance::serverName() const {
    return m_dir + QLatin1Char('/') + m_exe.toUpper() + QStringLiteral(".socket");
}

bool SingleInstance::acquire() {
    m_lock = std::make_unique<QLockFile>(lockPath());
    // Never stale by age: only a lock whose owner is gone is taken over.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        if (m_lock->error() == QLockFile::LockFailedError)
            return false;
        m_lock.reset();
    }
    m_mutex = std::make_unique<QLockFile>(mutexPath());
    m_mutex->setStaleLockTime(0);
    m_mutex->tryLock(0);

    // We hold the lock, so a socket file still there belongs to a copy that died.
    if (!listen()) {
        QFile::remove(serverName());
        listen();
    }
    return true;
}

bool SingleInstance::listen() {
    sockaddr_un address;
    if (m_listenFd >= 0 || !socketAddress(serverName(), address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // Only this user may connect, whatever the folder's mode.
    const mode_t before = ::umask(0077);
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::umask(before);
    if (!bound || ::listen(fd, 8) != 0) {
        ::close(fd);
        return false;
    }
    m_listenFd = fd;
    m_listener = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(m_listener.get(), &QSocketNotifier::activated, this, &SingleInstance::serve);
    return true;
}

void SingleInstance::serve() {
    for (;;) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR)
                continue;
            return; // EAGAIN: nothing more waiting
        }
        if (!peerIsSameUser(fd)) {
            ::close(fd);
            continue;
        }
        Client& client = m_clients[fd];
        client.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        connect(client.notifier.get(), &QSocketNotifier::activated, this,
                [this, fd] { readFrom(fd); });
    }
}

void SingleInstance::readFrom(int fd) {
    const auto found = m_clients.find(fd);
    if (found == m_clients.end())
        return;
    QByteArray& received = found->second.received;
    char buffer[kMaxLine];
    for (;;) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        if (n <= 0) { // the asking copy went away
            drop(fd);
            return;
        }
        received.append(buffer, n);
        if (received.contains('\n') || received.size() >= kMaxLine)
            break;
    }
    const qsizetype end = received.indexOf('\n');
    if (end < 0 && received.size() < kMaxLine)
        return; // the rest of the line is still on its way
    // One line of at most kMaxLine - 1 bytes, the newline included; a longer
    // one is cut there and so is no request.
    const QByteArray line =
        received.left(std::min<qsizetype>(end < 0 ? received.size() : end + 1, kMaxLine - 1));
    if (line.startsWith('{') && line.endsWith('\n')) {
        QByteArray answer = m_command ? m_command(line.chopped(1)) : QByteArray();
        if (!answer.endsWith('\n'))
            answer += '\n';
        sendAll(fd, answer);
        drop(fd);
        return;
    }
    QString token;
    bool request = line == kRequest;
    if (!request && line.startsWith(kRequestWithToken) && line.endsWith('\n')) {
        const QByteArray t = line.mid(kRequestWithToken.size()).chopped(1);
        request = true;
        if (plausibleToken(t))
            token = QString::fromLatin1(t);
    }
    const bool raised = request && m_raise && m_raise(token);
    sendAll(fd, raised ? kRaised : kDeclined);
    drop(fd);
}

void SingleInstance::drop(int fd) {
    const auto found = m_clients.find(fd);
    if (found == m_clients.end())
        return;
    found->second.notifier.reset();
    m_clients.erase(found);
    ::close(fd);
}

int SingleInstance::connectToFirst(int attempts, int pauseMs) {
    sockaddr_un address;
    if (!socketAddress(serverName(), address))
        return -1;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return -1;
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            return fd;
        ::close(fd);
        if (attempt + 1 < attempts)
            usleep(static_cast<useconds_t>(pauseMs) * 1000);
    }
    return -1;
}

std::optional<QByteArray> SingleInstance::exchange(int fd, const QByteArray& request, int timeoutMs,
                                                   qsizetype maxAnswer) {
    sendAll(fd, request);
    QByteArray answer;
    char buffer[4096];
    while (!answer.contains('\n') && answer.size() < maxAnswer) {
        pollfd watch{fd, POLLIN, 0};
        const int ready = ::poll(&watch, 1, timeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        answer.append(buffer, n);
    }
    ::close(fd);
    const qsizetype end = answer.indexOf('\n');
    if (end < 0)
        return std::nullopt;
    return answer.left(end);
}

std::optional<QByteArray> SingleInstance::ask(const QByteArray& request, int timeoutMs) {
    int fd = connectToFirst(1, 0);
    if (fd < 0) {
        // Nobody listens: either no copy runs, or one is still starting up
        // (it holds the lock before it listens). The lock is only looked at,
        // never taken, so that a copy starting now is not turned away.
        qint64 pid = 0;
        QString host, app;
        QLockFile lock(lockPath());
        if (!lock.getLockInfo(&pid, &host, &app) || pid <= 0 ||
            (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH))
            return std::nullopt;
        fd = connectToFirst(20, 100);
        if (fd < 0)
            return std::nullopt;
    }
    QByteArray line = request;
    if (!line.endsWith('\n'))
        line += '\n';
    return exchange(fd, line, timeoutMs, kMaxAnswer);
}

bool SingleInstance::askFirstToRaise(int timeoutMs) {
    // The first copy may still be starting up and not listen yet.
    const int fd = connectToFirst(10, timeoutMs / 10);
    if (fd < 0)
        return false;
    const QByteArray token = m_token.toLatin1();
    const auto answer = exchange(
        fd, plausibleToken(token) ? kRequestWithToken + token + '\n' : kRequest, timeoutMs, 64);
    return answer && *answer + '\n' == kRaised;
}

} // namespace qv
