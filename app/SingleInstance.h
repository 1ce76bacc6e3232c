#pragma once

#include <QByteArray>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QSocketNotifier;

namespace qv {

// One copy of the program per user. The first copy holds a lock named after
// its executable file (in upper case) and listens on a local socket; a later
// copy finds the lock taken, asks the first copy through the socket to come
// forward, and ends. A second lock, "Quorvantel", is held for the whole run so
// that other programs can tell that the program runs.
//
// Lock files and the socket live in the user's runtime folder (mode 0700), so
// no other user can take the lock or reach the socket. A lock left behind by a
// copy that crashed is stale and taken over at once. The socket is a plain Unix
// socket watched by the event loop, so the program loads no network library.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    SingleInstance(const QString& runtimeDir, const QString& executableName,
                   QObject* parent = nullptr);
    ~SingleInstance() override;

    // $XDG_RUNTIME_DIR, or a private folder named after the user in the
    // temporary folder when it is not set.
    static QString defaultRuntimeDir();

    // True for the first copy: it now holds the locks and listens. False when
    // another copy holds the lock. A lock that cannot be made at all (no
    // runtime folder) does not keep the program from running.
    bool acquire();

    // For a later copy: asks the first to come forward. True when it did;
    // false when it declined (busy counting down) or did not answer.
    bool askFirstToRaise(int timeoutMs = 2000);
    // For a later copy: the activation token it was started with (Wayland's
    // XDG_ACTIVATION_TOKEN, or the X11 startup id), handed to the first copy
    // with the request so that the compositor lets it come forward.
    void setActivationToken(const QString& token) { m_token = token; }

    // For any copy: hands a command line (one line of JSON, see CommandLine.h)
    // to the running copy and gives its answer line; nothing when no copy
    // runs or it did not answer in time. Waits for a copy that holds the lock
    // but does not listen yet (it is starting up).
    std::optional<QByteArray> ask(const QByteArray& request, int timeoutMs = 5000);

    // The first copy's answer to a command line.
    void setCommandHandler(std::function<QByteArray(const QByteArray& request)> handler) {
        m_command = std::move(handler);
    }

    // The first copy's answer to a request: true when the window came forward.
    // The second form is also given the asking copy's activation token (empty
    // when it had none).
    void setRaiseHandler(std::function<bool()> handler) {
        m_raise = [h = std::move(handler)](const QString&) { return h && h(); };
    }
    void setRaiseHandler(std::function<bool(const QString& token)> handler) {
        m_raise = std::move(handler);
    }

    QString lockPath() const;
    QString mutexPath() const;
    QString serverName() const;

private:
    struct Client {
        std::unique_ptr<QSocketNotifier> notifier;
        QByteArray received;
    };

    bool listen();
    // Connects to the first copy; -1 when there is none to reach.
    int connectToFirst(int attempts, int pauseMs);
    std::optional<QByteArray> exchange(int fd, const QByteArray& request, int timeoutMs,
                                       qsizetype maxAnswer);
    void serve();
    void readFrom(int fd);
    void drop(int fd);

    QString m_dir;
    QString m_exe;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLockFile> m_mutex;
    int m_listenFd = -1;
    std::unique_ptr<QSocketNotifier> m_listener;
    std::map<int, Client> m_clients;
    std::function<bool(const QString&)> m_raise;
    std::function<QByteArray(const QByteArray&)> m_command;
    QString m_token;
};

} // namespace qv
