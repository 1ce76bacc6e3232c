#pragma once

#include "core/TimerRecord.h"

#include <array>
#include <vector>

namespace qv {

// The twelve positions of an announcement, each a clip id or a marker.
inline constexpr int kPlanSkip = 0;
inline constexpr int kPlanEnd = -1;
using SpeechPlan = std::array<int, 12>;

// Clip ids of the catalogue.
inline constexpr int kClipHour = 101;
inline constexpr int kClipHours = 102;
inline constexpr int kClipMinute = 103;
inline constexpr int kClipMinutes = 104;
inline constexpr int kClipSecond = 105;
inline constexpr int kClipSeconds = 106;
inline constexpr int kClipAnd = 107;

struct TensUnits {
    int tens = kPlanSkip;
    int units = kPlanSkip;
};

// The number clips of a value 0 to 99. Ten to nineteen are one clip each, twenty
// to fifty their tens clip; sixty to ninety have clips of their own (60, 70, 80,
// 90), so that 65 hours is spoken as sixty-five, not five. Values outside 0 to 99
// are not spoken.
TensUnits numberClips(int value);

// The plan for an announcement: shortForm 0 the whole time, else the seconds
// number alone.
SpeechPlan makeSpeechPlan(int shortForm, const TTimeHMS& time);

// The clip ids a plan plays, in order.
std::vector<int> planClips(const SpeechPlan& plan);

} // namespace qv
