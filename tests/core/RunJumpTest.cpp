// The run after a stall, a sleep or the program's end: the time left is where
// the clock says, what was skipped is not made up, and a zero passed on the
// way expires once.

#include "tests/core/EngineFakes.h"

#include <gtest/gtest.h>
#include <vector>

using namespace qv;
using namespace qv::test;
using S = std::vector<std::string>;

namespace {

constexpr std::int64_t kMinute = 60'000;

class RunJump : public EngineFixture {
protected:
    // A sleep: the clock moves on by `ms` and the first tick after it comes.
    Step sleep(std::int64_t ms) {
        clock.now += ms;
        return engine.MainTimerTimer();
    }
};

TEST_F(RunJump, SleepPastARuleStartActsOnceForTheNewTimeLeft) {
    TimerRecord r;
    r.StartTime = 600; // 10 minutes
    r.GenAnnInterval = 60;
    r.GenAnnAction = AnnounceTimeLeft;
    r.Rules[0] = {true, PlayBeep, 10, 150, ""}; // rule 1: beep every 10 s from 00:02:30
    load(r);
    engine.beginRun();
    runSeconds(10);
    host.events.clear();

    EXPECT_EQ(sleep(8 * kMinute), Step::Counted);
    EXPECT_EQ(host.displays(), S{"00:01:50"});
    EXPECT_EQ(host.heard(), S{"00:01:50 sound:1"}) << "the rule in force now, once; no burst";
    EXPECT_EQ(engine.phase(), RunPhase::Counting);

    host.events.clear();
    sleep(5'000);
    EXPECT_EQ(host.displays(), S{"00:01:45"});
    EXPECT_TRUE(host.heard().empty()) << "105 is no multiple of 10";
    sleep(5'000);
    EXPECT_EQ(host.heard(), S{"00:01:40 sound:1"});
}

TEST_F(RunJump, SleepPastZeroExpiresOnceAndFlashes) {
    load(120);
    engine.beginRun();
    runSeconds(3);
    host.events.clear();
    const std::int64_t zeroAt = clock.now + 117'000;

    EXPECT_EQ(sleep(8 * kMinute + 300), Step::Zero);
    EXPECT_EQ(host.displays(), S{"00:00:00"});
    EXPECT_EQ(host.heard(), S{"00:00:00 sound:0"}) << "one fanfare for the zero in the sleep";
    EXPECT_EQ(engine.phase(), RunPhase::Flashing);
    EXPECT_TRUE(engine.expired());
    EXPECT_TRUE(engine.zeroPassedUnseen());
    EXPECT_EQ(engine.zeroAtMs(), zeroAt) << "the moment of the zero, not of the tick";
}

TEST_F(RunJump, ZeroAtTheStepItselfIsSeen) {
    load(2);
    engine.beginRun();
    runSeconds(2);
    EXPECT_EQ(engine.phase(), RunPhase::Flashing);
    EXPECT_FALSE(engine.zeroPassedUnseen());
}

TEST_F(RunJump, LoopingTimerGoesOnAtItsPlaceInTheCurrentLoop) {
    TimerRecord r;
    r.StartTime = 60;
    r.TimerLoop = true;
    r.TimerExpAction = PlayLongBeep;
    r.GenAnnInterval = 5;
    r.GenAnnAction = PlayTick;
    load(r);
    engine.beginRun();
    runSeconds(10); // 00:00:50 left
    host.events.clear();

    // 50 s to the first zero, two more loops (120 s), then 7 s into the next.
    EXPECT_EQ(sleep(177'000), Step::Zero);
    EXPECT_EQ(host.displays(), S{"00:00:53"});
    EXPECT_EQ(host.heard(), S{"00:00:53 sound:3"}) << "one expiry, no tick, for the whole jump";
    EXPECT_EQ(engine.phase(), RunPhase::Counting);
    // The loop now began at its latest zero, 7 s ago, with a full minute.
    EXPECT_EQ(engine.leftAtRun(), 60);
    EXPECT_EQ(engine.runBegunMs(), clock.now - 7'000);
    EXPECT_EQ(engine.zeroAtMs(), clock.now - 7'000);

    host.events.clear();
    runSeconds(53);
    EXPECT_EQ(host.displays().back(), "00:00:00");
    EXPECT_EQ(host.heard().back(), "00:00:00 sound:3");
    runSeconds(1);
    EXPECT_EQ(engine.displayText(), "00:00:59");
}

TEST_F(RunJump, LoopingTimerLandingExactlyOnAZeroShowsIt) {
    load(60, true);
    engine.beginRun();
    EXPECT_EQ(sleep(120'000), Step::Zero);
    EXPECT_EQ(host.displays(), S{"00:00:00"});
    EXPECT_EQ(host.heard().size(), 1u);
    runSeconds(1);
    EXPECT_EQ(engine.displayText(), "00:00:59");
}

// A run taken up at the next start: where it would be now, silently.
TEST_F(RunJump, ResumedRunCountsOnFromWhereItWouldBe) {
    TimerRecord r;
    r.StartTime = 120;
    r.GenAnnInterval = 1;
    r.GenAnnAction = PlayBeep;
    load(r);
    EXPECT_EQ(engine.resume(120, 3'400), Step::Counted);
    EXPECT_EQ(host.displays(), S{"00:01:57"});
    EXPECT_TRUE(host.heard().empty()) << "taking up a run makes no sound";
    EXPECT_EQ(engine.phase(), RunPhase::Counting);
    EXPECT_TRUE(tick.enabled);
    EXPECT_EQ(engine.leftAtRun(), 120);
    EXPECT_EQ(engine.runBegunMs(), clock.now - 3'400);

    host.events.clear();
    advance(500);
    EXPECT_TRUE(host.events.empty());
    advance(100);
    EXPECT_EQ(host.heard(), S{"00:01:56 sound:1"}) << "the next second on the old run's beat";
}

TEST_F(RunJump, ResumedRunWhoseZeroPassedFlashesSilently) {
    load(3);
    EXPECT_EQ(engine.resume(3, 10'000), Step::Zero);
    EXPECT_EQ(host.displays(), S{"00:00:00"});
    EXPECT_TRUE(host.heard().empty());
    EXPECT_EQ(engine.phase(), RunPhase::Flashing);
    EXPECT_EQ(engine.zeroAtMs(), clock.now - 7'000);
    EXPECT_TRUE(engine.zeroPassedUnseen());
}

TEST_F(RunJump, ResumedLoopingRunStandsInItsLoop) {
    load(60, true);
    EXPECT_EQ(engine.resume(30, 30'000 + 3 * 60'000 + 12'500), Step::Zero);
    EXPECT_EQ(host.displays(), S{"00:00:48"});
    EXPECT_TRUE(host.heard().empty());
    EXPECT_EQ(engine.phase(), RunPhase::Counting);
    EXPECT_EQ(engine.runBegunMs(), clock.now - 12'500);
}

TEST_F(RunJump, ResumedWithinTheFirstSecondShowsTheTimeLeft) {
    load(120);
    EXPECT_EQ(engine.resume(90, 400), Step::None);
    EXPECT_EQ(host.displays(), S{"00:01:30"});
    advance(600);
    EXPECT_EQ(engine.displayText(), "00:01:29");
}

TEST_F(RunJump, PhaseFollowsTheRun) {
    load(5);
    EXPECT_EQ(engine.phase(), RunPhase::Idle);
    engine.beginRun();
    EXPECT_EQ(engine.phase(), RunPhase::Counting);
    runSeconds(2);
    engine.endRun();
    EXPECT_EQ(engine.phase(), RunPhase::Paused);
    engine.reset();
    EXPECT_EQ(engine.phase(), RunPhase::Idle);
    engine.resumeFlashing();
    EXPECT_EQ(engine.phase(), RunPhase::Flashing);
    EXPECT_TRUE(engine.expired());
    EXPECT_EQ(engine.displayText(), "00:00:00");
    EXPECT_STREQ(phaseName(engine.phase()), "flashing");
    EXPECT_STREQ(phaseName(RunPhase::Paused), "paused");
}

} // namespace
