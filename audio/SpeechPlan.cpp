#include "audio/SpeechPlan.h"

namespace qv {

TensUnits numberClips(int v) {
    if (v <= 0 || v > 99)
        return {};
    if (v < 10)
        return {kPlanSkip, v};
    if (v < 20)
        return {v, kPlanSkip};
    const int units = v % 10;
    return {v - units, units == 0 ? kPlanSkip : units};
}

namespace {

bool spoken(int v) {
    return v > 0 && v <= 99;
}

int unitWord(int v, int singular) {
    if (!spoken(v))
        return kPlanSkip;
    return v == 1 ? singular : singular + 1;
}

} // namespace

SpeechPlan makeSpeechPlan(int shortForm, const TTimeHMS& t) {
    SpeechPlan plan;
    plan.fill(kPlanSkip);
    plan[11] = kPlanEnd;
    const TensUnits s = numberClips(t.Seconds);
    plan[8] = s.tens;
    plan[9] = s.units;
    if (shortForm != 0)
        return plan;
    const TensUnits h = numberClips(t.Hours);
    const TensUnits m = numberClips(t.Minutes);
    plan[0] = h.tens;
    plan[1] = h.units;
    plan[2] = unitWord(t.Hours, kClipHour);
    if (spoken(t.Hours) && (spoken(t.Minutes) || spoken(t.Seconds)))
        plan[3] = kClipAnd;
    plan[4] = m.tens;
    plan[5] = m.units;
    plan[6] = unitWord(t.Minutes, kClipMinute);
    if (spoken(t.Minutes) && spoken(t.Seconds))
        plan[7] = kClipAnd;
    plan[10] = unitWord(t.Seconds, kClipSecond);
    return plan;
}

std::vector<int> planClips(const SpeechPlan& plan) {
    std::vector<int> ids;
    for (int id : plan) {
        if (id == kPlanEnd)
            break;
        if (id != kPlanSkip)
            ids.push_back(id);
    }
    return ids;
}

} // namespace qv
