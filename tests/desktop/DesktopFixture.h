#pragma once

#include "FakeSession.h"
#include "app/AppFixture.h"
#include "desktop/SessionDesktop.h"

#include <QDBusPendingCallWatcher>
#include <QStringList>
#include <QTest>

namespace qv::testing {

// A main window with the real desktop services on a bus of the test's own, the
// clock and the tick driven by hand. Everything Qt prints is caught: the
// desktop services must stay silent whatever the bus does.
class DesktopTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        messages().clear();
        m_previous = qInstallMessageHandler(&DesktopTest::catchMessage);
    }
    void TearDown() override {
        form.reset();
        desktop.reset();
        qInstallMessageHandler(m_previous);
        AppTest::TearDown();
        EXPECT_TRUE(messages().isEmpty())
            << "printed: " << messages().join(QLatin1Char('\n')).toStdString();
    }

    void startOn(QDBusConnection connection, std::int32_t startTime, bool loop = false) {
        writeTimers({timer("Tea", startTime, loop)});
        data = std::make_unique<TCommonData>(SoundSystem::createSilent());
        desktop = std::make_unique<SessionDesktop>([connection] { return connection; });
        form = std::make_unique<TMainForm>(
            *data, MainFormOptions{AppPaths::inFolder(dir.path()), &clock, &tick, desktop.get()});
        form->show();
        // The tray icon is made once the event loop runs.
        QCoreApplication::processEvents();
    }
    void startWith(std::int32_t startTime, bool loop = false) {
        ASSERT_TRUE(bus.ok()) << "no private bus: is dbus-daemon installed?";
        startOn(bus.client(), startTime, loop);
    }

    // Waits until everything the program sent has reached the services: the bus
    // keeps one sender's messages in order, so the answer to a later call means
    // the earlier ones were handled.
    void settle() {
        QDBusMessage ping = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId"));
        QDBusPendingCallWatcher w(bus.client().asyncCall(ping));
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.isFinished(); }, 5000));
        // And back: the services' own signals and replies reach the program.
        QDBusPendingCallWatcher back(bus.services().asyncCall(ping));
        EXPECT_TRUE(QTest::qWaitFor([&] { return back.isFinished(); }, 5000));
        QCoreApplication::processEvents();
    }
    template <typename F>
    bool waitFor(F f) {
        return QTest::qWaitFor(f, 5000);
    }

    TrayIcon& tray() { return *desktop->tray(); }

    static QStringList& messages() {
        static QStringList list;
        return list;
    }
    static void catchMessage(QtMsgType, const QMessageLogContext&, const QString& text) {
        // The offscreen platform's own remarks on what it cannot do to a window.
        if (text.startsWith(QLatin1String("This plugin does not support")))
            return;
        messages().append(text);
    }

    PrivateBus bus;
    std::unique_ptr<SessionDesktop> desktop;
    QtMessageHandler m_previous = nullptr;
};

} // namespace qv::testing
