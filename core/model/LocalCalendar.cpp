#include "LocalCalendar.h"

#include <limits>

std::optional<std::tm> ToLocalTm(std::int64_t t) {
    if (t < std::numeric_limits<std::time_t>::min() || t > std::numeric_limits<std::time_t>::max())
        return std::nullopt;
    const auto value = static_cast<std::time_t>(t);
    std::tm tm{};
    if (!localtime_r(&value, &tm))
        return std::nullopt;
    return tm;
}

std::optional<std::int64_t> FromLocalTm(std::tm& tm) {
    // mktime sets the weekday only on success; -1 alone is also a valid time.
    tm.tm_wday = -1;
    const std::time_t t = std::mktime(&tm);
    if (tm.tm_wday < 0)
        return std::nullopt;
    return static_cast<std::int64_t>(t);
}

std::string FormatLocalTime(std::int64_t t, const char* format) {
    const auto tm = ToLocalTm(t);
    if (!tm)
        return {};
    char text[64];
    const std::size_t length = std::strftime(text, sizeof text, format, &*tm);
    return std::string(text, length);
}

int DaysInMonth(int tmYear, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month != 1)
        return days[month];
    const std::int64_t year = static_cast<std::int64_t>(tmYear) + 1900;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return leap ? 29 : 28;
}
