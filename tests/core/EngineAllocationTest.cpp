#include "core/CountdownEngine.h"
#include "core/TimerDB.h"
#include "support/ManualTime.h"

#include <atomic>
#include <cstdlib>
#include <gtest/gtest.h>
#include <new>

// Every allocation of this test program passes through here, so a test can
// count what the engine allocates between two points. The replacements pair
// operator new with malloc and operator delete with free, which the compiler
// cannot see once it inlines them into a new/delete pair.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<long> gAllocations{0};
}

void* operator new(std::size_t size) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    ::operator delete(p);
}

using namespace qv;

namespace {

// Does on every step what the main window does: formats the time and hands it
// to the engine, and hands sounds and announcements on by reference or value.
class FormattingHost final : public EngineHost {
public:
    void UpdateTimerDisplay() override { engine->setDisplayText(formatTime(engine->timeLeft())); }
    void setLedText(const std::string& text) override { ledLength += text.size(); }
    void DoSound(const std::string& sound) override { soundBytes += sound.size(); }
    void Announce(int shortForm, TTimeHMS time) override { said += shortForm + time.Seconds; }
    CountdownEngine* engine = nullptr;
    std::size_t ledLength = 0, soundBytes = 0;
    long said = 0;
};

// A looping timer with three enabled rules and a general announcement, run for a
// simulated day with every kind of step, expiry and flashing: no allocation.
TEST(EngineAllocation, TicksStepsAndFlashingAllocateNothing) {
    TimerDB db;
    TimerRecord r;
    r.Name = "Busy";
    r.StartTime = 125;
    r.TimerLoop = true;
    r.GenAnnInterval = 1;
    r.TimerExpAction = PlayCustomExpirySound;
    r.TimerExpFilename = "/home/someone/sounds/a rather long file name to defeat SSO.wav";
    r.Rules[0] = {true, PlayBeep, 1, 90, ""};
    r.Rules[1] = {true, PlayCustomSound, 2, 60, "/home/someone/sounds/another long name.wav"};
    r.Rules[2] = {true, AnnounceTimeLeft, 1, 30, ""};
    ASSERT_TRUE(db.insert(r));
    FormattingHost host;
    test::ManualClock clock;
    test::ManualTick tick;
    CountdownEngine engine(db, host, clock, tick);
    host.engine = &engine;
    engine.loadTimer();
    engine.beginRun();

    const long before = gAllocations.load();
    for (int i = 0; i < 24 * 3600 * 10; ++i) {
        clock.now += 100;
        engine.MainTimerTimer();
    }
    const long looping = gAllocations.load() - before;

    TimerRecord once = r;
    once.TimerLoop = false;
    ASSERT_TRUE(db.updateCurrent(once));
    const long flashingStart = gAllocations.load();
    for (int i = 0; i < 200 * 10; ++i) {
        clock.now += 100;
        engine.MainTimerTimer();
    }
    const long flashing = gAllocations.load() - flashingStart;

    EXPECT_EQ(looping, 0);
    EXPECT_EQ(flashing, 0);
    EXPECT_TRUE(engine.expired()) << "the second part reached the flashing";
    EXPECT_GT(host.ledLength, 0u);
    EXPECT_GT(host.soundBytes, 0u);
    EXPECT_GT(host.said, 0);
}

TEST(EngineAllocation, CounterSeesAllocations) {
    const long before = gAllocations.load();
    auto* p = new std::string(100, 'x');
    delete p;
    EXPECT_GE(gAllocations.load() - before, 2) << "the counter must be in place to mean anything";
}

} // namespace
