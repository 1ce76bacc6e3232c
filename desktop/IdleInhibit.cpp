#include "desktop/IdleInhibit.h"

#include "desktop/DesktopServices.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QVariantMap>

namespace qv {
namespace {

constexpr quint32 kPortalSuspend = 4;
constexpr quint32 kSessionSuspend = 4;

} // namespace

IdleInhibit::IdleInhibit(QDBusConnection bus, QObject* parent)
    : QObject(parent), m_bus(std::move(bus)) {}

IdleInhibit::~IdleInhibit() {
    m_wanted = false;
    letGo();
}

void IdleInhibit::take() {
    m_wanted = true;
    if (m_pending || held() || !m_bus.isConnected())
        return;
    ask(m_known != Backend::None ? m_known : Backend::Portal);
}

void IdleInhibit::release() {
    m_wanted = false;
    letGo();
}

void IdleInhibit::ask(Backend backend) {
    QDBusMessage call;
    const QString reason = tr(kReason);
    switch (backend) {
    case Backend::Portal: {
        call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.portal.Desktop"),
                                              QStringLiteral("/org/freedesktop/portal/desktop"),
                                              QStringLiteral("org.freedesktop.portal.Inhibit"),
                                              QStringLiteral("Inhibit"));
        QVariantMap options;
        options.insert(QStringLiteral("reason"), reason);
        call << m_windowId << kPortalSuspend << options;
        break;
    }
    case Backend::SessionManager:
        call = QDBusMessage::createMethodCall(
            QStringLiteral("org.gnome.SessionManager"), QStringLiteral("/org/gnome/SessionManager"),
            QStringLiteral("org.gnome.SessionManager"), QStringLiteral("Inhibit"));
        call << QString::fromLatin1(kDesktopAppId) << quint32(0) << reason << kSessionSuspend;
        break;
    case Backend::ScreenSaver:
        call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.ScreenSaver"),
                                              QStringLiteral("/org/freedesktop/ScreenSaver"),
                                              QStringLiteral("org.freedesktop.ScreenSaver"),
                                              QStringLiteral("Inhibit"));
        call << QStringLiteral("Quorvantel") << reason;
        break;
    case Backend::None:
        return;
    }
    m_pending = true;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, backend](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                answered(backend, w->reply());
            });
}

void IdleInhibit::answered(Backend backend, const QDBusMessage& reply) {
    m_pending = false;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        // This service is not there: try the next one, for as long as it is wanted.
        const Backend next = backend == Backend::Portal           ? Backend::SessionManager
                             : backend == Backend::SessionManager ? Backend::ScreenSaver
                                                                  : Backend::None;
        if (m_known == backend)
            m_known = Backend::None;
        if (m_wanted && next != Backend::None)
            ask(next);
        return;
    }
    m_held = backend;
    m_known = backend;
    if (backend == Backend::Portal)
        m_handle = reply.arguments().constFirst().value<QDBusObjectPath>();
    else
        m_cookie = reply.arguments().constFirst().toUInt();
    // Released while the request was on its way.
    if (!m_wanted)
        letGo();
}

void IdleInhibit::letGo() {
    if (!held())
        return;
    QDBusMessage call;
    switch (m_held) {
    case Backend::Portal:
        call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.portal.Desktop"), m_handle.path(),
            QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Close"));
        break;
    case Backend::SessionManager:
        call = QDBusMessage::createMethodCall(
            QStringLiteral("org.gnome.SessionManager"), QStringLiteral("/org/gnome/SessionManager"),
            QStringLiteral("org.gnome.SessionManager"), QStringLiteral("Uninhibit"));
        call << m_cookie;
        break;
    case Backend::ScreenSaver:
        call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.ScreenSaver"),
                                              QStringLiteral("/org/freedesktop/ScreenSaver"),
                                              QStringLiteral("org.freedesktop.ScreenSaver"),
                                              QStringLiteral("UnInhibit"));
        call << m_cookie;
        break;
    case Backend::None:
        return;
    }
    m_held = Backend::None;
    m_bus.asyncCall(call);
}

} // namespace qv
