// The cost of the 100 ms tick: most ticks find no new second and only read the
// clock; once a second a step refreshes the display and chooses an action.
#include "core/CountdownEngine.h"
#include "core/TimerDB.h"
#include "support/ManualTime.h"

#include <benchmark/benchmark.h>
#include <utility>

using namespace qv;
using test::ManualClock;
using test::ManualTick;

namespace {

class NullHost final : public EngineHost {
public:
    void UpdateTimerDisplay() override {}
    void setLedText(const std::string& text) override { benchmark::DoNotOptimize(text.data()); }
    void DoSound(const std::string& sound) override { benchmark::DoNotOptimize(sound.data()); }
    void Announce(int shortForm, TTimeHMS time) override {
        benchmark::DoNotOptimize(shortForm);
        benchmark::DoNotOptimize(time);
    }
};

// What the main window will do on every step, without the widgets.
class FormattingHost final : public EngineHost {
public:
    void UpdateTimerDisplay() override { engine->setDisplayText(formatTime(engine->timeLeft())); }
    void setLedText(const std::string& text) override { benchmark::DoNotOptimize(text.data()); }
    void DoSound(const std::string& sound) override { benchmark::DoNotOptimize(sound.data()); }
    void Announce(int shortForm, TTimeHMS time) override {
        benchmark::DoNotOptimize(shortForm);
        benchmark::DoNotOptimize(time);
    }
    CountdownEngine* engine = nullptr;
};

// The longest timer, looping so that it never stops. Three enabled rules whose
// starts lie below the time left make every step look at all three before the
// general announcement, which fires every second.
TimerDB busyTable() {
    TimerDB db;
    TimerRecord r;
    r.Name = "Busy";
    r.StartTime = kMaxStartTime;
    r.TimerLoop = true;
    r.GenAnnInterval = 1;
    r.GenAnnAction = AnnounceTimeLeft;
    r.Rules[0] = {true, PlayBeep, 1, 30, ""};
    r.Rules[1] = {true, PlayTick, 1, 20, ""};
    r.Rules[2] = {true, PlayCustomSound, 1, 10, "/home/someone/gong.wav"};
    db.insert(r);
    return db;
}

// An engine on a table, its run begun, on a clock of the benchmark's choice.
template <class Host = NullHost, class Clock = ManualClock>
struct Running {
    explicit Running(TimerDB table) : db(std::move(table)), engine(db, host, clock, tick) {
        if constexpr (requires { host.engine; })
            host.engine = &engine;
        engine.loadTimer();
        engine.beginRun();
    }
    TimerDB db;
    Host host;
    Clock clock;
    ManualTick tick;
    CountdownEngine engine;
};

void BM_TickWithoutNewSecond(benchmark::State& state) {
    Running<> r(busyTable());
    r.clock.now = 500; // half a second in: no whole second yet
    for (auto _ : state)
        r.engine.MainTimerTimer();
    if (r.engine.secondsCounted() != 0)
        state.SkipWithError("a step happened");
}
BENCHMARK(BM_TickWithoutNewSecond);

// The same with the program's clock: what a real tick costs. A step happens once
// a second of benchmark time, a few in many millions of ticks.
void BM_TickWithoutNewSecondBootClock(benchmark::State& state) {
    Running<NullHost, BootClock> r(busyTable());
    for (auto _ : state)
        r.engine.MainTimerTimer();
    state.counters["steps"] = static_cast<double>(r.engine.secondsCounted());
}
BENCHMARK(BM_TickWithoutNewSecondBootClock);

// Every tick finds a new second.
template <class Host>
void stepBench(benchmark::State& state, TimerDB table) {
    Running<Host> r(std::move(table));
    for (auto _ : state) {
        r.clock.now += 1000;
        r.engine.MainTimerTimer();
    }
    if (!r.engine.running())
        state.SkipWithError("the run ended");
}

// A step with three enabled rules and a general announcement that fires, host
// that does nothing: the engine's own share of a step.
void BM_StepThreeRulesAndGeneral(benchmark::State& state) {
    stepBench<NullHost>(state, busyTable());
}
BENCHMARK(BM_StepThreeRulesAndGeneral);

// The same with the display text formatted as the main window does.
void BM_StepThreeRulesAndGeneralFormatting(benchmark::State& state) {
    stepBench<FormattingHost>(state, busyTable());
}
BENCHMARK(BM_StepThreeRulesAndGeneralFormatting);

// A step where rule 3 is in force: it fires and silences the rest.
void BM_StepRuleInForce(benchmark::State& state) {
    TimerDB db;
    TimerRecord r;
    r.Name = "Rule";
    r.StartTime = kMaxStartTime;
    r.TimerLoop = true;
    r.GenAnnInterval = 1;
    r.Rules[2] = {true, PlayBeep, 1, kMaxStartTime, ""};
    db.insert(r);
    stepBench<NullHost>(state, std::move(db));
}
BENCHMARK(BM_StepRuleInForce);

void BM_FlashingTick(benchmark::State& state) {
    Running<> r(busyTable());
    r.engine.endRun();
    r.tick.setEnabled(true); // not running, source on: the flashing branch
    for (auto _ : state)
        r.engine.MainTimerTimer();
}
BENCHMARK(BM_FlashingTick);

} // namespace

BENCHMARK_MAIN();
