#include "FakeSession.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <QTest>
#include <atomic>

namespace qv::testing {
namespace {

// A session bus that starts nothing on demand: a call to a service nobody owns
// fails at once, as on a desktop without that service, instead of starting the
// machine's own notification server.
const char* const kBusConfig = R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

QString uniqueName(const char* what) {
    static std::atomic<int> n{0};
    return QStringLiteral("qv-test-%1-%2").arg(QLatin1String(what)).arg(++n);
}

QString configFile() {
    static const QString path = [] {
        const QString p = QDir::temp().filePath(
            QStringLiteral("qv-test-bus-%1.conf").arg(QCoreApplication::applicationPid()));
        QFile f(p);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(kBusConfig);
        return p;
    }();
    return path;
}

} // namespace

PrivateBus::PrivateBus() {
    m_daemon.setProgram(QStringLiteral("dbus-daemon"));
    m_daemon.setArguments({QStringLiteral("--config-file=") + configFile(),
                           QStringLiteral("--print-address=1"), QStringLiteral("--nofork"),
                           QStringLiteral("--nopidfile")});
    m_daemon.setProcessChannelMode(QProcess::SeparateChannels);
    m_daemon.start();
    if (!m_daemon.waitForStarted(5000))
        return;
    while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(5000)) {
    }
    m_address = QString::fromLatin1(m_daemon.readLine()).trimmed();
    if (m_address.isEmpty())
        return;
    m_clientName = uniqueName("client");
    m_servicesName = uniqueName("services");
    m_client = QDBusConnection::connectToBus(m_address, m_clientName);
    m_services = QDBusConnection::connectToBus(m_address, m_servicesName);
}

PrivateBus::~PrivateBus() {
    if (!m_clientName.isEmpty()) {
        QDBusConnection::disconnectFromBus(m_clientName);
        QDBusConnection::disconnectFromBus(m_servicesName);
    }
    m_daemon.terminate();
    if (!m_daemon.waitForFinished(5000))
        m_daemon.kill();
    m_daemon.waitForFinished(5000);
}

QDBusConnection noBus() {
    static const QString name = uniqueName("nobus");
    return QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/qv-no-bus"), name);
}

// --- notifications ------------------------------------------------------------

FakeNotifications::FakeNotifications(QDBusConnection bus, Mode mode)
    : m_bus(std::move(bus)), m_mode(mode) {
    m_bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                         QDBusConnection::ExportAllSlots);
    m_bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
}

FakeNotifications::~FakeNotifications() {
    m_bus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
    m_bus.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
}

bool FakeNotifications::refuse() {
    if (m_mode == Mode::Fail) {
        sendErrorReply(QDBusError::Failed, QStringLiteral("the server is broken"));
        return true;
    }
    if (m_mode == Mode::Silent) {
        setDelayedReply(true);
        m_unanswered.push_back(message());
        return true;
    }
    return false;
}

quint32 FakeNotifications::Notify(const QString& appName, quint32 replacesId, const QString& icon,
                                  const QString& summary, const QString& body,
                                  const QStringList& actions, const QVariantMap& hints,
                                  qint32 timeout) {
    if (refuse())
        return 0;
    quint32 id = replacesId;
    if (id == 0 || std::find(open.begin(), open.end(), id) == open.end()) {
        id = m_next++;
        open.push_back(id);
    }
    shown.push_back({appName, replacesId, icon, summary, body, actions, hints, timeout, id});
    return id;
}

void FakeNotifications::CloseNotification(quint32 id) {
    if (refuse())
        return;
    closed.push_back(id);
    const auto it = std::find(open.begin(), open.end(), id);
    if (it == open.end())
        return;
    open.erase(it);
    QDBusMessage signal = QDBusMessage::createSignal(
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("NotificationClosed"));
    signal << id << quint32(3);
    m_bus.send(signal);
}

QStringList FakeNotifications::GetCapabilities() {
    return {QStringLiteral("actions"), QStringLiteral("body")};
}

// As servers do: the action is reported, then the notification is closed.
void FakeNotifications::invoke(quint32 id, const QString& action) {
    QDBusMessage signal = QDBusMessage::createSignal(
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("ActionInvoked"));
    signal << id << action;
    m_bus.send(signal);
    const auto it = std::find(open.begin(), open.end(), id);
    if (it != open.end()) {
        open.erase(it);
        QDBusMessage closedSignal = QDBusMessage::createSignal(
            QStringLiteral("/org/freedesktop/Notifications"),
            QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("NotificationClosed"));
        closedSignal << id << quint32(2);
        m_bus.send(closedSignal);
    }
}

// --- portal -----------------------------------------------------------------------

FakePortal::FakePortal(QDBusConnection bus) : m_bus(std::move(bus)) {
    m_bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), this,
                         QDBusConnection::ExportAllSlots);
    m_bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"));
}

FakePortal::~FakePortal() {
    m_bus.unregisterService(QStringLiteral("org.freedesktop.portal.Desktop"));
    m_bus.unregisterObject(QStringLiteral("/org/freedesktop/portal/desktop"));
    for (const auto& i : inhibits)
        m_bus.unregisterObject(i.handle);
}

QDBusObjectPath FakePortal::Inhibit(const QString& window, quint32 flags,
                                    const QVariantMap& options) {
    const QString handle =
        QStringLiteral("/org/freedesktop/portal/desktop/request/test/r%1").arg(inhibits.size() + 1);
    inhibits.push_back({window, flags, options.value(QStringLiteral("reason")).toString(), handle});
    m_requests.push_back(std::make_unique<FakeRequest>(*this, handle));
    m_bus.registerObject(handle, m_requests.back().get(), QDBusConnection::ExportAllSlots);
    return QDBusObjectPath(handle);
}

void FakePortal::closeRequest(const QString& path) {
    for (auto& i : inhibits)
        if (i.handle == path)
            i.closed = true;
}

int FakePortal::active() const {
    int n = 0;
    for (const auto& i : inhibits)
        n += i.closed ? 0 : 1;
    return n;
}

// --- launcher entry ---------------------------------------------------------------

LauncherSignals::LauncherSignals(QDBusConnection bus) {
    bus.connect(QString(), QString(), QStringLiteral("com.canonical.Unity.LauncherEntry"),
                QStringLiteral("Update"), this, SLOT(update(QString, QVariantMap)));
}

void LauncherSignals::update(const QString& appUri, const QVariantMap& props) {
    updates.push_back({appUri, props});
}

} // namespace qv::testing
