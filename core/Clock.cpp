#include "core/Clock.h"

#include <chrono>
#include <ctime>

namespace qv {

std::int64_t BootClock::nowMs() const {
    timespec ts{};
    ::clock_gettime(CLOCK_BOOTTIME, &ts);
    return std::int64_t{ts.tv_sec} * 1000 + ts.tv_nsec / 1'000'000;
}

std::int64_t SystemWallClock::utcMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

} // namespace qv
