#pragma once

#include "core/CountdownEngine.h"
#include "core/TimerDB.h"
#include "support/ManualTime.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace qv::test {

// What the engine asked for, in order. Each entry carries the display text of
// the moment, so a test can say at which second a sound came.
struct HostEvent {
    enum Kind { Display, Led, Sound, Announce } kind;
    std::string text; // display/LED text, sound id
    std::string at;   // display text when the event happened
    int shortForm = -1;
    TTimeHMS time{};
};

// Does what the main window does: the display text is the formatted time left.
class RecordingHost final : public EngineHost {
public:
    void UpdateTimerDisplay() override {
        std::string text = formatTime(engine->timeLeft());
        engine->setDisplayText(text);
        led = text;
        events.push_back({HostEvent::Display, text, text});
    }
    void setLedText(const std::string& text) override {
        led = text;
        events.push_back({HostEvent::Led, text, engine->displayText()});
    }
    void DoSound(const std::string& sound) override {
        events.push_back({HostEvent::Sound, sound, engine->displayText()});
    }
    void Announce(int shortForm, TTimeHMS time) override {
        events.push_back(
            {HostEvent::Announce, formatTime(time), engine->displayText(), shortForm, time});
    }

    std::vector<HostEvent> of(HostEvent::Kind kind) const {
        std::vector<HostEvent> out;
        for (const HostEvent& e : events)
            if (e.kind == kind)
                out.push_back(e);
        return out;
    }
    std::vector<std::string> displays() const {
        std::vector<std::string> out;
        for (const HostEvent& e : of(HostEvent::Display))
            out.push_back(e.text);
        return out;
    }
    // Everything audible as "display-text what", e.g. "00:00:10 beep:1".
    std::vector<std::string> heard() const {
        std::vector<std::string> out;
        for (const HostEvent& e : events) {
            if (e.kind == HostEvent::Sound)
                out.push_back(e.at + " sound:" + e.text);
            else if (e.kind == HostEvent::Announce)
                out.push_back(e.at + " say" + std::to_string(e.shortForm) + ":" + e.text);
        }
        return out;
    }

    CountdownEngine* engine = nullptr;
    std::vector<HostEvent> events;
    std::string led;
};

// A table holding one timer, an engine on it, and a tick driven like the main
// window drives it: MainTimerTimer only while the tick source is on.
class EngineFixture : public ::testing::Test {
protected:
    EngineFixture() : engine(db, host, clock, tick) { host.engine = &engine; }

    void load(const TimerRecord& r) {
        TimerRecord rec = r;
        rec.Name = "Tea";
        if (db.isEmpty())
            ASSERT_TRUE(db.insert(rec));
        else
            ASSERT_TRUE(db.updateCurrent(rec));
        engine.loadTimer();
        host.events.clear();
    }
    void load(std::int32_t startTime, bool loop = false) {
        TimerRecord r;
        r.StartTime = startTime;
        r.TimerLoop = loop;
        load(r);
    }

    // Moves the clock in 100 ms ticks for `ms` milliseconds.
    void advance(std::int64_t ms) {
        for (std::int64_t t = 0; t < ms; t += 100) {
            clock.now += 100;
            if (tick.isEnabled())
                engine.MainTimerTimer();
        }
    }
    void runSeconds(int seconds) { advance(std::int64_t{seconds} * 1000); }

    TimerDB db;
    RecordingHost host;
    ManualClock clock{1'000'000};
    ManualTick tick;
    CountdownEngine engine;
};

} // namespace qv::test
