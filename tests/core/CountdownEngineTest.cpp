#include "tests/core/EngineFakes.h"

#include <gtest/gtest.h>
#include <vector>

using namespace qv;
using namespace qv::test;
using S = std::vector<std::string>;

namespace {

class CountdownTiming : public EngineFixture {};

TEST_F(CountdownTiming, ThreeSecondTimerCountsDownThenFlashesUntilStopped) {
    load(3);
    EXPECT_EQ(engine.displayText(), "00:00:03");
    engine.beginRun();
    EXPECT_TRUE(tick.enabled);
    EXPECT_TRUE(host.events.empty()) << "START itself shows and plays nothing";

    advance(900);
    EXPECT_TRUE(host.events.empty());
    advance(100);
    EXPECT_EQ(host.displays(), S{"00:00:02"});
    runSeconds(1);
    EXPECT_EQ(host.displays(), (S{"00:00:02", "00:00:01"}));
    runSeconds(1);
    EXPECT_EQ(host.displays(), (S{"00:00:02", "00:00:01", "00:00:00"}));
    EXPECT_EQ(host.heard(), S{"00:00:00 sound:0"});
    EXPECT_FALSE(engine.running());
    EXPECT_TRUE(engine.expired());
    EXPECT_TRUE(tick.enabled) << "the tick stays on for the flashing";

    host.events.clear();
    advance(600);
    const S flashes = {"        ", "00:00:00", "        ", "00:00:00", "        ", "00:00:00"};
    S leds;
    for (const HostEvent& e : host.of(HostEvent::Led))
        leds.push_back(e.text);
    EXPECT_EQ(leds, flashes);
    EXPECT_EQ(host.events.size(), flashes.size()) << "nothing but the flash while expired";
    EXPECT_TRUE(engine.expired());
    EXPECT_EQ(engine.timeLeft(), (TTimeHMS{0, 0, 0}));

    engine.endRun();
    EXPECT_FALSE(tick.enabled);
    EXPECT_FALSE(engine.expired());
    EXPECT_EQ(engine.displayText(), "00:00:00");
}

TEST_F(CountdownTiming, ResetClearsExpiredWithoutTouchingTheRunState) {
    load(3);
    engine.beginRun();
    runSeconds(3);
    ASSERT_TRUE(engine.expired());
    engine.reset();
    EXPECT_FALSE(engine.expired());
    EXPECT_FALSE(engine.running());
    EXPECT_TRUE(tick.enabled);
    EXPECT_EQ(engine.displayText(), "00:00:03");
}

TEST_F(CountdownTiming, LoopingTimerStartsOverWithoutShowingTheStartValue) {
    load(3, true);
    engine.beginRun();
    runSeconds(9);
    EXPECT_EQ(host.displays(), (S{"00:00:02", "00:00:01", "00:00:00", "00:00:02", "00:00:01",
                                  "00:00:00", "00:00:02", "00:00:01", "00:00:00"}));
    EXPECT_EQ(host.heard(), (S{"00:00:00 sound:0", "00:00:00 sound:0", "00:00:00 sound:0"}));
    EXPECT_TRUE(engine.running());
    EXPECT_FALSE(engine.expired());
    EXPECT_TRUE(host.of(HostEvent::Led).empty()) << "a looping timer never flashes";
}

TEST_F(CountdownTiming, BorrowsThroughMinutesAndHours) {
    load(combineTime(10, 0, 1));
    engine.beginRun();
    runSeconds(3);
    EXPECT_EQ(host.displays(), (S{"10:00:00", "09:59:59", "09:59:58"}));
    EXPECT_EQ(engine.timeLeft(), (TTimeHMS{9, 59, 58}));

    load(combineTime(0, 2, 0));
    engine.beginRun();
    runSeconds(1);
    EXPECT_EQ(host.displays(), S{"00:01:59"});
}

TEST_F(CountdownTiming, StopPartWayIntoASecondDropsThatPart) {
    load(10);
    engine.beginRun();
    advance(2700);
    EXPECT_EQ(engine.displayText(), "00:00:08");
    engine.endRun();
    EXPECT_FALSE(tick.enabled);
    clock.now += 5'432; // paused: no ticks arrive
    EXPECT_EQ(engine.timeLeft(), (TTimeHMS{0, 0, 8})) << "a stop is a pause";

    host.events.clear();
    engine.beginRun();
    // Ticks out of step with the earlier run: 50 ms after each tenth.
    clock.now += 50;
    engine.MainTimerTimer();
    advance(900);
    EXPECT_TRUE(host.events.empty()) << "0.95 s after START";
    advance(100);
    EXPECT_EQ(host.displays(), S{"00:00:07"});
}

TEST_F(CountdownTiming, LateTickTakesOffEverySecondThatPassed) {
    load(10);
    engine.beginRun();
    runSeconds(1);
    ASSERT_EQ(engine.displayText(), "00:00:09");
    clock.now += 3'000; // the next tick comes 3 s late
    EXPECT_EQ(engine.MainTimerTimer(), Step::Counted);
    EXPECT_EQ(host.displays(), (S{"00:00:09", "00:00:06"})) << "one refresh for the jump";
    EXPECT_EQ(engine.secondsCounted(), 4);
    advance(900);
    EXPECT_EQ(engine.displayText(), "00:00:06");
    advance(100);
    EXPECT_EQ(engine.displayText(), "00:00:05") << "back in step with the clock";
}

TEST_F(CountdownTiming, ClockThatGoesBackDoesNotStep) {
    load(10);
    engine.beginRun();
    clock.now -= 5'000;
    engine.MainTimerTimer();
    EXPECT_TRUE(host.events.empty());
    EXPECT_EQ(engine.timeLeft(), (TTimeHMS{0, 0, 10}));
}

// A looping timer over several days, one step per second, far past any
// midnight. Two ticks a second: one that finds the new second, one that doesn't.
TEST_F(CountdownTiming, LoopingTimerRunsForDaysAtOneStepPerSecond) {
    TimerRecord r;
    r.StartTime = combineTime(1, 0, 0);
    r.TimerLoop = true;
    r.TimerExpAction = PlayLongBeep;
    r.GenAnnInterval = 900;
    r.GenAnnAction = PlayTick;
    load(r);
    clock.now = 86'399'000; // the clock's own origin carries no meaning
    engine.beginRun();

    constexpr int kSeconds = 3 * 24 * 3600 + 1234;
    int steps = 0, expiries = 0, ticks = 0;
    for (int s = 1; s <= kSeconds; ++s) {
        clock.now += 500;
        engine.MainTimerTimer();
        clock.now += 500;
        engine.MainTimerTimer();
        for (const HostEvent& e : host.events) {
            steps += e.kind == HostEvent::Display;
            expiries += e.kind == HostEvent::Sound && e.text == "3";
            ticks += e.kind == HostEvent::Sound && e.text == "2";
        }
        host.events.clear();
    }
    EXPECT_EQ(steps, kSeconds);
    EXPECT_EQ(expiries, kSeconds / 3600);
    EXPECT_EQ(ticks, kSeconds / 3600 * 3 + 1) << "00:45:00, 00:30:00, 00:15:00 each hour";
    EXPECT_EQ(engine.secondsCounted(), kSeconds);
    EXPECT_EQ(engine.timeLeft(), splitTime(3600 - 1234));
    EXPECT_TRUE(engine.running());
}

TEST_F(CountdownTiming, EscWhileFlashingKeepsFlashingTheStartValue) {
    load(3);
    engine.beginRun();
    runSeconds(3);
    advance(100);
    ASSERT_EQ(host.led, "        ");

    // ESC: not running, so only RESET.
    ASSERT_FALSE(engine.running());
    engine.reset();
    EXPECT_EQ(host.led, "00:00:03");
    EXPECT_FALSE(engine.expired());

    host.events.clear();
    runSeconds(2);
    S leds;
    for (const HostEvent& e : host.of(HostEvent::Led))
        leds.push_back(e.text);
    ASSERT_EQ(leds.size(), 20u);
    for (std::size_t i = 0; i < leds.size(); ++i)
        EXPECT_EQ(leds[i], i % 2 == 0 ? "00:00:03" : "        ") << i;
    EXPECT_TRUE(host.displays().empty()) << "the start value does not count down";
    EXPECT_TRUE(host.heard().empty());
    EXPECT_EQ(engine.timeLeft(), (TTimeHMS{0, 0, 3}));
}

TEST_F(CountdownTiming, LateTickAfterTheSourceIsOffShowsTheDisplayText) {
    load(3);
    engine.beginRun();
    runSeconds(3);
    advance(200); // blank, then text: the next flashing tick would blank
    ASSERT_TRUE(engine.flashPhase());
    engine.endRun();
    engine.MainTimerTimer(); // handed over before the source went off
    EXPECT_EQ(host.led, "00:00:00");
    engine.MainTimerTimer();
    EXPECT_EQ(host.led, "00:00:00") << "with the source off the text always shows";
}

TEST_F(CountdownTiming, FlashPhaseCarriesOverIntoTheNextRun) {
    load(3);
    engine.beginRun();
    runSeconds(3);
    advance(100); // blanked: the next flashing tick shows the text
    engine.endRun();
    engine.reset();
    engine.beginRun();
    runSeconds(3);
    advance(100);
    EXPECT_EQ(host.led, "00:00:00");
}

// Decided behaviour: a run begun with nothing left expires on its first step and
// never shows a time below zero.
TEST_F(CountdownTiming, RunBegunAtZeroExpiresOnItsFirstStep) {
    load(0);
    engine.beginRun();
    advance(900);
    EXPECT_TRUE(host.events.empty());
    advance(100);
    EXPECT_EQ(host.displays(), S{"00:00:00"});
    EXPECT_EQ(host.heard(), S{"00:00:00 sound:0"});
    EXPECT_TRUE(engine.expired());
    EXPECT_FALSE(engine.running());
    EXPECT_EQ(engine.timeLeft(), (TTimeHMS{0, 0, 0}));
}

TEST_F(CountdownTiming, RestartAfterAStopAtZeroExpiresAgain) {
    load(2);
    engine.beginRun();
    runSeconds(2);
    engine.endRun();
    engine.beginRun(); // SPACE ignores the disabled START button
    host.events.clear();
    runSeconds(3);
    EXPECT_EQ(host.displays(), S{"00:00:00"});
    EXPECT_EQ(host.heard(), S{"00:00:00 sound:0"});
    EXPECT_TRUE(engine.expired());
    for (const HostEvent& e : host.of(HostEvent::Led))
        EXPECT_TRUE(e.text == "        " || e.text == "00:00:00") << e.text;
}

TEST_F(CountdownTiming, LoopingTimerWithZeroStartFlashesInsteadOfLooping) {
    load(0, true);
    engine.beginRun();
    runSeconds(3);
    EXPECT_EQ(host.heard(), S{"00:00:00 sound:0"}) << "one expiry, not one per second";
    EXPECT_TRUE(engine.expired());
    EXPECT_FALSE(engine.running());
    EXPECT_EQ(host.of(HostEvent::Led).size(), 20u);
}

TEST_F(CountdownTiming, NegativeStartTimeFromAnEditedFileShowsZero) {
    load(-75);
    EXPECT_EQ(engine.displayText(), "00:00:00");
    EXPECT_EQ(engine.startValue(), (TTimeHMS{0, 0, 0}));
    engine.beginRun();
    runSeconds(2);
    EXPECT_EQ(host.displays(), S{"00:00:00"});
    EXPECT_TRUE(engine.expired());
}

TEST_F(CountdownTiming, ExpiryActionByCode) {
    const struct {
        std::int32_t code;
        S heard;
    } cases[] = {
        {PlayFanfare, {"00:00:00 sound:0"}},
        {PlayLongBeep, {"00:00:00 sound:3"}}, // not "1"
        {PlayCustomExpirySound, {"00:00:00 sound:/home/u/gong.wav"}},
        {3, {}},
        {-1, {}},
    };
    for (const auto& c : cases) {
        TimerRecord r;
        r.StartTime = 1;
        r.TimerExpAction = c.code;
        r.TimerExpFilename = "/home/u/gong.wav";
        load(r);
        engine.beginRun();
        runSeconds(1);
        EXPECT_EQ(host.heard(), c.heard) << "code " << c.code;
        EXPECT_TRUE(engine.expired()) << "an unknown code still ends the run";
        engine.endRun();
    }
}

TEST_F(CountdownTiming, LoadTimerSetsTimeLeftAndStartValueAndShowsThem) {
    load(combineTime(1, 2, 3));
    EXPECT_EQ(engine.timeLeft(), (TTimeHMS{1, 2, 3}));
    EXPECT_EQ(engine.startValue(), (TTimeHMS{1, 2, 3}));
    EXPECT_EQ(engine.displayText(), "01:02:03");
    EXPECT_EQ(formatTime({99, 59, 59}), "99:59:59");
}

// A tick source that sleeps as long as the engine allows wakes once a second
// while counting, lands each step within a millisecond of its second, and
// falls back to the flashing period after zero.
TEST_F(CountdownTiming, TickSourceFollowingTheEngineStepsOncePerSecond) {
    load(3);
    EXPECT_EQ(engine.msUntilNextTick(), CountdownEngine::kTickMs) << "idle";
    engine.beginRun();
    EXPECT_EQ(engine.msUntilNextTick(), 1000);
    clock.now += 300;
    EXPECT_EQ(engine.msUntilNextTick(), 700);

    std::vector<std::int64_t> stepTimes;
    const std::int64_t start = clock.now - 300;
    int wakeups = 0;
    while (engine.running()) {
        clock.now += engine.msUntilNextTick();
        ++wakeups;
        const std::string before = engine.displayText();
        engine.MainTimerTimer();
        if (engine.displayText() != before)
            stepTimes.push_back(clock.now - start);
    }
    EXPECT_EQ(host.displays(), (S{"00:00:02", "00:00:01", "00:00:00"}));
    EXPECT_EQ(stepTimes, (std::vector<std::int64_t>{1000, 2000, 3000}));
    EXPECT_EQ(wakeups, 3) << "one wake-up per second";
    EXPECT_TRUE(engine.expired());
    EXPECT_EQ(engine.msUntilNextTick(), CountdownEngine::kTickMs) << "flashing";

    // A late wake-up never asks for a wait below 1 ms or above a second.
    engine.endRun();
    engine.reset();
    engine.beginRun();
    clock.now += 2'000;
    EXPECT_EQ(engine.msUntilNextTick(), 1);
    engine.MainTimerTimer();
    EXPECT_EQ(engine.msUntilNextTick(), 1000);
}

} // namespace
