#pragma once

#include <cstdint>

// The local date and time the scheduling dialog's two pickers show (to the minute).
struct LocalMinute {
    int year = 1970;
    int month = 1; // 1 to 12
    int day = 1;
    int hour = 0;
    int minute = 0;

    bool operator==(const LocalMinute&) const = default;
};

// When a delayed message may go out at the earliest, and the rule that keeps the pickers from
// choosing an earlier moment. The service refuses anything less than a quarter of an hour ahead.
class ScheduleLimits {
public:
    static constexpr std::int64_t kLeadSeconds = 900;

    explicit ScheduleLimits(std::int64_t now);

    // now + kLeadSeconds moved forward to the next whole minute (a whole minute moves a full
    // minute, so the margin is never less than the lead).
    std::int64_t Earliest() const { return m_earliest; }
    LocalMinute EarliestLocal() const { return ToLocal(m_earliest); }

    // What the pickers show once the date changed to chosen: chosen itself, or chosen's date at
    // the earliest time of day when chosen lies before the earliest moment.
    LocalMinute Checked(const LocalMinute& chosen) const;

    static LocalMinute ToLocal(std::int64_t time);
    // A local time that a daylight-saving change skips counts as the moment after the gap.
    static std::int64_t ToTime(const LocalMinute& local);

private:
    std::int64_t m_earliest;
};
