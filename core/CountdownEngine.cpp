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
    m_runStartMs = m_clock.nowMs();
    m_secondsCounted = 0;
    m_tick.setEnabled(true);
    m_expired = false;
}

void CountdownEngine::endRun() {
    m_running = false;
    m_tick.setEnabled(false);
    m_expired = false;
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

void CountdownEngine::MainTimerTimer() {
    if (m_running) {
        // Elapsed whole seconds, fraction dropped; a clock that went backwards counts as none.
        const std::int64_t elapsed = (m_clock.nowMs() - m_runStartMs) / 1000;
        if (elapsed <= m_secondsCounted)
            return;
        m_secondsCounted = elapsed;
        step();
        return;
    }
    if (m_flashPhase && m_tick.isEnabled()) {
        m_flashPhase = false;
        m_host.setLedText(kBlankText);
    } else {
        m_flashPhase = true;
        m_host.setLedText(m_displayText);
    }
}

void CountdownEngine::step() {
    const TimerRecord* r = m_table.current();
    static const TimerRecord kNone{};
    const TimerRecord& rec = r ? *r : kNone;

    // A run begun with nothing left (a start time of 0, or SPACE after a stop at
    // zero) expires on its first step instead of counting below zero.
    if (toSeconds(m_timeLeft) <= 0) {
        m_timeLeft = {};
        expire(rec);
        return;
    }
    --m_timeLeft.Seconds;
    if (m_timeLeft.Hours == 0 && m_timeLeft.Minutes == 0 && m_timeLeft.Seconds == 0) {
        expire(rec);
        return;
    }
    if (m_timeLeft.Seconds == -1) {
        m_timeLeft.Seconds = 59;
        if (--m_timeLeft.Minutes == -1) {
            m_timeLeft.Minutes = 59;
            --m_timeLeft.Hours;
        }
    }
    m_host.UpdateTimerDisplay();
    chooseAction(rec);
}

void CountdownEngine::expire(const TimerRecord& r) {
    m_host.UpdateTimerDisplay();
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
    // A loop over a start value of zero would expire on every step: it flashes instead.
    if (r.TimerLoop && toSeconds(m_startValue) > 0) {
        m_timeLeft = m_startValue;
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
