#include "Recurrence.h"

#include <ctime>

namespace {

constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kDay = 86400;
// The steps of periodicities 1 to 8.
constexpr std::int64_t kSteps[] = {2 * kHour, 4 * kHour, 6 * kHour, 8 * kHour,
                                   kDay,      7 * kDay,  14 * kDay, 28 * kDay};
// Occurrences are stepped one by one; a clock moved very far ahead stops the walk here.
constexpr int kMaxSteps = 1000000;

std::tm Local(std::int64_t t) {
    const auto time = static_cast<std::time_t>(t);
    std::tm tm{};
    localtime_r(&time, &tm);
    return tm;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 1 && leap ? 29 : kDays[month];
}

std::int64_t NextWorkingDay(std::int64_t t) {
    std::int64_t next = t;
    do {
        next += kDay;
    } while (Local(next).tm_wday == 0 || Local(next).tm_wday == 6);
    return next;
}

} // namespace

std::int64_t Recurrence::AddMonths(std::int64_t t, int months, int dayOfMonth) {
    std::tm tm = Local(t);
    const int total = tm.tm_mon + months;
    tm.tm_year += total / 12;
    tm.tm_mon = total % 12;
    const int limit = DaysInMonth(tm.tm_year + 1900, tm.tm_mon);
    tm.tm_mday = dayOfMonth < limit ? dayOfMonth : limit;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

int Recurrence::DayOfMonth(std::int64_t t) {
    return Local(t).tm_mday;
}

std::int64_t Recurrence::Next(std::int64_t t, std::int64_t deliverAt, int periodicity) {
    if (periodicity >= 1 && periodicity <= 8)
        return t + kSteps[periodicity - 1];
    switch (periodicity) {
    case 9:
        return AddMonths(t, 1, DayOfMonth(deliverAt));
    case 10:
        return AddMonths(t, 12, DayOfMonth(deliverAt));
    case 11:
        return NextWorkingDay(t);
    default:
        return 0;
    }
}

std::optional<std::int64_t> Recurrence::Last(std::int64_t deliverAt, int periodicity,
                                             std::int64_t now) {
    if (now < deliverAt)
        return std::nullopt;
    std::int64_t last = deliverAt;
    for (int step = 0; step < kMaxSteps; ++step) {
        const std::int64_t next = Next(last, deliverAt, periodicity);
        if (next <= last || next > now)
            break;
        last = next;
    }
    return last;
}
