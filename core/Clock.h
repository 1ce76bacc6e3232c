#pragma once

#include <cstdint>

namespace qv {

// A monotonic clock in whole milliseconds. The program reads the clock that
// counts the time the machine sleeps, so that a run is on time after a
// suspend; tests set the time by hand.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowMs() const = 0;
};

// CLOCK_BOOTTIME: monotonic, unaffected by changes of the wall clock, and
// going on while the machine is suspended (the steady clock stops then).
class BootClock final : public Clock {
public:
    std::int64_t nowMs() const override;
};

// The wall clock, milliseconds since 1970 in UTC. Used only to carry a run
// across the program's end; while the program runs, the Clock times the run.
class WallClock {
public:
    virtual ~WallClock() = default;
    virtual std::int64_t utcMs() const = 0;
};

class SystemWallClock final : public WallClock {
public:
    std::int64_t utcMs() const override;
};

} // namespace qv
