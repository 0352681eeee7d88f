#pragma once

#include "game/IClock.h"

namespace vtx {

// The real clocks: local wall-clock time of day and std::chrono::steady_clock.
class SystemClock final : public IClock {
public:
    std::int64_t timeOfDayMs() override;
    std::int64_t tickMs() override;
};

} // namespace vtx
