#include "SmsScheduleInfo.h"

#include "LocalCalendar.h"
#include "XmlNumber.h"
#include "XmlText.h"
#include "XmlWriter.h"

#include <algorithm>
#include <climits>

namespace {

constexpr std::int64_t SecondsPerHour = 3600;
constexpr std::int64_t SecondsPerDay = 86400;

// Stepping through a calendar schedule ends here: far beyond the life of any real schedule, and
// it keeps a damaged deliver-at from holding the caller for ever.
constexpr int MaxCalendarSteps = 100000;

// Seconds of one step of periodicities 1 to 8; 0 for the others.
std::int64_t FixedStep(int periodicity) {
    static const std::int64_t steps[] = {0,     7200,   14400,   21600,  28800,
                                         86400, 604800, 1209600, 2419200};
    return periodicity >= 1 && periodicity <= 8 ? steps[periodicity] : 0;
}

// Period in days of periodicities 5 to 8.
int PeriodDays(int periodicity) {
    return static_cast<int>(FixedStep(periodicity) / SecondsPerDay);
}

int SecondsOfDay(const std::tm& tm) {
    return tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec;
}

void SetTimeOfDay(std::tm& tm, const std::tm& from) {
    tm.tm_hour = from.tm_hour;
    tm.tm_min = from.tm_min;
    tm.tm_sec = from.tm_sec;
}

bool IsWeekend(const std::tm& tm) {
    return tm.tm_wday == 0 || tm.tm_wday == 6;
}

// Moves a local time by whole days, keeping its time of day: the date is moved at 06:00, so a
// daylight-saving change never pushes it across midnight.
std::optional<std::tm> ShiftDays(const std::tm& tm, std::int64_t days) {
    std::tm morning = tm;
    morning.tm_hour = 6;
    morning.tm_min = 0;
    morning.tm_sec = 0;
    morning.tm_isdst = -1;
    const auto base = FromLocalTm(morning);
    std::int64_t offset = 0;
    std::int64_t shifted = 0;
    if (!base || __builtin_mul_overflow(days, SecondsPerDay, &offset) ||
        __builtin_add_overflow(*base, offset, &shifted))
        return std::nullopt;
    auto result = ToLocalTm(shifted);
    if (result)
        SetTimeOfDay(*result, tm);
    return result;
}

// Converts with the daylight-saving flag left to mktime.
std::optional<std::int64_t> FromLocalTmAnyDst(std::tm tm) {
    tm.tm_isdst = -1;
    return FromLocalTm(tm);
}

std::optional<std::int64_t> ShiftedDays(const std::tm& tm, std::int64_t days) {
    const auto shifted = ShiftDays(tm, days);
    return shifted ? FromLocalTmAnyDst(*shifted) : std::nullopt;
}

// A later calendar date, by year and then by day of the year.
bool IsLaterDate(const std::tm& a, const std::tm& b) {
    return a.tm_year > b.tm_year || (a.tm_year == b.tm_year && a.tm_yday > b.tm_yday);
}

// Moves tm one month back or forward; false when the year leaves the calendar.
bool StepMonth(std::tm& tm, int direction) {
    tm.tm_mon += direction;
    if (tm.tm_mon >= 0 && tm.tm_mon <= 11)
        return true;
    if ((direction > 0 && tm.tm_year == INT_MAX) || (direction < 0 && tm.tm_year == INT_MIN))
        return false;
    tm.tm_mon = direction > 0 ? 0 : 11;
    tm.tm_year += direction;
    return true;
}

bool StepYear(std::tm& tm, int direction) {
    if ((direction > 0 && tm.tm_year == INT_MAX) || (direction < 0 && tm.tm_year == INT_MIN))
        return false;
    tm.tm_year += direction;
    return true;
}

// The day of month limited to the length of tm's month.
void SetDayOfMonth(std::tm& tm, int day) {
    tm.tm_mday = std::min(day, DaysInMonth(tm.tm_year, tm.tm_mon));
}

// The occurrence on the given day (limited to the month's length) of the month or year that tm
// names, if it is not later than now; else the one a period earlier, found by stepBack.
template <typename StepBack>
std::optional<std::int64_t> ThisOrPrevious(std::tm tm, int day, std::int64_t now,
                                           StepBack stepBack) {
    SetDayOfMonth(tm, day);
    const auto current = FromLocalTmAnyDst(tm);
    if (!current || *current <= now)
        return current;
    if (!stepBack(tm))
        return std::nullopt;
    SetDayOfMonth(tm, day);
    return FromLocalTmAnyDst(tm);
}

} // namespace

CSmsScheduleInfo::CSmsScheduleInfo(std::int64_t messageId, int periodicity, std::int64_t deliverAt,
                                   bool notify, const std::string& name)
    : m_messageId(messageId), m_periodicity(periodicity), m_deliverAt(deliverAt), m_notify(notify),
      m_name(name) {}

CSmsScheduleInfo::CSmsScheduleInfo(const pugi::xml_node& element) {
    m_messageId = XmlDecimal(element.attribute("MessageId").value()).value_or(m_messageId);
    m_periodicity = XmlInt(element.attribute("Periodicity").value()).value_or(m_periodicity);
    m_deliverAt = XmlDecimal(element.attribute("DeliverAt").value()).value_or(m_deliverAt);
    m_notify = XmlDecimal(element.attribute("Notify").value()).value_or(0) != 0;
    m_name = XmlChildText(element, "Name");
}

void CSmsScheduleInfo::SetName(const std::string& name) {
    m_name = name.substr(0, MaxNameLength);
}

void CSmsScheduleInfo::WriteXML(CXmlWriter& writer) const {
    writer.Open("ScheduleInfo");
    writer.Attribute("MessageId", m_messageId);
    writer.Attribute("Periodicity", m_periodicity);
    writer.Attribute("DeliverAt", m_deliverAt);
    writer.Attribute("Notify", m_notify ? 1 : 0);
    if (!m_name.empty())
        writer.Element("Name", m_name);
    writer.Close();
}

// ---- Next occurrences -------------------------------------------------------------------------

std::optional<std::int64_t> CSmsScheduleInfo::GetNextTime(std::int64_t t) const {
    if (const std::int64_t step = FixedStep(m_periodicity)) {
        std::int64_t next = 0;
        if (__builtin_add_overflow(t, step, &next))
            return std::nullopt;
        return next;
    }
    switch (m_periodicity) {
    case Monthly:
        return NextMonthly(t);
    case Yearly:
        return NextYearly(t);
    case WorkingDays:
        return NextWorkingDay(t);
    default:
        return std::nullopt;
    }
}

// The next month on deliver-at's day (limited to the month's length), at t's time of day and
// with t's daylight-saving flag.
std::optional<std::int64_t> CSmsScheduleInfo::NextMonthly(std::int64_t t) const {
    auto tm = ToLocalTm(t);
    const auto first = ToLocalTm(m_deliverAt);
    if (!tm || !first || !StepMonth(*tm, +1))
        return std::nullopt;
    SetDayOfMonth(*tm, first->tm_mday);
    return FromLocalTm(*tm);
}

// The next year on deliver-at's date, with t's time of day and daylight-saving flag; 29 February
// becomes 1 March in other years. The date comes from deliver-at, not from t, so that a schedule
// on 29 February returns to it in the next leap year instead of staying on 1 March.
std::optional<std::int64_t> CSmsScheduleInfo::NextYearly(std::int64_t t) const {
    auto tm = ToLocalTm(t);
    const auto first = ToLocalTm(m_deliverAt);
    if (!tm || !first || !StepYear(*tm, +1))
        return std::nullopt;
    tm->tm_mon = first->tm_mon;
    tm->tm_mday = first->tm_mday;
    return FromLocalTm(*tm);
}

std::optional<std::int64_t> CSmsScheduleInfo::NextWorkingDay(std::int64_t t) {
    // A week always holds a working day; the bound only guards against a broken calendar.
    for (int day = 0; day < 7; ++day) {
        if (__builtin_add_overflow(t, SecondsPerDay, &t))
            return std::nullopt;
        const auto tm = ToLocalTm(t);
        if (!tm)
            return std::nullopt;
        if (!IsWeekend(*tm))
            return t;
    }
    return std::nullopt;
}

void CSmsScheduleInfo::GetNextDeliveryTime(std::int64_t now, std::int64_t& next,
                                           std::int64_t& last) const {
    next = 0;
    last = m_deliverAt;
    if (const std::int64_t step = FixedStep(m_periodicity)) {
        // Fixed steps are counted rather than walked: the same results at any distance.
        if (now >= m_deliverAt) {
            const auto distance =
                static_cast<std::uint64_t>(now) - static_cast<std::uint64_t>(m_deliverAt);
            const auto stepSize = static_cast<std::uint64_t>(step);
            last = static_cast<std::int64_t>(static_cast<std::uint64_t>(m_deliverAt) +
                                             distance / stepSize * stepSize);
        }
        if (__builtin_add_overflow(last, step, &next))
            next = 0;
        return;
    }
    StepByCalendar(now, next, last);
}

void CSmsScheduleInfo::StepByCalendar(std::int64_t now, std::int64_t& next,
                                      std::int64_t& last) const {
    for (int step = 0; step < MaxCalendarSteps; ++step) {
        const auto following = GetNextTime(last);
        if (!following || *following <= last)
            return;
        if (*following > now) {
            next = *following;
            return;
        }
        last = *following;
    }
}

// ---- Last occurrence --------------------------------------------------------------------------

std::int64_t CSmsScheduleInfo::GetLastSchedule(std::int64_t now) const {
    if (m_periodicity == Once || now < m_deliverAt)
        return m_deliverAt;
    const auto d = ToLocalTm(m_deliverAt);
    const auto n = ToLocalTm(now);
    if (!d || !n)
        return m_deliverAt;
    std::optional<std::int64_t> last;
    if (m_periodicity >= Every2Hours && m_periodicity <= Every8Hours)
        last = LastHourly(*d, *n, static_cast<int>(FixedStep(m_periodicity) / SecondsPerHour));
    else if (m_periodicity >= Daily && m_periodicity <= Every4Weeks)
        last = LastDaily(*d, *n, PeriodDays(m_periodicity));
    else if (m_periodicity == Monthly)
        last = LastMonthly(*d, *n, now);
    else if (m_periodicity == Yearly)
        last = LastYearly(*d, *n, now);
    else
        last = LastWorkingDay(*d, *n, now);
    return last.value_or(m_deliverAt);
}

// Occurrences every few hours fall on the hours b, b + h, ... of every day; on deliver-at's own
// day they start at deliver-at's hour.
std::optional<std::int64_t> CSmsScheduleInfo::LastHourly(const std::tm& d, const std::tm& n,
                                                         int hours) const {
    const int baseHour = IsLaterDate(n, d) ? d.tm_hour % hours : d.tm_hour;
    const int start = baseHour * 3600 + d.tm_min * 60 + d.tm_sec;
    int elapsed = SecondsOfDay(n);
    std::tm day = n;
    if (elapsed < start) {
        const auto before = ShiftDays(n, -1);
        if (!before)
            return std::nullopt;
        day = *before;
        elapsed = 23 * 3600 + n.tm_min * 60 + n.tm_sec;
    }
    day.tm_hour = (elapsed - start) / (hours * 3600) * hours + baseHour;
    day.tm_min = d.tm_min;
    day.tm_sec = d.tm_sec;
    return FromLocalTmAnyDst(day);
}

// Occurrences every p days at deliver-at's time of day: count the whole days between deliver-at
// and today's occurrence (correcting for a daylight-saving difference) and step back to a
// multiple of p.
std::optional<std::int64_t> CSmsScheduleInfo::LastDaily(const std::tm& d, const std::tm& n,
                                                        int days) const {
    std::tm today = n;
    SetTimeOfDay(today, d);
    const auto todayOccurrence = FromLocalTmAnyDst(today);
    if (!todayOccurrence)
        return std::nullopt;
    std::int64_t correction = 0;
    if (n.tm_isdst > 0 && d.tm_isdst <= 0)
        correction = SecondsPerHour;
    else if (d.tm_isdst > 0 && n.tm_isdst <= 0)
        correction = -SecondsPerHour;
    const std::int64_t k = (*todayOccurrence + correction - m_deliverAt) / SecondsPerDay;
    const std::int64_t whole = SecondsOfDay(d) <= SecondsOfDay(n) ? k : k - 1;
    return ShiftedDays(d, whole / days * days);
}

// This month's occurrence if it has passed, else last month's; the day is deliver-at's, limited
// to the month's length.
std::optional<std::int64_t> CSmsScheduleInfo::LastMonthly(const std::tm& d, const std::tm& n,
                                                          std::int64_t now) const {
    std::tm month = n;
    SetTimeOfDay(month, d);
    return ThisOrPrevious(month, d.tm_mday, now, [](std::tm& tm) { return StepMonth(tm, -1); });
}

// This year's occurrence if it has passed, else last year's; the day is deliver-at's, limited
// to the month's length in each year (so 29 February is kept in a leap year).
std::optional<std::int64_t> CSmsScheduleInfo::LastYearly(const std::tm& d, const std::tm& n,
                                                         std::int64_t now) const {
    std::tm year = d;
    year.tm_year = n.tm_year;
    return ThisOrPrevious(year, d.tm_mday, now, [](std::tm& tm) { return StepYear(tm, -1); });
}

// Today's occurrence if it has passed, else the day before; then back over a weekend.
std::optional<std::int64_t> CSmsScheduleInfo::LastWorkingDay(const std::tm& d, const std::tm& n,
                                                             std::int64_t now) const {
    std::tm day = n;
    SetTimeOfDay(day, d);
    const auto today = FromLocalTmAnyDst(day);
    if (!today)
        return std::nullopt;
    std::optional<std::tm> candidate = day;
    if (*today > now)
        candidate = ShiftDays(day, -1);
    while (candidate && IsWeekend(*candidate))
        candidate = ShiftDays(*candidate, -1);
    return candidate ? FromLocalTmAnyDst(*candidate) : std::nullopt;
}
