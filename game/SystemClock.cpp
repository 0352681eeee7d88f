#include "game/SystemClock.h"

#include <chrono>
#include <ctime>

namespace vtx {

std::int64_t SystemClock::timeOfDayMs() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t secs = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&secs, &local);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return ((std::int64_t(local.tm_hour) * 60 + local.tm_min) * 60 + local.tm_sec) * 1000 + (ms < 0 ? 0 : ms);
}

std::int64_t SystemClock::tickMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace vtx
