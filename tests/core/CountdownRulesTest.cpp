#include "tests/core/EngineFakes.h"

#include <climits>
#include <gtest/gtest.h>
#include <vector>

using namespace qv;
using namespace qv::test;
using S = std::vector<std::string>;

namespace {

class CountdownRules : public EngineFixture {
protected:
    static TimerRecord timer(std::int32_t start) {
        TimerRecord r;
        r.StartTime = start;
        return r;
    }
    static void rule(TimerRecord& r, int number, std::int32_t start, std::int32_t interval,
                     std::int32_t action, bool enabled = true) {
        TimerRule& x = r.Rules[static_cast<std::size_t>(number - 1)];
        x = {enabled, action, interval, start, "/snd/rule" + std::to_string(number) + ".wav"};
    }
    // Runs the whole countdown and returns what was heard.
    S runThrough(const TimerRecord& r) {
        load(r);
        engine.beginRun();
        runSeconds(r.StartTime + 1);
        return host.heard();
    }
};

TEST_F(CountdownRules, GeneralAnnouncementEveryMinute) {
    TimerRecord r = timer(combineTime(0, 2, 30));
    r.GenAnnInterval = 60;
    EXPECT_EQ(runThrough(r),
              (S{"00:02:00 say0:00:02:00", "00:01:00 say0:00:01:00", "00:00:00 sound:0"}));
    const auto said = host.of(HostEvent::Announce);
    ASSERT_EQ(said.size(), 2u);
    EXPECT_EQ(said[0].time, (TTimeHMS{0, 2, 0}));
}

TEST_F(CountdownRules, RuleThreeTakesOverFromItsStart) {
    TimerRecord r = timer(22);
    r.GenAnnInterval = 5;
    rule(r, 3, 10, 1, PlayBeep);
    S expected = {"00:00:20 say0:00:00:20", "00:00:15 say0:00:00:15"};
    for (int s = 10; s >= 1; --s)
        expected.push_back(formatTime({0, 0, s}) + " sound:1");
    expected.push_back("00:00:00 sound:0");
    EXPECT_EQ(runThrough(r), expected);
}

TEST_F(CountdownRules, RuleInForceSilencesOthersEvenWhenItDoesNotFire) {
    TimerRecord r = timer(40);
    r.GenAnnInterval = 5;
    r.GenAnnAction = PlayBeep;
    rule(r, 2, 30, 20, PlayTick);
    EXPECT_EQ(runThrough(r), (S{"00:00:35 sound:1", "00:00:20 sound:2", "00:00:00 sound:0"}));
}

TEST_F(CountdownRules, HigherRuleWinsOnceInForce) {
    TimerRecord r = timer(90);
    r.GenAnnInterval = 30;
    r.GenAnnAction = PlayTick;
    rule(r, 1, 60, 10, PlayBeep);
    rule(r, 2, 30, 5, PlayCustomSound);
    S expected = {"00:01:00 sound:1", "00:00:50 sound:1", "00:00:40 sound:1"};
    for (int s = 30; s >= 5; s -= 5)
        expected.push_back(formatTime({0, 0, s}) + " sound:/snd/rule2.wav");
    expected.push_back("00:00:00 sound:0");
    EXPECT_EQ(runThrough(r), expected);
}

TEST_F(CountdownRules, HigherRuleWinsWhateverTheStartValues) {
    TimerRecord r = timer(20);
    rule(r, 3, 5, 5, PlayTick);
    rule(r, 1, 20, 5, PlayBeep);
    EXPECT_EQ(runThrough(r),
              (S{"00:00:15 sound:1", "00:00:10 sound:1", "00:00:05 sound:2", "00:00:00 sound:0"}));
}

TEST_F(CountdownRules, DisabledRuleKeepsNothingSilent) {
    TimerRecord r = timer(12);
    r.GenAnnInterval = 5;
    r.GenAnnAction = PlayTick;
    rule(r, 3, 100, 1, PlayBeep, false);
    EXPECT_EQ(runThrough(r), (S{"00:00:10 sound:2", "00:00:05 sound:2", "00:00:00 sound:0"}));
}

TEST_F(CountdownRules, RuleStartingAtZeroNeverActs) {
    TimerRecord r = timer(12);
    r.GenAnnInterval = 5;
    r.GenAnnAction = PlayTick;
    rule(r, 3, 0, 1, PlayBeep);
    rule(r, 2, 0, 1, PlayBeep);
    EXPECT_EQ(runThrough(r), (S{"00:00:10 sound:2", "00:00:05 sound:2", "00:00:00 sound:0"}));
}

TEST_F(CountdownRules, ShortFormForPeriodsOfOneAndTwoSecondsInEveryRule) {
    for (int number = 1; number <= 3; ++number) {
        for (const std::int32_t period : {1, 2, 5, 10, 60}) {
            TimerRecord r = timer(70);
            rule(r, number, 65, period, AnnounceTimeLeft);
            load(r);
            engine.beginRun();
            runSeconds(10);
            const auto said = host.of(HostEvent::Announce);
            ASSERT_FALSE(said.empty()) << "rule " << number << " period " << period;
            EXPECT_EQ(said.front().shortForm, period <= 2 ? 1 : 0)
                << "rule " << number << " period " << period;
            EXPECT_EQ(formatTime(said.front().time), said.front().at)
                << "the time left of that second is passed";
            engine.endRun();
        }
    }
}

TEST_F(CountdownRules, ShortFormForGeneralPeriodsOfOneAndTwoSeconds) {
    for (const std::int32_t period : {1, 2, 5, 15}) {
        TimerRecord r = timer(16);
        r.GenAnnInterval = period;
        load(r);
        engine.beginRun();
        runSeconds(15);
        const auto said = host.of(HostEvent::Announce);
        ASSERT_FALSE(said.empty()) << period;
        EXPECT_EQ(said.front().shortForm, period <= 2 ? 1 : 0) << period;
        EXPECT_EQ(formatTime(said.front().time), said.front().at) << period;
        engine.endRun();
    }
}

TEST_F(CountdownRules, ActionCodes) {
    const struct {
        std::int32_t code;
        const char* ruleHeard;    // what rule 3 does at 00:00:05
        const char* generalHeard; // what the general announcement does at 00:00:05
    } cases[] = {
        {AnnounceTimeLeft, "00:00:05 say0:00:00:05", "00:00:05 say0:00:00:05"},
        {PlayBeep, "00:00:05 sound:1", "00:00:05 sound:1"},
        {PlayTick, "00:00:05 sound:2", "00:00:05 sound:2"},
        {PlayCustomSound, "00:00:05 sound:/snd/rule3.wav", nullptr},
        {4, nullptr, nullptr},
        {-1, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        TimerRecord r = timer(6);
        r.TimerExpAction = 9; // keep the expiry out of what is heard
        rule(r, 3, 6, 5, c.code);
        EXPECT_EQ(runThrough(r), c.ruleHeard ? S{c.ruleHeard} : S{}) << "rule, code " << c.code;
        engine.endRun();

        r.Rules[2].Enabled = false;
        r.GenAnnInterval = 5;
        r.GenAnnAction = c.code;
        EXPECT_EQ(runThrough(r), c.generalHeard ? S{c.generalHeard} : S{})
            << "general, code " << c.code;
        engine.endRun();
    }
}

// Decided behaviour: an interval of zero or less (only from an edited file) keeps
// the others silent while its rule is in force, but never fires itself.
TEST_F(CountdownRules, NonPositiveIntervalsNeverFireAndNeverFail) {
    for (const std::int32_t bad : {0, -1, -5, INT_MIN}) {
        TimerRecord r = timer(20);
        r.GenAnnInterval = 5;
        r.GenAnnAction = PlayTick;
        rule(r, 2, 10, bad, PlayBeep);
        EXPECT_EQ(runThrough(r), (S{"00:00:15 sound:2", "00:00:00 sound:0"})) << bad;
        engine.endRun();

        r.Rules[1].Enabled = false;
        r.GenAnnInterval = bad;
        EXPECT_EQ(runThrough(r), S{"00:00:00 sound:0"}) << bad;
        engine.endRun();
    }
}

TEST_F(CountdownRules, NothingIsLookedAtOnTheExpiryStep) {
    TimerRecord r = timer(3);
    r.GenAnnInterval = 1;
    r.GenAnnAction = PlayTick;
    rule(r, 3, 3, 1, PlayBeep);
    r.TimerLoop = true;
    load(r);
    engine.beginRun();
    runSeconds(6);
    EXPECT_EQ(host.heard(), (S{"00:00:02 sound:1", "00:00:01 sound:1", "00:00:00 sound:0",
                               "00:00:02 sound:1", "00:00:01 sound:1", "00:00:00 sound:0"}));
}

TEST_F(CountdownRules, EngineReadsTheCurrentRowAtEachStep) {
    load(timer(10));
    engine.beginRun();
    runSeconds(2);
    TimerRecord r = *db.current();
    r.GenAnnInterval = 1;
    r.GenAnnAction = PlayBeep;
    ASSERT_TRUE(db.updateCurrent(r));
    runSeconds(1);
    EXPECT_EQ(host.heard(), S{"00:00:07 sound:1"});
}

} // namespace
