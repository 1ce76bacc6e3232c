// The window's one place that changes the run, as the command line and D-Bus
// reach it: the same result as the keyboard, refusals that change nothing.

#include "AppFixture.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

namespace qv::testing {
namespace {

class RunCommands : public AppTest {
protected:
    CommandResult run(RunCommand c, const char* timer = "") {
        return form->command(c, QString::fromUtf8(timer));
    }
    QString state() { return form->status().state; }
};

TEST_F(RunCommands, StartSelectsByNameIgnoringCaseAndLeavesACountingRunAlone) {
    writeTimers({timer("Eggs", 300), timer("Tea", 120)});
    start();
    ASSERT_TRUE(run(RunCommand::Start, "tea").ok());
    EXPECT_EQ(combo()->currentText(), QStringLiteral("Tea"));
    EXPECT_EQ(form->activeTimerIndex(), 1);
    EXPECT_EQ(state(), QStringLiteral("counting"));
    EXPECT_EQ(startStop()->text(), QStringLiteral("STOP"));
    seconds(2);
    EXPECT_TRUE(run(RunCommand::Start, "Eggs").ok()) << "already counting: nothing changes";
    EXPECT_EQ(form->status().timer, QStringLiteral("Tea"));
    EXPECT_EQ(form->status().timeLeft, QStringLiteral("00:01:58"));

    const CommandResult unknown = run(RunCommand::Start, "Coffee");
    EXPECT_EQ(unknown.error, CommandResult::Error::NoSuchTimer);
    EXPECT_EQ(unknown.message, QStringLiteral("There is no timer named \"Coffee\"."));
    EXPECT_EQ(state(), QStringLiteral("counting"));
}

TEST_F(RunCommands, TheCommandsDoWhatTheKeysDo) {
    writeTimers({timer("Tea", 3)});
    start();
    ASSERT_TRUE(run(RunCommand::Toggle).ok());
    EXPECT_EQ(state(), QStringLiteral("counting"));
    EXPECT_EQ(form->keyCycle(), TMainForm::KeyCycle::Start);
    seconds(1);
    run(RunCommand::Toggle);
    EXPECT_EQ(state(), QStringLiteral("paused"));
    EXPECT_EQ(form->keyCycle(), TMainForm::KeyCycle::Stop) << "the same cycle as SPACE";
    key(Qt::Key_Space);
    seconds(1);
    run(RunCommand::Reset);
    EXPECT_EQ(state(), QStringLiteral("idle"));
    EXPECT_EQ(ledText(), QStringLiteral("00:00:03"));

    // Stop while flashing ends the flash and resets, as SPACE there does.
    run(RunCommand::Start);
    seconds(3);
    ASSERT_EQ(state(), QStringLiteral("flashing"));
    run(RunCommand::Stop);
    EXPECT_EQ(state(), QStringLiteral("idle"));
    EXPECT_EQ(ledText(), QStringLiteral("00:00:03"));
    EXPECT_TRUE(startStop()->isEnabled());

    // A start after a stop at zero counts from the top instead of expiring.
    run(RunCommand::Start);
    seconds(3);
    form->StartStopButtonClick();
    ASSERT_FALSE(startStop()->isEnabled());
    run(RunCommand::Start);
    seconds(1);
    EXPECT_EQ(ledText(), QStringLiteral("00:00:02"));
    // A start while flashing ends the flash and starts anew.
    seconds(2);
    ASSERT_EQ(state(), QStringLiteral("flashing"));
    run(RunCommand::Start);
    EXPECT_EQ(state(), QStringLiteral("counting"));
}

TEST_F(RunCommands, NothingIsDoneWhileAModalDialogIsOpen) {
    writeTimers({timer("Tea", 300)});
    start();
    QDialog dialog(form.get());
    std::vector<CommandResult> results;
    QTimer::singleShot(0, &dialog, [&] {
        for (RunCommand c :
             {RunCommand::Start, RunCommand::Stop, RunCommand::Reset, RunCommand::Toggle})
            results.push_back(run(c));
        dialog.reject();
    });
    dialog.exec();
    ASSERT_EQ(results.size(), 4u);
    for (const CommandResult& r : results) {
        EXPECT_EQ(r.error, CommandResult::Error::Busy);
        EXPECT_FALSE(r.message.isEmpty());
    }
    EXPECT_EQ(state(), QStringLiteral("idle"));
    EXPECT_TRUE(run(RunCommand::Start).ok()) << "and works again once it is closed";
}

TEST_F(RunCommands, ChangesOfTimerOrStateAreAnnouncedAndPlainSecondsAreNot) {
    writeTimers({timer("Eggs", 300), timer("Tea", 120)});
    start();
    int changes = 0;
    QObject::connect(form.get(), &TMainForm::runChanged, [&changes] { ++changes; });
    run(RunCommand::Start, "Tea");
    EXPECT_GE(changes, 1);
    changes = 0;
    seconds(5);
    EXPECT_EQ(changes, 0) << "nothing once a second";
    run(RunCommand::Stop);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(form->timers(), (QStringList{QStringLiteral("Eggs"), QStringLiteral("Tea")}));
}

} // namespace
} // namespace qv::testing
