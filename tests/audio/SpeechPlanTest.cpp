#include "audio/SpeechPlan.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

std::vector<int> speak(int h, int m, int s, int shortForm = 0) {
    return planClips(makeSpeechPlan(shortForm, {h, m, s}));
}

using Ids = std::vector<int>;

TEST(SpeechPlan, SequencesOfTheCatalogue) {
    EXPECT_EQ(speak(1, 0, 0), (Ids{1, 101}));
    EXPECT_EQ(speak(0, 5, 0), (Ids{5, 104}));
    EXPECT_EQ(speak(0, 0, 15), (Ids{15, 106}));
    EXPECT_EQ(speak(0, 30, 0), (Ids{30, 104}));
    EXPECT_EQ(speak(0, 21, 1), (Ids{20, 1, 104, 107, 1, 105}));
    EXPECT_EQ(speak(2, 0, 30), (Ids{2, 102, 107, 30, 106}));
    EXPECT_EQ(speak(1, 1, 1), (Ids{1, 101, 107, 1, 103, 107, 1, 105}));
    EXPECT_EQ(speak(12, 40, 0), (Ids{12, 102, 107, 40, 104}));
    EXPECT_EQ(speak(0, 0, 0), Ids{});
    EXPECT_EQ(speak(0, 1, 45, 1), (Ids{40, 5}));
    EXPECT_EQ(speak(1, 2, 0, 1), Ids{});
}

TEST(SpeechPlan, ConnectorsStandOnlyBetweenSpokenGroups) {
    EXPECT_EQ(speak(1, 0, 5), (Ids{1, 101, 107, 5, 106}));
    EXPECT_EQ(speak(0, 10, 0), (Ids{10, 104}));
    EXPECT_EQ(speak(3, 7, 0), (Ids{3, 102, 107, 7, 104}));
    EXPECT_EQ(speak(0, 2, 2), (Ids{2, 104, 107, 2, 106}));
}

TEST(SpeechPlan, ShortFormSpeaksTheSecondsNumberAlone) {
    EXPECT_EQ(speak(0, 59, 7, 1), (Ids{7}));
    EXPECT_EQ(speak(5, 5, 0, -3), Ids{});
    EXPECT_EQ(speak(0, 0, 1, 7), (Ids{1}));
    EXPECT_EQ(speak(0, 0, 19, 1), (Ids{19}));
    const SpeechPlan p = makeSpeechPlan(1, {9, 9, 59});
    EXPECT_EQ(p, (SpeechPlan{kPlanSkip, kPlanSkip, kPlanSkip, kPlanSkip, kPlanSkip, kPlanSkip,
                             kPlanSkip, kPlanSkip, 50, 9, kPlanSkip, kPlanEnd}));
}

TEST(SpeechPlan, PositionsOfTheFullForm) {
    EXPECT_EQ(makeSpeechPlan(0, {23, 45, 12}),
              (SpeechPlan{20, 3, 102, 107, 40, 5, 104, 107, 12, kPlanSkip, 106, kPlanEnd}));
}

// Every value in each group's own two positions (1-2 hours, 5-6 minutes, 9-10
// seconds; from 0 in the array): ten to nineteen stand in the tens position.
TEST(SpeechPlan, TensAndUnitsPositionsOfEveryValue) {
    for (int v = 0; v <= 59; ++v) {
        const int tens = v >= 10 && v <= 19 ? v : v >= 20 ? v / 10 * 10 : kPlanSkip;
        const int units = v >= 1 && v <= 9 ? v : v >= 20 && v % 10 != 0 ? v % 10 : kPlanSkip;
        EXPECT_EQ(numberClips(v).tens, tens) << v;
        EXPECT_EQ(numberClips(v).units, units) << v;
        const SpeechPlan hours = makeSpeechPlan(0, {v, 0, 0});
        const SpeechPlan minutes = makeSpeechPlan(0, {0, v, 0});
        const SpeechPlan seconds = makeSpeechPlan(0, {0, 0, v});
        const SpeechPlan shortForm = makeSpeechPlan(1, {0, 0, v});
        EXPECT_EQ(std::pair(hours[0], hours[1]), std::pair(tens, units)) << v;
        EXPECT_EQ(std::pair(minutes[4], minutes[5]), std::pair(tens, units)) << v;
        EXPECT_EQ(std::pair(seconds[8], seconds[9]), std::pair(tens, units)) << v;
        EXPECT_EQ(std::pair(shortForm[8], shortForm[9]), std::pair(tens, units)) << v;
    }
}

TEST(SpeechPlan, NumbersAndUnitWords) {
    for (int v = 1; v <= 9; ++v)
        EXPECT_EQ(speak(0, 0, v), (Ids{v, v == 1 ? 105 : 106}));
    for (int v = 10; v <= 19; ++v)
        EXPECT_EQ(speak(0, v, 0), (Ids{v, 104}));
    for (int tens = 20; tens <= 50; tens += 10) {
        EXPECT_EQ(speak(0, tens, 0), (Ids{tens, 104}));
        EXPECT_EQ(speak(0, 0, tens + 9), (Ids{tens, 9, 106}));
    }
    EXPECT_EQ(speak(0, 21, 0), (Ids{20, 1, 104})); // 21 is plural
    EXPECT_EQ(speak(99, 59, 59), (Ids{90, 9, 102, 107, 50, 9, 104, 107, 50, 9, 106}));
}

TEST(SpeechPlan, HoursFromSixtyUpHaveTheirTens) {
    EXPECT_EQ(speak(65, 0, 0), (Ids{60, 5, 102}));
    EXPECT_EQ(speak(70, 0, 1), (Ids{70, 102, 107, 1, 105}));
    EXPECT_EQ(speak(88, 8, 0), (Ids{80, 8, 102, 107, 8, 104}));
}

TEST(SpeechPlan, ValuesOutOfRangeAreNotSpoken) {
    EXPECT_EQ(speak(-1, -5, 3), (Ids{3, 106}));
    EXPECT_EQ(speak(100, 7, 0), (Ids{7, 104}));
    EXPECT_EQ(speak(0, 0, -30, 1), Ids{});
    EXPECT_EQ(numberClips(-7).units, kPlanSkip);
}

} // namespace
} // namespace qv
