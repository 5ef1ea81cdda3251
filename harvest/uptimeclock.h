#pragma once

#include <cstdint>

namespace zelkor {

// The system's millisecond uptime counter, read as a signed 32-bit value (it wraps after about
// 24.8 days, and elapsed times are computed from two readings as doubles).
class UptimeClock {
public:
    virtual ~UptimeClock() = default;
    virtual std::int32_t Milliseconds() = 0;
};

// The monotonic clock of the machine.
class SteadyUptimeClock final : public UptimeClock {
public:
    std::int32_t Milliseconds() override;
};

}  // namespace zelkor
