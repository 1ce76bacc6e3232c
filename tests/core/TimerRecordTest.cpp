#include "core/TimerRecord.h"

#include "core/Text.h"

#include <gtest/gtest.h>
#include <string>

using namespace qv;

namespace {

TEST(TimerRecord, PopulateNewTimerSetsEveryDefaultButTheName) {
    TimerRecord r;
    r.Name = "Eggs";
    r.StartTime = 7;
    r.TimerLoop = true;
    r.GenAnnInterval = 60;
    r.GenAnnAction = 2;
    r.TimerExpAction = 2;
    r.TimerExpLoop = true;
    r.TimerExpFilename = "/x.wav";
    for (TimerRule& rule : r.Rules)
        rule = {true, 3, 5, 99, "/y.wav"};

    PopulateNewTimer(r);
    EXPECT_EQ(r.Name, "Eggs");
    EXPECT_EQ(r.StartTime, 300);
    EXPECT_FALSE(r.TimerLoop);
    EXPECT_EQ(r.GenAnnInterval, 0);
    EXPECT_EQ(r.GenAnnAction, 0);
    EXPECT_EQ(r.TimerExpAction, 0);
    EXPECT_FALSE(r.TimerExpLoop);
    EXPECT_EQ(r.TimerExpFilename, "");
    for (const TimerRule& rule : r.Rules) {
        EXPECT_FALSE(rule.Enabled);
        EXPECT_EQ(rule.Action, 0);
        EXPECT_EQ(rule.Interval, 3600);
        EXPECT_EQ(rule.Start, 0);
        EXPECT_EQ(rule.Filename, "");
    }
}

TEST(TimerRecord, SplitAndCombine) {
    EXPECT_EQ(splitTime(359999), (TTimeHMS{99, 59, 59}));
    EXPECT_EQ(splitTime(3661), (TTimeHMS{1, 1, 1}));
    EXPECT_EQ(splitTime(0), (TTimeHMS{0, 0, 0}));
    EXPECT_EQ(splitTime(215999), (TTimeHMS{59, 59, 59}));
    EXPECT_EQ(combineTime(99, 59, 59), 359999);
    EXPECT_EQ(combineTime(1, 1, 1), 3661);
    for (std::int32_t t : {0, 1, 59, 60, 3599, 3600, 86399, 359999})
        EXPECT_EQ(toSeconds(splitTime(t)), t) << t;
}

TEST(IntervalLists, PositionsMapToSecondsAndBackByExactValue) {
    const std::int32_t general[] = {0,  3600, 1800, 1200, 900, 600, 300, 120,
                                    60, 30,   20,   15,   10,  5,   2,   1};
    ASSERT_EQ(kGeneralIntervals.size(), 16u);
    ASSERT_EQ(kRuleIntervals.size(), 15u);
    for (int p = 0; p < 16; ++p) {
        EXPECT_EQ(intervalSeconds(kGeneralIntervals, p), general[p]) << p;
        EXPECT_EQ(intervalPosition(kGeneralIntervals, general[p]), p) << p;
    }
    for (int p = 0; p < 15; ++p) {
        EXPECT_EQ(intervalSeconds(kRuleIntervals, p), general[p + 1]) << p;
        EXPECT_EQ(intervalPosition(kRuleIntervals, general[p + 1]), p) << p;
    }
    EXPECT_EQ(kGeneralIntervals[0].label, "No announcement");
    EXPECT_EQ(kRuleIntervals[0].label, "Every hour");
    EXPECT_EQ(kRuleIntervals[14].label, "Every second");
    EXPECT_EQ(kGeneralIntervals[7].label, "Every other minute");
    EXPECT_EQ(kGeneralIntervals[14].label, "Every other second");

    EXPECT_EQ(intervalPosition(kRuleIntervals, 0), std::nullopt) << "a rule has no \"none\"";
    EXPECT_EQ(intervalPosition(kGeneralIntervals, 45), std::nullopt);
    EXPECT_EQ(intervalPosition(kRuleIntervals, -3600), std::nullopt);
    EXPECT_EQ(intervalSeconds(kGeneralIntervals, -1), std::nullopt);
    EXPECT_EQ(intervalSeconds(kGeneralIntervals, 16), std::nullopt);
    EXPECT_EQ(intervalSeconds(kRuleIntervals, 15), std::nullopt);
}

// Every column reaches its own field: a mix-up among the rule columns would go
// unnoticed until the file writer put a value under the wrong name.
TEST(TimerRecord, ColumnsInTableOrderReachTheirFields) {
    const char* names[kColumnCount] = {
        "Name",           "StartTime",    "TimerLoop",        "GenAnnInterval", "GenAnnAction",
        "TimerExpAction", "TimerExpLoop", "TimerExpFilename", "Rule1Enabled",   "Rule1Action",
        "Rule1Interval",  "Rule1Start",   "Rule1Filename",    "Rule2Enabled",   "Rule2Action",
        "Rule2Interval",  "Rule2Start",   "Rule2Filename",    "Rule3Enabled",   "Rule3Action",
        "Rule3Interval",  "Rule3Start",   "Rule3Filename"};
    TimerRecord r;
    for (int i = 0; i < kColumnCount; ++i) {
        const auto c = static_cast<Column>(i);
        EXPECT_EQ(columnInfo(c).name, names[i]);
        EXPECT_EQ(columnByName(names[i]), c);
        switch (columnInfo(c).type) {
        case ColumnType::Text:
            setColumn(r, c, std::string("text") + std::to_string(i));
            break;
        case ColumnType::Int32:
            setColumn(r, c, std::int32_t{1000 + i});
            break;
        case ColumnType::Boolean:
            setColumn(r, c, true);
            break;
        }
    }
    EXPECT_EQ(columnByName("name"), std::nullopt);
    EXPECT_EQ(r.Name, "text0");
    EXPECT_EQ(r.StartTime, 1001);
    EXPECT_EQ(r.TimerExpAction, 1005);
    EXPECT_EQ(r.TimerExpFilename, "text7");
    EXPECT_EQ(r.Rules[0].Action, 1009);
    EXPECT_EQ(r.Rules[0].Interval, 1010);
    EXPECT_EQ(r.Rules[0].Start, 1011);
    EXPECT_EQ(r.Rules[1].Filename, "text17");
    EXPECT_EQ(r.Rules[2].Start, 1021);
    EXPECT_EQ(r.Rules[2].Filename, "text22");
    for (int i = 0; i < kColumnCount; ++i) {
        const auto c = static_cast<Column>(i);
        const ColumnValue v = getColumn(r, c);
        switch (columnInfo(c).type) {
        case ColumnType::Text:
            EXPECT_EQ(v, ColumnValue(std::string("text") + std::to_string(i)));
            break;
        case ColumnType::Int32:
            EXPECT_EQ(v, ColumnValue(std::int32_t{1000 + i}));
            break;
        case ColumnType::Boolean:
            EXPECT_EQ(v, ColumnValue(true));
            break;
        }
    }
    EXPECT_EQ(columnInfo(Column::Name).width, 30);
    EXPECT_EQ(columnInfo(Column::Rule2Filename).width, 255);
}

TEST(Text, CutCountsCharactersNotBytes) {
    // 31 characters, 36 bytes.
    const std::string name = "Grüße aus Köln für Ärzte in Öl!";
    ASSERT_EQ(characterCount(name), 31);
    const std::string cut = cutToWidth(name, 30);
    EXPECT_EQ(cut, "Grüße aus Köln für Ärzte in Öl");
    EXPECT_EQ(characterCount(cut), 30);
    EXPECT_EQ(cutToWidth("Ωmega", 1), "Ω") << "never half a character";
    EXPECT_EQ(cutToWidth("abc", 30), "abc");
    EXPECT_EQ(cutToWidth("abc", 0), "");
    EXPECT_EQ(cutToWidth("abc", -4), "");
    // Stray bytes count as one character each and are kept as they are.
    EXPECT_EQ(cutToWidth("\xff\xfe"
                         "abc",
                         3),
              "\xff\xfe"
              "a");
    EXPECT_EQ(cutToWidth("ab\xc3", 5), "ab\xc3");
}

TEST(Text, CaseFoldingAcrossScripts) {
    EXPECT_EQ(compareNames("timer 1", "Timer 1"), 0);
    EXPECT_EQ(compareNames("Äpfel", "äpfel"), 0);
    EXPECT_EQ(compareNames("ŁÓDŹ", "łódź"), 0);
    EXPECT_EQ(compareNames("ŸVES", "ÿves"), 0);
    EXPECT_EQ(compareNames("ΣΟΦΙΑ", "σοφια"), 0);
    EXPECT_EQ(compareNames("ЁЛКА МОСКВА", "ёлка москва"), 0);
    EXPECT_NE(compareNames("×", "÷"), 0) << "signs are not letters";
    EXPECT_NE(compareNames("Strasse", "Straße"), 0);
    EXPECT_LT(compareNames("apple", "Banana"), 0);
    EXPECT_GT(compareNames("Zebra", "apple"), 0);
    EXPECT_LT(compareNames("Zebra", "Äpfel"), 0) << "code point order after folding";
    EXPECT_LT(compareNames("Tea", "tea 2"), 0);
    EXPECT_EQ(foldCase("\xff"
                       "AB"),
              "\xff"
              "ab")
        << "invalid bytes stay";
}

} // namespace
