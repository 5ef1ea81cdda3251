#include "harvest/uptimeclock.h"

#include <chrono>

namespace zelkor {

std::int32_t SteadyUptimeClock::Milliseconds() {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count();
    // Two's-complement wrap, as the 32-bit counter does.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(ms));
}

}  // namespace zelkor
