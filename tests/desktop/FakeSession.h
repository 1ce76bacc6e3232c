#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QVariantMap>
#include <memory>
#include <vector>

namespace qv::testing {

// A session bus of the test's own: dbus-daemon started for the test and
// stopped with it. `client()` is the program's side, `services()` the side on
// which the test's stand-ins for the desktop's services live.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    bool ok() const { return m_client.isConnected() && m_services.isConnected(); }
    QString address() const { return m_address; }
    QDBusConnection client() const { return m_client; }
    QDBusConnection services() const { return m_services; }

private:
    QProcess m_daemon;
    QString m_address;
    QString m_clientName;
    QString m_servicesName;
    QDBusConnection m_client{QString()};
    QDBusConnection m_services{QString()};
};

// A connection that never reached a bus: what the program has without one.
QDBusConnection noBus();

// org.freedesktop.Notifications as servers answer it: ids from 1, replacement
// keeps the id, CloseNotification emits NotificationClosed. It can also answer
// every call with an error, or never answer at all.
class FakeNotifications : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    enum class Mode { Answer, Fail, Silent };
    struct Shown {
        QString appName;
        quint32 replacesId;
        QString icon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        qint32 timeout;
        quint32 id;
    };

    explicit FakeNotifications(QDBusConnection bus, Mode mode = Mode::Answer);
    ~FakeNotifications() override;

    // What the user does: clicks an action, or closes the notification.
    void invoke(quint32 id, const QString& action);

    std::vector<Shown> shown;
    std::vector<quint32> closed;
    // Notifications on screen now.
    std::vector<quint32> open;

public Q_SLOTS:
    quint32 Notify(const QString& appName, quint32 replacesId, const QString& icon,
                   const QString& summary, const QString& body, const QStringList& actions,
                   const QVariantMap& hints, qint32 timeout);
    void CloseNotification(quint32 id);
    QStringList GetCapabilities();

private:
    bool refuse();
    QDBusConnection m_bus;
    Mode m_mode;
    quint32 m_next = 1;
    std::vector<QDBusMessage> m_unanswered;
};

class FakeRequest;

// The desktop portal's Inhibit: each call makes a request object whose Close
// ends that inhibit.
class FakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Inhibit")
public:
    struct Inhibit {
        QString window;
        quint32 flags;
        QString reason;
        QString handle;
        bool closed = false;
    };
    explicit FakePortal(QDBusConnection bus);
    ~FakePortal() override;

    std::vector<Inhibit> inhibits;
    int active() const;
    void closeRequest(const QString& path);

public Q_SLOTS:
    QDBusObjectPath Inhibit(const QString& window, quint32 flags, const QVariantMap& options);

private:
    QDBusConnection m_bus;
    std::vector<std::unique_ptr<FakeRequest>> m_requests;
};

class FakeRequest : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Request")
public:
    FakeRequest(FakePortal& portal, QString path) : m_portal(portal), m_path(std::move(path)) {}
public Q_SLOTS:
    void Close() { m_portal.closeRequest(m_path); }

private:
    FakePortal& m_portal;
    QString m_path;
};

// Listens for the launcher entry's Update signals.
class LauncherSignals : public QObject {
    Q_OBJECT
public:
    struct Update {
        QString appUri;
        QVariantMap props;
    };
    explicit LauncherSignals(QDBusConnection bus);
    std::vector<Update> updates;

public Q_SLOTS:
    void update(const QString& appUri, const QVariantMap& props);
};

} // namespace qv::testing
