#pragma once

#include "core/TimerDB.h"
#include "core/TimerRecord.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// A monotonic clock in whole milliseconds. The program reads steady_clock; tests
// set the time by hand.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowMs() const = 0;
};

class SteadyClock final : public Clock {
public:
    std::int64_t nowMs() const override;
};

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

// The countdown of the table's current row, stepped by a 100 ms tick and timed
// by the clock: each tick that finds a new whole second elapsed takes exactly one
// second off, chooses at most one action, and at zero loops or starts flashing.
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
    void MainTimerTimer();

    bool running() const { return m_running; }
    bool expired() const { return m_expired; }
    bool flashPhase() const { return m_flashPhase; }
    const TTimeHMS& timeLeft() const { return m_timeLeft; }
    const TTimeHMS& startValue() const { return m_startValue; }
    const std::string& displayText() const { return m_displayText; }
    void setDisplayText(std::string text) { m_displayText = std::move(text); }
    std::int64_t secondsCounted() const { return m_secondsCounted; }

    // How long a tick source may wait before the next tick can matter: while a
    // run counts, until the next whole second of the run has elapsed (at least
    // 1 ms); otherwise the flashing period. A tick source that follows it wakes
    // once a second while counting instead of ten times, and the display
    // changes within a millisecond of the second instead of within a tick.
    int msUntilNextTick() const;

private:
    void step();
    void expire(const TimerRecord& r);
    void chooseAction(const TimerRecord& r);
    void perform(std::int32_t action, std::int32_t period, const std::string* filename);

    const TimerDB& m_table;
    EngineHost& m_host;
    const Clock& m_clock;
    TickSource& m_tick;

    bool m_running = false;
    bool m_expired = false;
    bool m_flashPhase = true;
    TTimeHMS m_timeLeft{};
    TTimeHMS m_startValue{};
    std::string m_displayText = "00:00:00";
    std::int64_t m_runStartMs = 0;
    std::int64_t m_secondsCounted = 0;
};

} // namespace qv
