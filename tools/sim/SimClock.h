#pragma once

#include <cstdint>
#include <mutex>
#include <optional>

// The simulator's current time: the system clock, or a frozen start time, moved forward by
// whatever the admin path added. Tests jump over token validities and delivery delays with it
// instead of sleeping.
class SimClock {
public:
    explicit SimClock(std::optional<std::int64_t> frozenAt = {});

    // Seconds since 1970-01-01 UTC.
    std::int64_t Now() const;
    void Advance(std::int64_t seconds);

private:
    mutable std::mutex m_mutex;
    std::optional<std::int64_t> m_frozenAt;
    std::int64_t m_offset = 0;
};
