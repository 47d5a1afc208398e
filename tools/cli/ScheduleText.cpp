#include "ScheduleText.h"

#include "model/LocalCalendar.h"

#include <array>
#include <ctime>

namespace {

const std::array<const char*, 12> kPeriodicityNames = {
    "once",   "2hours", "4hours", "6hours",  "8hours", "daily",
    "weekly", "2weeks", "4weeks", "monthly", "yearly", "workdays",
};

bool ReadNumber(const std::string& text, std::size_t& pos, std::size_t digits, int& value) {
    if (pos + digits > text.size())
        return false;
    value = 0;
    for (std::size_t i = 0; i < digits; ++i, ++pos) {
        const char c = text[pos];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

bool ReadChar(const std::string& text, std::size_t& pos, char expected) {
    if (pos >= text.size() || text[pos] != expected)
        return false;
    ++pos;
    return true;
}

} // namespace

std::optional<std::int64_t> ParseLocalTime(const std::string& text) {
    int day = 0, month = 0, year = 0, hour = 0, minute = 0;
    std::size_t pos = 0;
    if (!ReadNumber(text, pos, 2, day) || !ReadChar(text, pos, '.') ||
        !ReadNumber(text, pos, 2, month) || !ReadChar(text, pos, '.') ||
        !ReadNumber(text, pos, 4, year))
        return std::nullopt;
    if (pos < text.size() &&
        (!ReadChar(text, pos, ' ') || !ReadNumber(text, pos, 2, hour) ||
         !ReadChar(text, pos, ':') || !ReadNumber(text, pos, 2, minute) || pos != text.size()))
        return std::nullopt;
    if (hour > 23 || minute > 59 || year < 1970)
        return std::nullopt;
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_isdst = -1;
    const std::optional<std::int64_t> time = FromLocalTm(local);
    // mktime carries an impossible date over (31.04. -> 01.05.): refuse it instead.
    if (!time || local.tm_mday != day || local.tm_mon != month - 1 || local.tm_year != year - 1900)
        return std::nullopt;
    return time;
}

std::string FormatLocalTime(std::int64_t time) {
    return FormatLocalTime(time, "%d.%m.%Y %H:%M");
}

std::optional<int> ParsePeriodicity(const std::string& name) {
    for (std::size_t i = 0; i < kPeriodicityNames.size(); ++i) {
        if (name == kPeriodicityNames[i])
            return static_cast<int>(i);
    }
    return std::nullopt;
}

std::string PeriodicityName(int periodicity) {
    if (periodicity >= 0 && periodicity < static_cast<int>(kPeriodicityNames.size()))
        return kPeriodicityNames[static_cast<std::size_t>(periodicity)];
    return std::to_string(periodicity);
}

std::string PeriodicityNames() {
    std::string names;
    for (const char* name : kPeriodicityNames)
        names += (names.empty() ? "" : ", ") + std::string(name);
    return names;
}
