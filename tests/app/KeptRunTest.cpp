// A running timer outlives the program: kept in the run-state file at each
// change of the run, taken up at the next start, and kept or ended by each way
// the program can end.

#include "AppFixture.h"
#include "app/SessionRequest.h"
#include "audio/SoundPlayer.h"

#include <QDir>

namespace qv::testing {
namespace {

using test::ManualWallClock;

class RecordingPlayer final : public SoundPlayer {
public:
    void DoSound(const QString& sound) override { heard << sound; }
    void Announce(int, TTimeHMS t) override { heard << QString::fromStdString(formatTime(t)); }
    QStringList heard;
};

// What the desktop was told of zeros.
class ZeroRecorder final : public DesktopServices {
public:
    void attach(QWidget*, DesktopActions, const RunView&) override {}
    void runBegun(const RunView& v) override { begun << v.timerName; }
    void stepped(const RunView&) override {}
    void reachedZero(const RunView& v) override { zeros.push_back(v); }
    void runEnded(const RunView&) override {}
    void wasReset(const RunView&) override {}
    QStringList begun;
    std::vector<RunView> zeros;
};

class SessionStandIn final : public SessionRequest {
public:
    explicit SessionStandIn(bool interaction) : interaction(interaction) {}
    bool allowsInteraction() override {
        asked = true;
        return interaction;
    }
    void release() override { released = true; }
    void cancel() override { cancelled = true; }
    bool interaction;
    bool asked = false, released = false, cancelled = false;
};

class KeptRuns : public AppTest {
protected:
    // A program start: a new window over the same folders, with the clock of a
    // new boot (any origin) and the wall clock moved on by `laterMs`.
    void startProgram(std::int64_t laterMs = 0) {
        form.reset();
        data.reset();
        wall.now += laterMs;
        clock.now += 7'777'000;
        auto sound = std::make_unique<RecordingPlayer>();
        player = sound.get();
        data = std::make_unique<TCommonData>(std::move(sound));
        AppPaths paths = AppPaths::inFolder(dir.path());
        paths.stateDir = dir.filePath(QStringLiteral("state"));
        zeros = ZeroRecorder{};
        form = std::make_unique<TMainForm>(*data,
                                           MainFormOptions{paths, &clock, &tick, &zeros, &wall});
    }
    // The program killed: nothing of a close runs.
    void kill() {
        form->flushRunState();
        form.reset();
        data.reset();
    }
    QString statePath() const { return dir.filePath(QStringLiteral("state/run-state.json")); }
    KeptRun kept() {
        form->flushRunState();
        return runstate::read(statePath());
    }
    QString title() { return form->programTitle(); }

    ManualWallClock wall;
    ZeroRecorder zeros;
    RecordingPlayer* player = nullptr;
};

TEST_F(KeptRuns, TheFileIsWrittenAtEachChangeOfTheRunAndOnlyThen) {
    writeTimers({timer("Tea", 120), timer("Eggs", 300)});
    startProgram();
    EXPECT_FALSE(QFile::exists(statePath())) << "an idle start writes nothing";

    combo()->setCurrentIndex(1);
    form->TimerComboChange();
    startStop()->click();
    const KeptRun run = kept();
    EXPECT_EQ(run.kind, KeptRun::Kind::Counting);
    EXPECT_EQ(run.timer, QStringLiteral("Tea"));
    EXPECT_EQ(run.leftAtRun, 120);
    EXPECT_EQ(run.begunUtcMs, wall.now);

    // Counting seconds changes nothing that is kept.
    ASSERT_TRUE(QFile::remove(statePath()));
    for (int i = 0; i < 5; ++i) {
        wall.now += 1000;
        seconds(1);
    }
    form->flushRunState();
    EXPECT_FALSE(QFile::exists(statePath())) << "no write once a second";

    startStop()->click();
    EXPECT_EQ(kept().kind, KeptRun::Kind::None) << "STOP forgets the run";
    // A start after a pause keeps the time left at that start.
    startStop()->click();
    EXPECT_EQ(kept().leftAtRun, 115);
    key(Qt::Key_Escape);
    EXPECT_EQ(kept().kind, KeptRun::Kind::None);

    ASSERT_TRUE(QFile::remove(statePath()));
    combo()->setCurrentIndex(0);
    form->TimerComboChange();
    form->ResetButtonClick();
    form->flushRunState();
    EXPECT_FALSE(QFile::exists(statePath())) << "choosing a timer while idle is no change";
}

TEST_F(KeptRuns, AKilledRunComesBackWhereItWouldBeNow) {
    writeTimers({timer("Eggs", 600), timer("Tea", 300)});
    startProgram();
    combo()->setCurrentIndex(1);
    form->TimerComboChange();
    startStop()->click();
    seconds(3);
    kill();

    startProgram(63'400);
    EXPECT_EQ(combo()->currentText(), QStringLiteral("Tea"));
    EXPECT_EQ(form->activeTimerIndex(), 1);
    EXPECT_TRUE(form->engine().running());
    EXPECT_EQ(ledText(), QStringLiteral("00:03:57"));
    EXPECT_EQ(title(), QStringLiteral("Quorvantel - 00:03:57"));
    EXPECT_EQ(form->statusText(0), QStringLiteral("Running..."));
    EXPECT_EQ(startStop()->text(), QStringLiteral("STOP"));
    EXPECT_FALSE(combo()->isEnabled());
    EXPECT_EQ(zeros.begun, QStringList{QStringLiteral("Tea")});
    EXPECT_TRUE(zeros.zeros.empty());
    EXPECT_TRUE(player->heard.isEmpty());

    // On the old run's beat: 0.6 s to the next second.
    tickAfter(500);
    EXPECT_EQ(ledText(), QStringLiteral("00:03:57"));
    tickAfter(100);
    EXPECT_EQ(ledText(), QStringLiteral("00:03:56"));

    // SPACE stops it as any run; then nothing comes back.
    key(Qt::Key_Space);
    EXPECT_EQ(kept().kind, KeptRun::Kind::None);
    kill();
    startProgram(5'000);
    EXPECT_FALSE(form->engine().begun());
}

TEST_F(KeptRuns, AZeroPassedWhileClosedFlashesSilentlyAndIsTold) {
    writeTimers({timer("Tea", 3)});
    startProgram();
    const std::int64_t begun = wall.now;
    startStop()->click();
    kill();

    startProgram(10'000);
    EXPECT_EQ(form->engine().phase(), RunPhase::Flashing);
    EXPECT_EQ(form->engine().displayText(), "00:00:00");
    EXPECT_EQ(startStop()->text(), QStringLiteral("STOP"));
    EXPECT_TRUE(player->heard.isEmpty()) << "no sound for a zero long past";
    ASSERT_EQ(zeros.zeros.size(), 1u);
    const RunView& told = zeros.zeros[0];
    EXPECT_EQ(told.timerName, QStringLiteral("Tea"));
    EXPECT_TRUE(told.zeroWhileClosed);
    EXPECT_EQ(told.zeroAt.toMSecsSinceEpoch(), begun + 3'000);
    EXPECT_EQ(kept().kind, KeptRun::Kind::Flashing);

    // Killed again while it flashes: it flashes again, told once more but
    // not as a zero while closed (it was reached while running).
    kill();
    startProgram(60'000);
    EXPECT_EQ(form->engine().phase(), RunPhase::Flashing);
    EXPECT_EQ(title(), QStringLiteral("Quorvantel - 00:00:00"));
    ASSERT_EQ(zeros.zeros.size(), 1u);
    EXPECT_FALSE(zeros.zeros[0].zeroWhileClosed);
    EXPECT_EQ(zeros.zeros[0].zeroAt.toMSecsSinceEpoch(), begun + 3'000);

    // The end of the flash ends the run.
    key(Qt::Key_Space);
    EXPECT_EQ(kept().kind, KeptRun::Kind::None);
    EXPECT_EQ(ledText(), QStringLiteral("00:00:03"));
}

TEST_F(KeptRuns, ALoopingTimerComesBackInItsCurrentLoop) {
    writeTimers({timer("Laps", 60, true)});
    startProgram();
    const std::int64_t begun = wall.now;
    startStop()->click();
    kill();

    startProgram(3 * 60'000 + 20'000);
    EXPECT_TRUE(form->engine().running());
    EXPECT_EQ(ledText(), QStringLiteral("00:00:40"));
    ASSERT_EQ(zeros.zeros.size(), 1u);
    EXPECT_EQ(zeros.zeros[0].zeroAt.toMSecsSinceEpoch(), begun + 3 * 60'000) << "the latest zero";
    EXPECT_TRUE(player->heard.isEmpty());
    const KeptRun run = kept();
    EXPECT_EQ(run.kind, KeptRun::Kind::Counting);
    EXPECT_EQ(run.leftAtRun, 60);
    EXPECT_EQ(run.begunUtcMs, begun + 3 * 60'000) << "kept from the current loop's start";
}

TEST_F(KeptRuns, BadStateFilesAreHarmless) {
    writeTimers({timer("Tea", 300)});
    const QByteArray timers = fileBytes(timerPath());
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("state"))));
    KeptRun gone;
    gone.kind = KeptRun::Kind::Counting;
    gone.timer = QStringLiteral("Coffee");
    gone.leftAtRun = 100;
    gone.begunUtcMs = wall.now;
    KeptRun future = gone;
    future.timer = QStringLiteral("TEA");
    future.begunUtcMs = wall.now + 3'600'000;
    const QByteArray files[] = {"", "{\"version\":1,\"state\":\"counting\"", runstate::encode(gone),
                                runstate::encode(future), QByteArray(100'000, 'x')};
    for (const QByteArray& bytes : files) {
        QFile f(statePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        startProgram();
        EXPECT_FALSE(form->engine().begun()) << bytes.left(60).toStdString();
        EXPECT_EQ(ledText(), QStringLiteral("00:05:00"));
        EXPECT_TRUE(MessageBox::takeShown().isEmpty());
        EXPECT_EQ(fileBytes(statePath()), bytes) << "left until the run changes";
        // The next change writes it anew.
        startStop()->click();
        EXPECT_EQ(kept().timer, QStringLiteral("Tea"));
        startStop()->click();
        EXPECT_EQ(kept().kind, KeptRun::Kind::None);
        kill();
        EXPECT_EQ(fileBytes(timerPath()), timers) << "the timer file is never touched";
    }
    // A case that differs is the same timer: names are unique ignoring case.
    future.begunUtcMs = wall.now - 10'000;
    QFile f(statePath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(runstate::encode(future));
    f.close();
    startProgram();
    EXPECT_EQ(ledText(), QStringLiteral("00:01:30"));
}

TEST_F(KeptRuns, AConfirmedCloseEndsTheRunAndASignalKeepsIt) {
    writeTimers({timer("Tea", 300)});
    startProgram();
    startStop()->click();
    seconds(2);
    MessageBox::queueYes(true);
    ASSERT_TRUE(form->close());
    MessageBox::takeShown();
    MessageBox::takeBeeps();
    EXPECT_EQ(kept().kind, KeptRun::Kind::None);
    startProgram(5'000);
    EXPECT_FALSE(form->engine().begun());

    // A termination signal: everything a close saves, no question, the run kept.
    combo()->setCurrentIndex(0);
    startStop()->click();
    seconds(2);
    ASSERT_TRUE(QFile::remove(timerPath()));
    EXPECT_TRUE(form->endSession());
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
    EXPECT_EQ(MessageBox::takeBeeps(), 0);
    EXPECT_TRUE(form->closeAccepted());
    EXPECT_TRUE(QFile::exists(timerPath()));
    EXPECT_TRUE(hasSetting("SNumSettings"));
    EXPECT_TRUE(form->close()) << "the window then closes without asking";
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
    EXPECT_EQ(kept().kind, KeptRun::Kind::Counting);
    startProgram(10'000);
    EXPECT_EQ(ledText(), QStringLiteral("00:04:50")) << "ten seconds on the wall clock";
}

TEST_F(KeptRuns, TheSessionManagerIsAskedBeforeAnyQuestion) {
    writeTimers({timer("Tea", 300)});
    startProgram();
    startStop()->click();
    seconds(1);

    // No question allowed: nothing asked, everything saved, the run kept.
    SessionStandIn quiet(false);
    form->commitSession(quiet);
    EXPECT_TRUE(quiet.asked);
    EXPECT_FALSE(quiet.cancelled);
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
    EXPECT_TRUE(hasSetting("SNumSettings"));
    EXPECT_EQ(kept().kind, KeptRun::Kind::Counting);
    EXPECT_TRUE(form->engine().running());

    // A question allowed and answered No: the logout is cancelled.
    SessionStandIn no(true);
    MessageBox::queueYes(false);
    form->commitSession(no);
    EXPECT_EQ(MessageBox::takeBeeps(), 1);
    EXPECT_EQ(MessageBox::takeShown().size(), 1);
    EXPECT_TRUE(no.released);
    EXPECT_TRUE(no.cancelled);
    EXPECT_TRUE(form->engine().running());
    EXPECT_FALSE(form->closeAccepted());

    // Yes, but the timer file cannot be written: cancelled too, with the message.
    ASSERT_TRUE(QFile::remove(timerPath()));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("timers.xml")));
    SessionStandIn failing(true);
    MessageBox::queueYes(true);
    form->commitSession(failing);
    const auto shown = MessageBox::takeShown();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[1].kind, MessageBox::Kind::Error);
    EXPECT_TRUE(failing.cancelled);
    EXPECT_EQ(kept().kind, KeptRun::Kind::Counting);
    ASSERT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("timers.xml")));

    // Yes: a confirmed close.
    SessionStandIn yes(true);
    MessageBox::queueYes(true);
    form->commitSession(yes);
    EXPECT_FALSE(yes.cancelled);
    EXPECT_TRUE(yes.released);
    EXPECT_TRUE(form->closeAccepted());
    EXPECT_EQ(kept().kind, KeptRun::Kind::None);
    EXPECT_TRUE(QFile::exists(timerPath()));
}

} // namespace
} // namespace qv::testing
