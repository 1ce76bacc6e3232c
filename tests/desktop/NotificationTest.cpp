#include "DesktopFixture.h"

namespace qv::testing {
namespace {

using Mode = FakeNotifications::Mode;

class Notification : public DesktopTest {};

TEST_F(Notification, AtZeroNamesTheTimerAndStaysUntilDealtWith) {
    FakeNotifications server(bus.services());
    startWith(3);
    startStop()->click();
    seconds(2);
    settle();
    EXPECT_TRUE(server.shown.empty()) << "nothing before zero";
    seconds(1);
    ASSERT_TRUE(waitFor([&] { return server.shown.size() == 1; }));
    const auto& n = server.shown[0];
    EXPECT_EQ(n.appName, QStringLiteral("Quorvantel"));
    EXPECT_EQ(n.replacesId, 0u);
    EXPECT_EQ(n.icon, QStringLiteral("net.brindlemoor.Quorvantel"));
    EXPECT_EQ(n.summary, QStringLiteral("Tea"));
    EXPECT_TRUE(n.body.contains(QStringLiteral("00:00:00"))) << n.body.toStdString();
    EXPECT_EQ(n.hints.value(QStringLiteral("desktop-entry")).toString(),
              QStringLiteral("net.brindlemoor.Quorvantel"));
    EXPECT_EQ(n.hints.value(QStringLiteral("urgency")).toInt(), 2);
    EXPECT_EQ(n.timeout, 0);
    ASSERT_EQ(n.actions.size() % 2, 0);
    const int stop = n.actions.indexOf(QStringLiteral("stop"));
    ASSERT_GE(stop, 0);
    EXPECT_EQ(stop % 2, 0) << "an action key, not a label";
    EXPECT_EQ(n.actions.value(stop + 1), QStringLiteral("Stop"));
    // Flashing goes on while the notification is up.
    tickAfter(100);
    tickAfter(100);
    settle();
    EXPECT_EQ(server.shown.size(), 1u);
    EXPECT_TRUE(server.closed.empty());
}

TEST_F(Notification, ItsStopActionEndsTheFlashingAndResetsAsSpaceWould) {
    FakeNotifications server(bus.services());
    startWith(3);
    startStop()->click();
    seconds(3);
    ASSERT_TRUE(waitFor([&] { return server.shown.size() == 1; }));
    ASSERT_TRUE(form->engine().expired());
    const auto cycle = form->keyCycle();

    server.invoke(server.shown[0].id, QStringLiteral("stop"));
    ASSERT_TRUE(waitFor([&] { return !tick.enabled; }));
    EXPECT_FALSE(form->engine().expired());
    EXPECT_EQ(startStop()->text(), QStringLiteral("START"));
    EXPECT_TRUE(startStop()->isEnabled()) << "reset after the stop: START works again";
    EXPECT_EQ(ledText(), QStringLiteral("00:00:03"));
    EXPECT_EQ(form->programTitle(), QStringLiteral("Quorvantel"));
    EXPECT_EQ(form->keyCycle(), cycle) << "only SPACE moves the keyboard cycle";

    // An action arriving again, or for a notification long gone, does nothing.
    startStop()->click();
    seconds(1);
    server.invoke(server.shown[0].id, QStringLiteral("stop"));
    settle();
    EXPECT_TRUE(form->engine().running());
    EXPECT_EQ(ledText(), QStringLiteral("00:00:02"));
}

TEST_F(Notification, IsWithdrawnWhenTheFlashingEndsInTheWindow) {
    FakeNotifications server(bus.services());
    startWith(2);
    startStop()->click();
    seconds(2);
    ASSERT_TRUE(waitFor([&] { return server.open.size() == 1; }));
    // ESC resets but the display goes on flashing: the notification stays.
    key(Qt::Key_Escape);
    settle();
    EXPECT_EQ(server.open.size(), 1u);
    key(Qt::Key_Space);
    ASSERT_TRUE(waitFor([&] { return server.open.empty(); }));
    EXPECT_EQ(server.closed, std::vector<quint32>{server.shown[0].id});
}

TEST_F(Notification, ALoopingTimerReplacesItsOneNotificationAtEachZero) {
    FakeNotifications server(bus.services());
    startWith(2, true);
    startStop()->click();
    seconds(2);
    ASSERT_TRUE(waitFor([&] { return server.shown.size() == 1; }));
    seconds(2);
    ASSERT_TRUE(waitFor([&] { return server.shown.size() == 2; }));
    seconds(2);
    ASSERT_TRUE(waitFor([&] { return server.shown.size() == 3; }));
    EXPECT_EQ(server.shown[1].replacesId, server.shown[0].id);
    EXPECT_EQ(server.shown[2].replacesId, server.shown[0].id);
    EXPECT_EQ(server.open.size(), 1u);
    EXPECT_TRUE(form->engine().running());

    // Its stop action stops the counting run and resets it.
    server.invoke(server.shown[2].id, QStringLiteral("stop"));
    ASSERT_TRUE(waitFor([&] { return !form->engine().running(); }));
    EXPECT_EQ(ledText(), QStringLiteral("00:00:02"));
}

TEST_F(Notification, ClosedByTheUserIsNotClosedAgainNorActedOn) {
    FakeNotifications server(bus.services());
    startWith(1);
    startStop()->click();
    seconds(1);
    ASSERT_TRUE(waitFor([&] { return server.shown.size() == 1; }));
    const quint32 id = server.shown[0].id;
    server.CloseNotification(id); // as the user's close button does on the server
    server.closed.clear();
    settle();
    server.invoke(id, QStringLiteral("stop"));
    settle();
    EXPECT_TRUE(form->engine().expired()) << "a closed notification's action is stale";
    key(Qt::Key_Space);
    settle();
    EXPECT_TRUE(server.closed.empty());
}

// A server that fails every call, or never answers, changes nothing in the
// window and prints nothing; later zeros still try again.
TEST_F(Notification, AFailingOrSilentServerChangesNothing) {
    for (Mode mode : {Mode::Fail, Mode::Silent}) {
        form.reset();
        desktop.reset();
        FakeNotifications server(bus.services(), mode);
        startWith(2);
        startStop()->click();
        seconds(2);
        EXPECT_TRUE(form->engine().expired());
        tickAfter(100);
        EXPECT_EQ(ledText(), QString::fromLatin1(CountdownEngine::kBlankText));
        key(Qt::Key_Space);
        EXPECT_FALSE(tick.enabled);
        EXPECT_EQ(ledText(), QStringLiteral("00:00:02"));
        startStop()->click();
        seconds(2);
        settle();
        EXPECT_TRUE(form->engine().expired());
        MessageBox::takeBeeps();
        EXPECT_TRUE(server.shown.empty());
    }
}

} // namespace
} // namespace qv::testing
