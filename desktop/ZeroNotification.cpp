#include "desktop/ZeroNotification.h"

#include "desktop/DesktopServices.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace qv {
namespace {

constexpr const char* kInterface = "org.freedesktop.Notifications";
// Critical notifications stay until they are dealt with on every common server.
constexpr uchar kUrgencyCritical = 2;

QDBusMessage notifyCall(const char* member) {
    return QDBusMessage::createMethodCall(QString::fromLatin1(ZeroNotification::kService),
                                          QString::fromLatin1(ZeroNotification::kPath),
                                          QString::fromLatin1(kInterface),
                                          QString::fromLatin1(member));
}

} // namespace

ZeroNotification::ZeroNotification(QDBusConnection bus, std::function<void()> onStop,
                                   std::function<void()> onShow, QObject* parent)
    : QObject(parent), m_bus(std::move(bus)), m_onStop(std::move(onStop)),
      m_onShow(std::move(onShow)) {}

// Signals are matched by path and interface alone: naming the service would make
// Qt ask the bus for its owner and wait for the answer.
void ZeroNotification::listen() {
    if (m_listening || !m_bus.isConnected())
        return;
    m_listening = true;
    const QString path = QString::fromLatin1(kPath);
    const QString iface = QString::fromLatin1(kInterface);
    m_bus.connect(QString(), path, iface, QStringLiteral("ActionInvoked"), this,
                  SLOT(actionInvoked(quint32, QString)));
    m_bus.connect(QString(), path, iface, QStringLiteral("NotificationClosed"), this,
                  SLOT(notificationClosed(quint32, quint32)));
}

void ZeroNotification::show(const QString& timerName, const QString& body) {
    if (!m_bus.isConnected())
        return;
    listen();
    m_wanted = true;
    m_timerName = timerName;
    m_body = body.isEmpty() ? tr("The timer has reached 00:00:00.") : body;
    if (m_inFlight) {
        m_again = true;
        return;
    }
    send();
}

void ZeroNotification::send() {
    QDBusMessage call = notifyCall("Notify");
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QString::fromLatin1(kDesktopAppId));
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(kUrgencyCritical));
    hints.insert(QStringLiteral("category"), QStringLiteral("x-quorvantel.zero"));
    const QStringList actions{QString::fromLatin1(kShowAction), tr("Show window"),
                              QString::fromLatin1(kStopAction), tr("Stop")};
    call << QStringLiteral("Quorvantel") << m_id << QString::fromLatin1(kDesktopAppId)
         << m_timerName << m_body << actions << hints << qint32(0);

    m_inFlight = true;
    m_again = false;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        m_inFlight = false;
        QDBusPendingReply<quint32> reply = *w;
        const quint32 id = reply.isError() ? 0 : reply.value();
        if (!m_wanted) {
            // Withdrawn while it was on its way.
            if (id != 0) {
                QDBusMessage close = notifyCall("CloseNotification");
                close << id;
                m_bus.asyncCall(close);
            }
            return;
        }
        if (id != 0)
            m_id = id;
        if (m_again)
            send();
    });
}

void ZeroNotification::withdraw() {
    if (!m_wanted)
        return;
    m_wanted = false;
    m_again = false;
    if (m_id != 0 && m_bus.isConnected()) {
        QDBusMessage close = notifyCall("CloseNotification");
        close << m_id;
        m_bus.asyncCall(close);
    }
    m_id = 0;
}

void ZeroNotification::actionInvoked(quint32 id, const QString& action) {
    if (!m_wanted || id == 0 || id != m_id)
        return;
    if (action == QLatin1String(kStopAction)) {
        if (m_onStop)
            m_onStop();
    } else if (action == QLatin1String(kShowAction)) {
        if (m_onShow)
            m_onShow();
    }
}

void ZeroNotification::notificationClosed(quint32 id, quint32) {
    if (id != 0 && id == m_id) {
        m_id = 0;
        m_wanted = false;
    }
}

} // namespace qv
