#pragma once

#include "core/Clock.h"
#include "core/TimerDB.h"
#include "core/TimerRecord.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// The 100 ms tick. The engine switches it on and off; whoever owns it calls
// CountdownEngine::MainTimerTimer on every tick.
class TickSource {
public:
    virtual ~TickSource() = default;
    virtual void setEnabled(bool on) = 0;
    virtual bool isEnabled() const = 0;
};

// What the engine asks the main window to do. None of these may wait.
class EngineHost {
public:
    virtual ~EngineHost() = default;
    // Builds the display text from the engine's time left and shows it.
    virtual void UpdateTimerDisplay() = 0;
    // Shows a text in the LED alone (the flashing display).
    virtual void setLedText(const std::string& text) = 0;
    virtual void DoSound(const std::string& sound) = 0;
    virtual void Announce(int shortForm, TTimeHMS time) = 0;
};

// "hh:mm:ss", two digits at least per field.
std::string formatTime(const TTimeHMS& t);

// The run as the rest of the program sees it. Idle: nothing begun and the
// start value showing; Paused: stopped with another time left; Counting; and
// Flashing after a zero until the run is ended.
enum class RunPhase { Idle, Counting, Paused, Flashing };

// "idle", "counting", "paused", "flashing".
const char* phaseName(RunPhase phase);

// What a tick did.
enum class Step {
    None,    // no new whole second (or a flashing tick)
    Counted, // the time left went down
    Zero,    // zero was reached, or passed inside a jump: the expiry acted once
};

// The countdown of the table's current row, stepped by a 100 ms tick and timed
// by the clock: each tick that finds new whole seconds elapsed takes all of
// them off at once, chooses at most one action for the new time left, and at
// zero loops or starts flashing. After a stall or a sleep the run is where the
// clock says, and what was skipped is not made up: a zero passed inside the
// jump expires once, and a looping timer goes on at its place in the loop.
class CountdownEngine {
public:
    static constexpr const char* kBlankText = "        ";
    static constexpr int kTickMs = 100;

    CountdownEngine(const TimerDB& table, EngineHost& host, const Clock& clock, TickSource& tick);

    // Time left and start value from the current row's StartTime; display refreshed.
    void loadTimer();
    void beginRun();
    void endRun();
    // Time left back to the start value; the run state is left alone.
    void reset();
    // The tick handler.
    Step MainTimerTimer();

    // Takes up a run that began `elapsedMs` ago with `leftAtRun` seconds left,
    // as if it had counted all along, silently: the display shows where it is
    // now, and nothing is heard. Zero when its zero lies in the past: a
    // looping timer then counts at its place in the current loop, any other
    // flashes at 00:00:00.
    Step resume(std::int32_t leftAtRun, std::int64_t elapsedMs);
    // The display flashing at 00:00:00, as after a zero, without the expiry.
    void resumeFlashing();

    bool running() const { return m_running; }
    bool expired() const { return m_expired; }
    // From START until STOP: counting, or flashing after a zero.
    bool begun() const { return m_begun; }
    RunPhase phase() const;
    bool flashPhase() const { return m_flashPhase; }
    const TTimeHMS& timeLeft() const { return m_timeLeft; }
    std::int32_t secondsLeft() const { return toSeconds(m_timeLeft); }
    const TTimeHMS& startValue() const { return m_startValue; }
    const std::string& displayText() const { return m_displayText; }
    void setDisplayText(std::string text) { m_displayText = std::move(text); }
    std::int64_t secondsCounted() const { return m_secondsCounted; }

    // The current run as one value: the seconds left when it began (for a
    // looping timer, when its current loop began) and that moment on the
    // engine's clock. Meaningful while begun().
    std::int32_t leftAtRun() const { return m_leftAtRun; }
    std::int64_t runBegunMs() const { return m_runStartMs + m_loopBegunCount * 1000; }
    // The moment of the latest zero on the engine's clock, and whether it lay
    // in a jump (a stall or a sleep) rather than at the step that found it.
    std::int64_t zeroAtMs() const { return m_zeroAtMs; }
    bool zeroPassedUnseen() const { return m_zeroUnseen; }

    // How long a tick source may wait before the next tick can matter: while a
    // run counts, until the next whole second of the run has elapsed (at least
    // 1 ms); otherwise the flashing period. A tick source that follows it wakes
    // once a second while counting instead of ten times, and the display
    // changes within a millisecond of the second instead of within a tick.
    int msUntilNextTick() const;

private:
    Step advance(std::int64_t seconds, bool act);
    void expire(const TimerRecord& r, std::int64_t zeroCount, bool act);
    void chooseAction(const TimerRecord& r);
    void perform(std::int32_t action, std::int32_t period, const std::string* filename);

    const TimerDB& m_table;
    EngineHost& m_host;
    const Clock& m_clock;
    TickSource& m_tick;

    bool m_running = false;
    bool m_expired = false;
    bool m_begun = false;
    bool m_flashPhase = true;
    TTimeHMS m_timeLeft{};
    TTimeHMS m_startValue{};
    std::string m_displayText = "00:00:00";
    std::int64_t m_runStartMs = 0;
    std::int64_t m_secondsCounted = 0;
    std::int32_t m_leftAtRun = 0;
    std::int64_t m_loopBegunCount = 0;
    std::int64_t m_zeroAtMs = 0;
    bool m_zeroUnseen = false;
};

} // namespace qv
