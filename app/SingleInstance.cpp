#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <sys/socket.h>
#include <unistd.h>

namespace qv {
namespace {

const QByteArray kRequest = "raise\n";
// "raise <token>\n" when the asking copy has an activation token.
const QByteArray kRequestWithToken = "raise ";
constexpr qint64 kMaxLine = 512;

// Tokens are printable ASCII without spaces on every desktop; anything else is
// dropped rather than handed to the window system.
bool plausibleToken(const QByteArray& token) {
    if (token.isEmpty() || token.size() > kMaxLine - 8)
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
bool peerIsSameUser(const QLocalSocket& socket) {
    ucred cred{};
    socklen_t len = sizeof cred;
    const auto fd = static_cast<int>(socket.socketDescriptor());
    if (fd < 0 || getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0)
        return false;
    return cred.uid == getuid();
}

} // namespace

SingleInstance::SingleInstance(const QString& runtimeDir, const QString& executableName,
                               QObject* parent)
    : QObject(parent), m_dir(runtimeDir), m_exe(executableName) {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::serve);
}

SingleInstance::~SingleInstance() {
    m_server.close();
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
    if (!m_server.listen(serverName())) {
        QLocalServer::removeServer(serverName());
        m_server.listen(serverName());
    }
    return true;
}

void SingleInstance::serve() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!peerIsSameUser(*socket)) {
            socket->abort();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (!socket->canReadLine())
                return;
            const QByteArray line = socket->readLine(kMaxLine);
            QString token;
            bool request = line == kRequest;
            if (!request && line.startsWith(kRequestWithToken) && line.endsWith('\n')) {
                const QByteArray t = line.mid(kRequestWithToken.size()).chopped(1);
                request = true;
                if (plausibleToken(t))
                    token = QString::fromLatin1(t);
            }
            const bool raised = request && m_raise && m_raise(token);
            socket->write(raised ? kRaised : kDeclined);
            socket->flush();
            socket->disconnectFromServer();
        });
    }
}

bool SingleInstance::askFirstToRaise(int timeoutMs) {
    QLocalSocket socket;
    // The first copy may still be starting up and not listen yet.
    for (int attempt = 0; attempt < 10; ++attempt) {
        socket.connectToServer(serverName());
        if (socket.waitForConnected(timeoutMs / 10))
            break;
        socket.abort();
        usleep(static_cast<useconds_t>(timeoutMs) * 100);
    }
    if (socket.state() != QLocalSocket::ConnectedState)
        return false;
    const QByteArray token = m_token.toLatin1();
    socket.write(plausibleToken(token) ? kRequestWithToken + token + '\n' : kRequest);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    return socket.readLine(64) == kRaised;
}

} // namespace qv
