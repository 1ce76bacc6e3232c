#include "desktop/DBusService.h"

#include <QDBusMessage>
#include <algorithm>

namespace qv {
namespace {

// An activation token from a launcher: Wayland's, else the X11 startup id.
QString tokenOf(const QVariantMap& platformData) {
    QString token = platformData.value(QStringLiteral("activation-token")).toString();
    if (token.isEmpty())
        token = platformData.value(QStringLiteral("desktop-startup-id")).toString();
    return token;
}

// Sends the D-Bus error for a refused command; true when it was refused.
bool refused(QDBusContext& context, const CommandResult& result) {
    switch (result.error) {
    case CommandResult::Error::None:
        return false;
    case CommandResult::Error::NoSuchTimer:
        context.sendErrorReply(QString::fromLatin1(DBusService::kNoSuchTimer), result.message);
        return true;
    case CommandResult::Error::Busy:
        context.sendErrorReply(QString::fromLatin1(DBusService::kBusy), result.message);
        return true;
    }
    return false;
}

} // namespace

ControlAdaptor::ControlAdaptor(DBusService* service)
    : QDBusAbstractAdaptor(service), m_service(service) {}

QString ControlAdaptor::timer() const {
    return m_service->control().status().timer;
}
uint ControlAdaptor::timeLeft() const {
    return static_cast<uint>(std::max(m_service->control().status().secondsLeft, 0));
}
QString ControlAdaptor::state() const {
    return m_service->control().status().state;
}

void ControlAdaptor::run(RunCommand command, const QString& name) {
    refused(*m_service, m_service->control().command(command, name));
}

void ControlAdaptor::Start(const QString& name) {
    run(RunCommand::Start, name);
}
void ControlAdaptor::Stop() {
    run(RunCommand::Stop);
}
void ControlAdaptor::Reset() {
    run(RunCommand::Reset);
}
void ControlAdaptor::Toggle() {
    run(RunCommand::Toggle);
}
QStringList ControlAdaptor::List() {
    return m_service->control().timers();
}

ApplicationAdaptor::ApplicationAdaptor(DBusService* service)
    : QDBusAbstractAdaptor(service), m_service(service) {}

void ApplicationAdaptor::Activate(const QVariantMap& platformData) {
    m_service->control().activate(tokenOf(platformData));
}

// There is nothing to open: the window comes forward, as for Activate.
void ApplicationAdaptor::Open(const QStringList&, const QVariantMap& platformData) {
    m_service->control().activate(tokenOf(platformData));
}

void ApplicationAdaptor::ActivateAction(const QString& name, const QVariantList&,
                                        const QVariantMap&) {
    RunCommand command;
    if (name == QLatin1String(DBusService::kToggleAction))
        command = RunCommand::Toggle;
    else if (name == QLatin1String(DBusService::kResetAction))
        command = RunCommand::Reset;
    else {
        m_service->sendErrorReply(QDBusError::InvalidArgs,
                                  QStringLiteral("No action named '%1'.").arg(name));
        return;
    }
    refused(*m_service, m_service->control().command(command, QString()));
}

DBusService::DBusService(RunControl& control, QObject* parent)
    : QObject(parent), m_control(control) {
    new ControlAdaptor(this);
    new ApplicationAdaptor(this);
}

bool DBusService::publish(QDBusConnection bus) {
    if (!bus.isConnected())
        return false;
    if (!bus.registerObject(QString::fromLatin1(kPath), this, QDBusConnection::ExportAdaptors))
        return false;
    if (!bus.registerService(QString::fromLatin1(kName))) {
        bus.unregisterObject(QString::fromLatin1(kPath));
        return false;
    }
    m_bus = bus;
    m_last = m_control.status();
    return true;
}

void DBusService::runChanged() {
    if (!m_bus.isConnected())
        return;
    const RunStatus now = m_control.status();
    QVariantMap changed;
    if (now.timer != m_last.timer)
        changed.insert(QStringLiteral("Timer"), now.timer);
    if (now.state != m_last.state)
        changed.insert(QStringLiteral("State"), now.state);
    m_last = now;
    if (changed.isEmpty())
        return;
    changed.insert(QStringLiteral("TimeLeft"), static_cast<uint>(std::max(now.secondsLeft, 0)));
    QDBusMessage signal = QDBusMessage::createSignal(
        QString::fromLatin1(kPath), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(kInterface) << changed << QStringList();
    m_bus.send(signal);
}

} // namespace qv
