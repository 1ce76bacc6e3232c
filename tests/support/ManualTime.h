#pragma once

#include "core/CountdownEngine.h"

#include <cstdint>

// Time for tests and benchmarks: nothing moves unless the caller moves it.
namespace qv::test {

class ManualClock final : public Clock {
public:
    explicit ManualClock(std::int64_t startMs = 0) : now(startMs) {}
    std::int64_t nowMs() const override { return now; }
    std::int64_t now;
};

class ManualWallClock final : public WallClock {
public:
    explicit ManualWallClock(std::int64_t startUtcMs = 1'796'000'000'000) : now(startUtcMs) {}
    std::int64_t utcMs() const override { return now; }
    std::int64_t now;
};

// Records whether the engine wants ticks; the caller delivers them.
class ManualTick final : public TickSource {
public:
    void setEnabled(bool on) override {
        enabled = on;
        ++switches;
    }
    bool isEnabled() const override { return enabled; }
    bool enabled = false;
    int switches = 0;
};

} // namespace qv::test
