#include "logic/ScheduleLimits.h"

#include <ctime>

ScheduleLimits::ScheduleLimits(std::int64_t now) {
    const std::time_t lead = static_cast<std::time_t>(now + kLeadSeconds);
    std::tm local{};
    localtime_r(&lead, &local);
    m_earliest = lead + (60 - local.tm_sec);
}

LocalMinute ScheduleLimits::Checked(const LocalMinute& chosen) const {
    if (ToTime(chosen) >= m_earliest)
        return chosen;
    const LocalMinute earliest = EarliestLocal();
    LocalMinute corrected = chosen;
    corrected.hour = earliest.hour;
    corrected.minute = earliest.minute;
    return corrected;
}

LocalMinute ScheduleLimits::ToLocal(std::int64_t time) {
    const std::time_t t = static_cast<std::time_t>(time);
    std::tm local{};
    localtime_r(&t, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

std::int64_t ScheduleLimits::ToTime(const LocalMinute& local) {
    std::tm broken{};
    broken.tm_year = local.year - 1900;
    broken.tm_mon = local.month - 1;
    broken.tm_mday = local.day;
    broken.tm_hour = local.hour;
    broken.tm_min = local.minute;
    broken.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&broken));
}
