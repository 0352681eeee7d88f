#pragma once

// The two clocks the game reads. Injected so tests can run thousands of
// arrangements and whole matches without waiting.

#include <cstdint>

namespace vtx {

class IClock {
public:
    virtual ~IClock() = default;
    // Milliseconds since local midnight: ((h*60+m)*60+s)*1000+ms, 0..86399999.
    // The random generator is re-seeded from it.
    virtual std::int64_t timeOfDayMs() = 0;
    // Monotonic milliseconds since some fixed start; only differences matter.
    virtual std::int64_t tickMs() = 0;
};

} // namespace vtx
