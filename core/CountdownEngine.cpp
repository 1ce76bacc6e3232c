#include "core/CountdownEngine.h"

#include <algorithm>
#include <chrono>

namespace qv {

std::int64_t SteadyClock::nowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string formatTime(const TTimeHMS& t) {
    std::string out;
    out.reserve(8);
    auto put = [&out](std::int32_t v) {
        if (v >= 0 && v < 10)
            out += '0';
        out += std::to_string(v);
    };
    put(t.Hours);
    out += ':';
    put(t.Minutes);
    out += ':';
    put(t.Seconds);
    return out;
}

CountdownEngine::CountdownEngine(const TimerDB& table, EngineHost& host, const Clock& clock,
                                 TickSource& tick)
    : table_(table), host_(host), clock_(clock), tick_(tick) {}

void CountdownEngine::loadTimer() {
    const TimerRecord* r = table_.current();
    // A negative start time can only come from an edited file; it loads as zero
    // so that the display never shows a time below zero.
    startValue_ = splitTime(r ? std::max<std::int32_t>(r->StartTime, 0) : 0);
    timeLeft_ = startValue_;
    host_.UpdateTimerDisplay();
}

void CountdownEngine::beginRun() {
    running_ = true;
    runStartMs_ = clock_.nowMs();
    secondsCounted_ = 0;
    tick_.setEnabled(true);
    expired_ = false;
}

void CountdownEngine::endRun() {
    running_ = false;
    tick_.setEnabled(false);
    expired_ = false;
}

void CountdownEngine::reset() {
    timeLeft_ = startValue_;
    host_.UpdateTimerDisplay();
    expired_ = false;
}

int CountdownEngine::msUntilNextTick() const {
    if (!running_)
        return kTickMs;
    const std::int64_t due = (secondsCounted_ + 1) * 1000 - (clock_.nowMs() - runStartMs_);
    return static_cast<int>(std::clamp<std::int64_t>(due, 1, 1000));
}

void CountdownEngine::MainTimerTimer() {
    if (running_) {
        // Elapsed whole seconds, fraction dropped; a clock that went backwards counts as none.
        const std::int64_t elapsed = (clock_.nowMs() - runStartMs_) / 1000;
        if (elapsed <= secondsCounted_)
            return;
        secondsCounted_ = elapsed;
        step();
        return;
    }
    if (flashPhase_ && tick_.isEnabled()) {
        flashPhase_ = false;
        host_.setLedText(kBlankText);
    } else {
        flashPhase_ = true;
        host_.setLedText(displayText_);
    }
}

void CountdownEngine::step() {
    const TimerRecord* r = table_.current();
    static const TimerRecord kNone{};
    const TimerRecord& rec = r ? *r : kNone;

    // A run begun with nothing left (a start time of 0, or SPACE after a stop at
    // zero) expires on its first step instead of counting below zero.
    if (toSeconds(timeLeft_) <= 0) {
        timeLeft_ = {};
        expire(rec);
        return;
    }
    --timeLeft_.Seconds;
    if (timeLeft_.Hours == 0 && timeLeft_.Minutes == 0 && timeLeft_.Seconds == 0) {
        expire(rec);
        return;
    }
    if (timeLeft_.Seconds == -1) {
        timeLeft_.Seconds = 59;
        if (--timeLeft_.Minutes == -1) {
            timeLeft_.Minutes = 59;
            --timeLeft_.Hours;
        }
    }
    host_.UpdateTimerDisplay();
    chooseAction(rec);
}

void CountdownEngine::expire(const TimerRecord& r) {
    host_.UpdateTimerDisplay();
    switch (r.TimerExpAction) {
    case PlayFanfare:
        host_.DoSound(std::string(kSoundFanfare));
        break;
    case PlayLongBeep:
        host_.DoSound(std::string(kSoundLongBeep));
        break;
    case PlayCustomExpirySound:
        host_.DoSound(r.TimerExpFilename);
        break;
    default:
        break;
    }
    // A loop over a start value of zero would expire on every step: it flashes instead.
    if (r.TimerLoop && toSeconds(startValue_) > 0) {
        timeLeft_ = startValue_;
        return;
    }
    running_ = false;
    expired_ = true;
}

void CountdownEngine::chooseAction(const TimerRecord& r) {
    const std::int32_t left = toSeconds(timeLeft_);
    for (int i = 2; i >= 0; --i) {
        const TimerRule& rule = r.Rules[static_cast<std::size_t>(i)];
        if (!rule.Enabled || rule.Start < left)
            continue;
        // The rule in force silences the others even when it does not fire; a
        // period of zero or less (only from an edited file) never fires.
        if (rule.Interval > 0 && left % rule.Interval == 0)
            perform(rule.Action, rule.Interval, &rule.Filename);
        return;
    }
    if (r.GenAnnInterval > 0 && left % r.GenAnnInterval == 0)
        perform(r.GenAnnAction, r.GenAnnInterval, nullptr);
}

void CountdownEngine::perform(std::int32_t action, std::int32_t period,
                              const std::string* filename) {
    switch (action) {
    case AnnounceTimeLeft:
        host_.Announce(period <= 2 ? 1 : 0, timeLeft_);
        break;
    case PlayBeep:
        host_.DoSound(std::string(kSoundBeep));
        break;
    case PlayTick:
        host_.DoSound(std::string(kSoundTick));
        break;
    case PlayCustomSound:
        if (filename)
            host_.DoSound(*filename);
        break;
    default:
        break;
    }
}

} // namespace qv
