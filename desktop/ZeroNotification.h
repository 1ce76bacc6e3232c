#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <functional>

namespace qv {

// The desktop notification at zero (org.freedesktop.Notifications). One
// notification at a time: a looping timer replaces it at each zero. Every call
// is asynchronous; a missing or failing server is silence.
class ZeroNotification : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kService = "org.freedesktop.Notifications";
    static constexpr const char* kPath = "/org/freedesktop/Notifications";
    static constexpr const char* kStopAction = "stop";
    static constexpr const char* kShowAction = "default";

    ZeroNotification(QDBusConnection bus, std::function<void()> onStop,
                     std::function<void()> onShow, QObject* parent = nullptr);

    // The timer's name as summary; `body` as the text, or "The timer has
    // reached 00:00:00." when it is empty.
    void show(const QString& timerName, const QString& body = QString());
    void withdraw();
    // The server's id of the notification on screen, 0 when none is known.
    quint32 currentId() const { return m_id; }

private Q_SLOTS:
    void actionInvoked(quint32 id, const QString& action);
    void notificationClosed(quint32 id, quint32 reason);

private:
    void listen();
    void send();

    QDBusConnection m_bus;
    std::function<void()> m_onStop;
    std::function<void()> m_onShow;
    quint32 m_id = 0;
    QString m_timerName;
    QString m_body;
    bool m_wanted = false;
    // One Notify at a time: a zero that comes while the server has not yet
    // given the id waits for it, so that it replaces instead of adding.
    bool m_inFlight = false;
    bool m_again = false;
    bool m_listening = false;
};

} // namespace qv
