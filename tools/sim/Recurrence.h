#pragma once

#include <cstdint>
#include <optional>

// When the service delivers a scheduled message: first at deliver-at, then repeated by the
// periodicity (0 once; 1-4 every 2, 4, 6, 8 hours; 5-8 every 1, 7, 14, 28 days; 9 monthly on
// deliver-at's day of month, or the month's last day; 10 yearly; 11 on working days). Calendar
// steps use local time.
namespace Recurrence {

constexpr int kMaxPeriodicity = 11;

// The occurrence after t; 0 when there is none.
std::int64_t Next(std::int64_t t, std::int64_t deliverAt, int periodicity);

// The latest occurrence at or before now, if any.
std::optional<std::int64_t> Last(std::int64_t deliverAt, int periodicity, std::int64_t now);

// The same local time of day and day of month, months later (the day limited to the month's
// length).
std::int64_t AddMonths(std::int64_t t, int months, int dayOfMonth);

// The local day of month of t.
int DayOfMonth(std::int64_t t);

} // namespace Recurrence
