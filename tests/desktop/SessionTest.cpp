#include "DesktopFixture.h"
#include "app/SingleInstance.h"

#include <QMenu>
#include <future>

namespace qv::testing {
namespace {

// --- idle inhibit ---------------------------------------------------------------

class Inhibit : public DesktopTest {};

TEST_F(Inhibit, TakenAtStartReleasedAtStopAndAtZero) {
    FakePortal portal(bus.services());
    startWith(3);
    settle();
    EXPECT_TRUE(portal.inhibits.empty()) << "nothing while idle";

    startStop()->click();
    ASSERT_TRUE(waitFor([&] { return portal.active() == 1; }));
    EXPECT_EQ(portal.inhibits[0].flags, 4u) << "the suspend flag";
    EXPECT_EQ(portal.inhibits[0].reason, QStringLiteral("A timer is counting down"));
    seconds(1);
    startStop()->click();
    ASSERT_TRUE(waitFor([&] { return portal.active() == 0; }));

    startStop()->click();
    ASSERT_TRUE(waitFor([&] { return portal.active() == 1; }));
    ASSERT_EQ(portal.inhibits.size(), 2u);
    seconds(1);
    settle();
    EXPECT_EQ(portal.active(), 1);
    seconds(1);
    // At zero the run is over though the display flashes: suspend may come.
    ASSERT_TRUE(form->engine().expired());
    ASSERT_TRUE(waitFor([&] { return portal.active() == 0; }));
    key(Qt::Key_Space);
    settle();
    EXPECT_EQ(portal.inhibits.size(), 2u);
}

TEST_F(Inhibit, ALoopingRunKeepsItAcrossZerosAndAStopBeforeTheAnswerStillLetsGo) {
    FakePortal portal(bus.services());
    startWith(2, true);
    startStop()->click();
    seconds(5);
    settle();
    EXPECT_EQ(portal.active(), 1);
    EXPECT_EQ(portal.inhibits.size(), 1u);

    // START and STOP before the portal's answer arrives: once it comes, let go.
    startStop()->click();
    settle();
    startStop()->click();
    startStop()->click();
    ASSERT_TRUE(waitFor([&] { return portal.inhibits.size() == 2 && portal.active() == 0; }));
}

// --- launcher entry ----------------------------------------------------------------

class Launcher : public DesktopTest {};

TEST_F(Launcher, ShowsTheShareCountedAndUrgencyWhileFlashing) {
    LauncherSignals launcher(bus.services());
    startWith(10);
    settle();
    EXPECT_TRUE(launcher.updates.empty());
    startStop()->click();
    ASSERT_TRUE(waitFor([&] { return launcher.updates.size() == 1; }));
    auto last = [&] { return launcher.updates.back().props; };
    EXPECT_EQ(launcher.updates[0].appUri,
              QStringLiteral("application://net.brindlemoor.Quorvantel.desktop"));
    EXPECT_TRUE(last().value(QStringLiteral("progress-visible")).toBool());
    EXPECT_DOUBLE_EQ(last().value(QStringLiteral("progress")).toDouble(), 0.0);
    EXPECT_FALSE(last().value(QStringLiteral("urgent")).toBool());

    seconds(4);
    ASSERT_TRUE(waitFor([&] { return launcher.updates.size() == 5; }));
    EXPECT_DOUBLE_EQ(last().value(QStringLiteral("progress")).toDouble(), 0.4);
    // Ticks between seconds send nothing.
    tickAfter(100);
    tickAfter(100);
    settle();
    EXPECT_EQ(launcher.updates.size(), 5u);

    seconds(6);
    ASSERT_TRUE(waitFor([&] { return last().value(QStringLiteral("urgent")).toBool(); }));
    EXPECT_DOUBLE_EQ(last().value(QStringLiteral("progress")).toDouble(), 1.0);
    key(Qt::Key_Space);
    ASSERT_TRUE(
        waitFor([&] { return !last().value(QStringLiteral("progress-visible")).toBool(); }));
    EXPECT_FALSE(last().value(QStringLiteral("urgent")).toBool());
}

// A bar of a few dozen pixels shows whole percents: a five-minute run sends
// one signal every three seconds, not one a second.
TEST_F(Launcher, ALongRunSendsOnlyWholePercents) {
    LauncherSignals launcher(bus.services());
    startWith(300);
    startStop()->click();
    ASSERT_TRUE(waitFor([&] { return launcher.updates.size() == 1; }));
    seconds(5); // 0.3, 0.7, 1.0, 1.3 and 1.7 percent
    ASSERT_TRUE(waitFor([&] { return launcher.updates.size() == 3; }));
    settle();
    EXPECT_EQ(launcher.updates.size(), 3u);
    EXPECT_DOUBLE_EQ(launcher.updates[1].props.value(QStringLiteral("progress")).toDouble(), 0.01);
    EXPECT_DOUBLE_EQ(launcher.updates[2].props.value(QStringLiteral("progress")).toDouble(), 0.02);
}

TEST_F(Launcher, AResumedRunGoesOnFromWhereItStood) {
    LauncherSignals launcher(bus.services());
    startWith(4);
    startStop()->click();
    seconds(1);
    startStop()->click();
    startStop()->click();
    seconds(1);
    settle();
    ASSERT_FALSE(launcher.updates.empty());
    EXPECT_DOUBLE_EQ(launcher.updates.back().props.value(QStringLiteral("progress")).toDouble(),
                     0.5);
}

// --- tray icon -----------------------------------------------------------------------

class Tray : public DesktopTest {};

TEST_F(Tray, TooltipIsTheProgramTitleAndThePictureTheRunState) {
    startWith(120);
    ASSERT_NE(desktop->tray(), nullptr);
    EXPECT_EQ(tray().icon().toolTip(), QStringLiteral("Quorvantel"));
    EXPECT_EQ(tray().pictureKey(), -1);
    startStop()->click();
    seconds(1);
    EXPECT_EQ(tray().icon().toolTip(), QStringLiteral("Quorvantel - 00:01:59"));
    EXPECT_EQ(tray().icon().toolTip(), form->programTitle());
    EXPECT_EQ(tray().pictureKey(), TrayIcon::kPieSteps) << "119 of 120 s left: a full pie";
    seconds(59);
    EXPECT_EQ(tray().icon().toolTip(), QStringLiteral("Quorvantel - 00:01:00"));
    EXPECT_EQ(tray().pictureKey(), TrayIcon::kPieSteps / 2);
    startStop()->click();
    EXPECT_EQ(tray().icon().toolTip(), QStringLiteral("Quorvantel"));
    EXPECT_EQ(tray().pictureKey(), -1);
    startStop()->click();
    seconds(60);
    EXPECT_EQ(tray().icon().toolTip(), QStringLiteral("Quorvantel - 00:00:00"));
    EXPECT_EQ(tray().pictureKey(), -2) << "flashing";
    EXPECT_EQ(tray().icon().toolTip(), form->programTitle());
}

TEST_F(Tray, WithoutATrayNoPictureIsPainted) {
    startWith(120);
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable()) << "the test bus has no tray";
    startStop()->click();
    seconds(3);
    EXPECT_EQ(tray().pictureKey(), TrayIcon::kPieSteps - 1);
    EXPECT_FALSE(tray().icon().isVisible());
    EXPECT_TRUE(tray().icon().icon().isNull());
}

TEST_F(Tray, MenuEntriesDoWhatTheWindowsControlsDo) {
    startWith(2);
    QAction* startStopEntry = tray().startStopAction();
    QAction* resetEntry = tray().resetAction();
    EXPECT_EQ(startStopEntry->text(), QStringLiteral("Start"));
    EXPECT_TRUE(resetEntry->isEnabled());

    startStopEntry->trigger();
    EXPECT_TRUE(form->engine().running());
    EXPECT_EQ(startStop()->text(), QStringLiteral("STOP"));
    EXPECT_EQ(startStopEntry->text(), QStringLiteral("Stop"));
    EXPECT_FALSE(resetEntry->isEnabled()) << "as RESET is while counting";
    seconds(2);
    EXPECT_EQ(startStopEntry->text(), QStringLiteral("Stop"));
    startStopEntry->trigger();
    EXPECT_FALSE(tick.enabled);
    EXPECT_FALSE(startStop()->isEnabled()) << "stopped at zero";
    EXPECT_FALSE(startStopEntry->isEnabled());
    resetEntry->trigger();
    EXPECT_EQ(ledText(), QStringLiteral("00:00:02"));
    EXPECT_TRUE(startStopEntry->isEnabled());

    form->showMinimized();
    tray().showAction()->trigger();
    EXPECT_FALSE(form->isMinimized());
    form->showMinimized();
    Q_EMIT tray().icon().activated(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(form->isMinimized()) << "a click brings the window forward";

    // Exit asks while a run counts, as File > Exit does; No keeps it running.
    startStopEntry->trigger();
    MessageBox::queueYes(false);
    tray().exitAction()->trigger();
    EXPECT_FALSE(form->closeAccepted());
    EXPECT_TRUE(form->engine().running());
    const auto shown = MessageBox::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].kind, MessageBox::Kind::Confirm);
    MessageBox::takeBeeps();
    MessageBox::queueYes(true);
    tray().exitAction()->trigger();
    EXPECT_TRUE(form->closeAccepted());
    MessageBox::clear();
}

// --- missing services ------------------------------------------------------------------

class Missing : public DesktopTest {
protected:
    // A whole run to zero, the flashing ended with SPACE, and a close.
    void runThrough() {
        startStop()->click();
        seconds(2);
        EXPECT_TRUE(form->engine().expired());
        tickAfter(100);
        EXPECT_EQ(ledText(), QString::fromLatin1(CountdownEngine::kBlankText));
        key(Qt::Key_Space);
        EXPECT_EQ(ledText(), QStringLiteral("00:00:02"));
        EXPECT_EQ(tray().icon().toolTip(), QStringLiteral("Quorvantel"));
        form->close();
        EXPECT_TRUE(form->closeAccepted());
    }
};

TEST_F(Missing, NoBusAtAll) {
    startOn(noBus(), 2);
    runThrough();
}

TEST_F(Missing, ABusWithoutAnyOfTheServices) {
    startWith(2);
    runThrough();
    settle();
}

// --- who the program is -----------------------------------------------------------------

TEST(DesktopIdentity, TheDesktopFileNameIsTheAppId) {
    SessionDesktop::nameApplication();
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("net.brindlemoor.Quorvantel"));
}

bool askWithToken(const QString& dir, const QString& token) {
    auto answer = std::async(std::launch::async, [dir, token] {
        SingleInstance second(dir, QStringLiteral("Quorvantel"));
        second.setActivationToken(token);
        return second.askFirstToRaise(2000);
    });
    while (answer.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return answer.get();
}

TEST(DesktopIdentity, ASecondCopyHandsItsActivationTokenToTheFirst) {
    QTemporaryDir dir;
    SingleInstance first(dir.path(), QStringLiteral("Quorvantel"));
    ASSERT_TRUE(first.acquire());
    QStringList tokens;
    first.setRaiseHandler([&](const QString& token) {
        tokens.append(token);
        return true;
    });
    EXPECT_TRUE(askWithToken(dir.path(), QStringLiteral("host-4711-1_TIME8812")));
    EXPECT_TRUE(askWithToken(dir.path(), QString()));
    // A token that could not be one is dropped, but the request still counts.
    EXPECT_TRUE(askWithToken(dir.path(), QStringLiteral("two words")));
    EXPECT_EQ(tokens, (QStringList{QStringLiteral("host-4711-1_TIME8812"), QString(), QString()}));
}

} // namespace
} // namespace qv::testing
