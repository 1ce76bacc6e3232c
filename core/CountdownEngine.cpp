#include "core/CountdownEngine.h"

#include <algorithm>

namespace qv {

const char* phaseName(RunPhase phase) {
    switch (phase) {
    case RunPhase::Counting:
        return "counting";
    case RunPhase::Paused:
        return "paused";
    case RunPhase::Flashing:
        return "flashing";
    case RunPhase::Idle:
        break;
    }
    return "idle";
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
    : m_table(table), m_host(host), m_clock(clock), m_tick(tick) {}

void CountdownEngine::loadTimer() {
    const TimerRecord* r = m_table.current();
    // A negative start time can only come from an edited file; it loads as zero
    // so that the display never shows a time below zero.
    m_startValue = splitTime(r ? std::max<std::int32_t>(r->StartTime, 0) : 0);
    m_timeLeft = m_startValue;
    m_host.UpdateTimerDisplay();
}

void CountdownEngine::beginRun() {
    m_running = true;
    m_begun = true;
    m_runStartMs = m_clock.nowMs();
    m_secondsCounted = 0;
    m_leftAtRun = toSeconds(m_timeLeft);
    m_loopBegunCount = 0;
    m_tick.setEnabled(true);
    m_expired = false;
}

void CountdownEngine::endRun() {
    m_running = false;
    m_begun = false;
    m_tick.setEnabled(false);
    m_expired = false;
}

RunPhase CountdownEngine::phase() const {
    if (m_running)
        return RunPhase::Counting;
    if (m_begun)
        return RunPhase::Flashing;
    return toSeconds(m_timeLeft) == toSeconds(m_startValue) ? RunPhase::Idle : RunPhase::Paused;
}

Step CountdownEngine::resume(std::int32_t leftAtRun, std::int64_t elapsedMs) {
    m_timeLeft = splitTime(std::max<std::int32_t>(leftAtRun, 0));
    beginRun();
    m_runStartMs -= std::max<std::int64_t>(elapsedMs, 0);
    const std::int64_t elapsed = std::max<std::int64_t>(elapsedMs, 0) / 1000;
    if (elapsed == 0) {
        m_host.UpdateTimerDisplay();
        return Step::None;
    }
    m_secondsCounted = elapsed;
    return advance(elapsed, false);
}

void CountdownEngine::resumeFlashing() {
    m_timeLeft = {};
    beginRun();
    // Shown as at the zero itself, while the run still counts: the program
    // title carries the time as it does after any zero.
    m_host.UpdateTimerDisplay();
    m_running = false;
    m_expired = true;
}

void CountdownEngine::reset() {
    m_timeLeft = m_startValue;
    m_host.UpdateTimerDisplay();
    m_expired = false;
}

int CountdownEngine::msUntilNextTick() const {
    if (!m_running)
        return kTickMs;
    const std::int64_t due = (m_secondsCounted + 1) * 1000 - (m_clock.nowMs() - m_runStartMs);
    return static_cast<int>(std::clamp<std::int64_t>(due, 1, 1000));
}

Step CountdownEngine::MainTimerTimer() {
    if (m_running) {
        // Elapsed whole seconds, fraction dropped; a clock that went backwards counts as none.
        const std::int64_t elapsed = (m_clock.nowMs() - m_runStartMs) / 1000;
        if (elapsed <= m_secondsCounted)
            return Step::None;
        const std::int64_t seconds = elapsed - m_secondsCounted;
        m_secondsCounted = elapsed;
        return advance(seconds, true);
    }
    if (m_flashPhase && m_tick.isEnabled()) {
        m_flashPhase = false;
        m_host.setLedText(kBlankText);
    } else {
        m_flashPhase = true;
        m_host.setLedText(m_displayText);
    }
    return Step::None;
}

// Takes `seconds` off the time left; m_secondsCounted already includes them.
// Whatever the length of the jump, at most one thing is heard: the expiry when
// a zero lies in it, else the action due at the new time left.
Step CountdownEngine::advance(std::int64_t seconds, bool act) {
    const TimerRecord* r = m_table.current();
    static const TimerRecord kNone{};
    const TimerRecord& rec = r ? *r : kNone;
    const std::int64_t before = m_secondsCounted - seconds;

    // A run begun with nothing left (a start time of 0, or SPACE after a stop at
    // zero) expires on its first step instead of counting below zero.
    const std::int64_t left = toSeconds(m_timeLeft);
    if (left <= 0) {
        m_timeLeft = {};
        expire(rec, before + 1, act);
        return Step::Zero;
    }
    if (seconds < left) {
        m_timeLeft = splitTime(static_cast<std::int32_t>(left - seconds));
        m_host.UpdateTimerDisplay();
        if (act)
            chooseAction(rec);
        return Step::Counted;
    }

    // Zero at this step or inside the jump. A looping timer that went round
    // more than once stands in its current loop, counted from its latest zero.
    std::int64_t zeroCount = before + left;
    const std::int64_t cycle = toSeconds(m_startValue);
    m_timeLeft = {};
    if (rec.TimerLoop && cycle > 0) {
        const std::int64_t over = m_secondsCounted - zeroCount;
        zeroCount += over / cycle * cycle;
        if (const std::int64_t into = over % cycle)
            m_timeLeft = splitTime(static_cast<std::int32_t>(cycle - into));
    }
    expire(rec, zeroCount, act);
    return Step::Zero;
}

// `zeroCount`: the run's second at which the time left reached 00:00:00.
void CountdownEngine::expire(const TimerRecord& r, std::int64_t zeroCount, bool act) {
    m_zeroAtMs = m_runStartMs + zeroCount * 1000;
    m_zeroUnseen = zeroCount < m_secondsCounted;
    m_host.UpdateTimerDisplay();
    if (act) {
        switch (r.TimerExpAction) {
        case PlayFanfare:
            m_host.DoSound(std::string(kSoundFanfare));
            break;
        case PlayLongBeep:
            m_host.DoSound(std::string(kSoundLongBeep));
            break;
        case PlayCustomExpirySound:
            m_host.DoSound(r.TimerExpFilename);
            break;
        default:
            break;
        }
    }
    // A loop over a start value of zero would expire on every step: it flashes instead.
    if (r.TimerLoop && toSeconds(m_startValue) > 0) {
        // At the zero itself the display shows 00:00:00 and the next step
        // counts from the start value; past it, the display already shows the
        // place in the loop.
        if (toSeconds(m_timeLeft) == 0)
            m_timeLeft = m_startValue;
        m_leftAtRun = toSeconds(m_startValue);
        m_loopBegunCount = zeroCount;
        return;
    }
    m_running = false;
    m_expired = true;
}

void CountdownEngine::chooseAction(const TimerRecord& r) {
    const std::int32_t left = toSeconds(m_timeLeft);
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
        m_host.Announce(period <= 2 ? 1 : 0, m_timeLeft);
        break;
    case PlayBeep:
        m_host.DoSound(std::string(kSoundBeep));
        break;
    case PlayTick:
        m_host.DoSound(std::string(kSoundTick));
        break;
    case PlayCustomSound:
        if (filename)
            m_host.DoSound(*filename);
        break;
    default:
        break;
    }
}

} // namespace qv
