// The program's own object on a private session bus, called as another
// program would call it.

#include "desktop/DBusService.h"

#include "DesktopFixture.h"

#include <QDBusMessage>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QDialog>
#include <QTimer>

namespace qv::testing {
namespace {

// Counts the program's PropertiesChanged signals and keeps the last.
class ChangeListener final : public QObject {
    Q_OBJECT
public:
    int count = 0;
    QVariantMap last;
public Q_SLOTS:
    void changed(const QString&, const QVariantMap& properties, const QStringList&) {
        ++count;
        last = properties;
    }
};

class DBusControl : public DesktopTest {
protected:
    void publish(std::int32_t startTime) {
        startWith(startTime);
        service = std::make_unique<DBusService>(*form);
        QObject::connect(form.get(), &TMainForm::runChanged, service.get(),
                         &DBusService::runChanged);
        ASSERT_TRUE(service->publish(bus.client()));
        bus.services().connect(
            QString::fromLatin1(DBusService::kName), QString::fromLatin1(DBusService::kPath),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"),
            &listener, SLOT(changed(QString, QVariantMap, QStringList)));
        settle();
    }
    // A call from another program, answered while this thread runs the loop.
    QDBusMessage call(const char* iface, const char* method, const QVariantList& args = {}) {
        QDBusMessage m = QDBusMessage::createMethodCall(
            QString::fromLatin1(DBusService::kName), QString::fromLatin1(DBusService::kPath),
            QString::fromLatin1(iface), QString::fromLatin1(method));
        m.setArguments(args);
        QDBusPendingCall pending = bus.services().asyncCall(m);
        QDBusPendingCallWatcher w(pending);
        EXPECT_TRUE(waitFor([&] { return w.isFinished(); }));
        settle();
        return w.reply();
    }
    QDBusMessage control(const char* method, const QVariantList& args = {}) {
        return call(DBusService::kInterface, method, args);
    }
    QVariant property(const char* name) {
        const QDBusMessage reply =
            call("org.freedesktop.DBus.Properties", "Get",
                 {QString::fromLatin1(DBusService::kInterface), QString::fromLatin1(name)});
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }

    std::unique_ptr<DBusService> service;
    ChangeListener listener;
};

TEST_F(DBusControl, MethodsDriveTheRunAndPropertiesReadIt) {
    publish(300);
    EXPECT_EQ(property("State").toString(), QStringLiteral("idle"));
    EXPECT_EQ(property("Timer").toString(), QStringLiteral("Tea"));
    EXPECT_EQ(property("TimeLeft").toUInt(), 300u);

    EXPECT_EQ(control("Start", {QStringLiteral("TEA")}).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(property("State").toString(), QStringLiteral("counting"));
    seconds(3);
    EXPECT_EQ(property("TimeLeft").toUInt(), 297u);
    control("Stop");
    EXPECT_EQ(property("State").toString(), QStringLiteral("paused"));
    control("Toggle");
    EXPECT_EQ(property("State").toString(), QStringLiteral("counting"));
    control("Reset");
    EXPECT_EQ(property("State").toString(), QStringLiteral("idle"));
    EXPECT_EQ(control("List").arguments().value(0).toStringList(),
              QStringList{QStringLiteral("Tea")});

    call("org.freedesktop.Application", "ActivateAction",
         {QStringLiteral("toggle"), QVariantList{}, QVariantMap{}});
    EXPECT_EQ(property("State").toString(), QStringLiteral("counting"));
    call("org.freedesktop.Application", "ActivateAction",
         {QStringLiteral("reset"), QVariantList{}, QVariantMap{}});
    EXPECT_EQ(property("State").toString(), QStringLiteral("idle"));
}

TEST_F(DBusControl, RefusalsAreDBusErrorsAndChangeNothing) {
    publish(300);
    const QDBusMessage unknown = control("Start", {QStringLiteral("Coffee")});
    EXPECT_EQ(unknown.type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(unknown.errorName(), QString::fromLatin1(DBusService::kNoSuchTimer));
    EXPECT_TRUE(unknown.errorMessage().contains(QStringLiteral("Coffee")));
    const QDBusMessage action = call("org.freedesktop.Application", "ActivateAction",
                                     {QStringLiteral("explode"), QVariantList{}, QVariantMap{}});
    EXPECT_EQ(action.type(), QDBusMessage::ErrorMessage);

    // While a modal dialog is open every command is Busy.
    QDialog dialog(form.get());
    QDBusMessage busy;
    QTimer::singleShot(0, &dialog, [&] {
        busy = control("Toggle");
        dialog.reject();
    });
    dialog.exec();
    EXPECT_EQ(busy.errorName(), QString::fromLatin1(DBusService::kBusy));
    EXPECT_EQ(form->status().state, QStringLiteral("idle"));
}

TEST_F(DBusControl, PropertiesChangedComesWithChangesOfStateOnly) {
    publish(300);
    control("Start", {QString()});
    EXPECT_EQ(listener.count, 1);
    EXPECT_EQ(listener.last.value(QStringLiteral("State")).toString(), QStringLiteral("counting"));
    EXPECT_TRUE(listener.last.contains(QStringLiteral("TimeLeft")));
    EXPECT_FALSE(listener.last.contains(QStringLiteral("Timer"))) << "the timer did not change";
    for (int i = 0; i < 5; ++i) {
        seconds(1);
        settle();
    }
    EXPECT_EQ(listener.count, 1) << "nothing once a second";
    control("Stop");
    EXPECT_EQ(listener.count, 2);
    EXPECT_EQ(listener.last.value(QStringLiteral("State")).toString(), QStringLiteral("paused"));
    EXPECT_EQ(listener.last.value(QStringLiteral("TimeLeft")).toUInt(), 295u);
}

} // namespace
} // namespace qv::testing

#include "DBusServiceTest.moc"
