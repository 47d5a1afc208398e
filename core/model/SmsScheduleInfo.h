#pragma once

#include "QuillonCoreExport.h"

#include <pugixml.hpp>

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

class CXmlWriter;

// The schedule of a message that the service delivers later, once or periodically, and the
// calendar arithmetic that finds its occurrences (in local time).
class QUILLON_CORE_EXPORT CSmsScheduleInfo {
public:
    // Periodicity values, in the order the user interface shows them.
    enum Periodicity {
        Once = 0,
        Every2Hours = 1,
        Every4Hours = 2,
        Every6Hours = 3,
        Every8Hours = 4,
        Daily = 5,
        Weekly = 6,
        Every2Weeks = 7,
        Every4Weeks = 8,
        Monthly = 9,
        Yearly = 10,
        WorkingDays = 11,
    };

    static constexpr std::size_t MaxNameLength = 30;

    CSmsScheduleInfo(std::int64_t messageId, int periodicity, std::int64_t deliverAt, bool notify,
                     const std::string& name);
    // From a "ScheduleInfo" element; missing or unreadable values keep their defaults.
    explicit CSmsScheduleInfo(const pugi::xml_node& element);

    std::int64_t GetMessageId() const { return m_messageId; }
    int GetPeriodicity() const { return m_periodicity; }
    void SetPeriodicity(int periodicity) { m_periodicity = periodicity; }
    std::int64_t GetDeliverAt() const { return m_deliverAt; }
    void SetDeliverAt(std::int64_t deliverAt) { m_deliverAt = deliverAt; }
    const std::string& GetName() const { return m_name; }
    // Keeps the first MaxNameLength characters.
    void SetName(const std::string& name);
    bool HasDeliveryReport() const { return m_notify; }

    // The most recent occurrence at or before now (deliver-at while that lies ahead).
    std::int64_t GetLastSchedule(std::int64_t now) const;
    // next: the first occurrence after now that follows at least one step after deliver-at, 0 when
    // there is none; last: the occurrence just before next.
    void GetNextDeliveryTime(std::int64_t now, std::int64_t& next, std::int64_t& last) const;

    // Writes a "ScheduleInfo" element.
    void WriteXML(CXmlWriter& writer) const;

private:
    // The occurrence after t; none for a periodicity without steps or a time beyond the calendar.
    std::optional<std::int64_t> GetNextTime(std::int64_t t) const;
    std::optional<std::int64_t> NextMonthly(std::int64_t t) const;
    std::optional<std::int64_t> NextYearly(std::int64_t t) const;
    static std::optional<std::int64_t> NextWorkingDay(std::int64_t t);
    void StepByCalendar(std::int64_t now, std::int64_t& next, std::int64_t& last) const;

    std::optional<std::int64_t> LastHourly(const std::tm& d, const std::tm& n, int hours) const;
    std::optional<std::int64_t> LastDaily(const std::tm& d, const std::tm& n, int days) const;
    std::optional<std::int64_t> LastMonthly(const std::tm& d, const std::tm& n,
                                            std::int64_t now) const;
    std::optional<std::int64_t> LastYearly(const std::tm& d, const std::tm& n,
                                           std::int64_t now) const;
    std::optional<std::int64_t> LastWorkingDay(const std::tm& d, const std::tm& n,
                                               std::int64_t now) const;

    std::int64_t m_messageId = 0;
    int m_periodicity = -1;
    std::int64_t m_deliverAt = 0;
    bool m_notify = false;
    std::string m_name;
};
