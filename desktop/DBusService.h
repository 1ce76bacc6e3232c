#pragma once

#include "desktop/RunControl.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

namespace qv {

class DBusService;

// net.brindlemoor.Quorvantel1: the run, driven and read over the session bus.
class ControlAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "net.brindlemoor.Quorvantel1")
    Q_PROPERTY(QString Timer READ timer)
    Q_PROPERTY(uint TimeLeft READ timeLeft)
    Q_PROPERTY(QString State READ state)
public:
    explicit ControlAdaptor(DBusService* service);

    QString timer() const;
    uint timeLeft() const;
    QString state() const;

public Q_SLOTS:
    void Start(const QString& name);
    void Stop();
    void Reset();
    void Toggle();
    QStringList List();

private:
    void run(RunCommand command, const QString& name = QString());
    DBusService* m_service;
};

// org.freedesktop.Application: how launchers and docks start the program and
// its desktop actions when the desktop entry is D-Bus activatable.
class ApplicationAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    explicit ApplicationAdaptor(DBusService* service);

public Q_SLOTS:
    void Activate(const QVariantMap& platformData);
    void Open(const QStringList& uris, const QVariantMap& platformData);
    void ActivateAction(const QString& name, const QVariantList& parameter,
                        const QVariantMap& platformData);

private:
    DBusService* m_service;
};

// The program's object on the session bus, /net/brindlemoor/Quorvantel under
// the name net.brindlemoor.Quorvantel. Every method goes to the window's one
// place that changes the run. PropertiesChanged is sent when the selected
// timer or the run's state changed, never for a plain second: a listener reads
// TimeLeft when it needs it. The call being answered is this object's context
// (Qt delivers an adaptor's calls with its parent as the context).
class DBusService final : public QObject, public QDBusContext {
    Q_OBJECT
public:
    static constexpr const char* kName = "net.brindlemoor.Quorvantel";
    static constexpr const char* kPath = "/net/brindlemoor/Quorvantel";
    static constexpr const char* kInterface = "net.brindlemoor.Quorvantel1";
    static constexpr const char* kNoSuchTimer = "net.brindlemoor.Quorvantel1.Error.NoSuchTimer";
    static constexpr const char* kBusy = "net.brindlemoor.Quorvantel1.Error.Busy";
    // The desktop entry's actions, by their names there.
    static constexpr const char* kToggleAction = "toggle";
    static constexpr const char* kResetAction = "reset";

    explicit DBusService(RunControl& control, QObject* parent = nullptr);

    // Puts the object and the name on `bus`; false without a bus, or when the
    // name is taken.
    bool publish(QDBusConnection bus);

    RunControl& control() { return m_control; }
    // Tells the bus what changed since it was last told.
    void runChanged();

private:
    RunControl& m_control;
    QDBusConnection m_bus{QString()};
    RunStatus m_last;
};

} // namespace qv
