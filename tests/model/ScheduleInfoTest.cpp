#include "../platform/ScopedEnv.h"
#include "TestSupport.h"
#include "WrittenXml.h"
#include "model/SmsScheduleInfo.h"

#include <gtest/gtest.h>

#include <limits>

// Every calendar case runs under TZ=Europe/Bratislava: summer time began on 31 March 2024 and
// 30 March 2025 (02:00 -> 03:00) and ended on 27 October 2024 (03:00 -> 02:00).

namespace {

CSmsScheduleInfo Schedule(int periodicity, std::int64_t deliverAt) {
    return CSmsScheduleInfo(7, periodicity, deliverAt, true, "");
}

struct Occurrences {
    std::int64_t next;
    std::int64_t last;
};

Occurrences Next(const CSmsScheduleInfo& schedule, std::int64_t now) {
    Occurrences result{-5, -5};
    schedule.GetNextDeliveryTime(now, result.next, result.last);
    return result;
}

} // namespace

TEST(ScheduleLast, OnceAndFutureDeliveryGiveDeliverAt) {
    const std::int64_t at = LocalTime(2024, 5, 10, 9, 30);
    EXPECT_EQ(Schedule(CSmsScheduleInfo::Once, at).GetLastSchedule(at + 999999), at);
    for (int periodicity = 1; periodicity <= 11; ++periodicity)
        EXPECT_EQ(Schedule(periodicity, at).GetLastSchedule(at - 1), at) << periodicity;
}

TEST(ScheduleLast, EveryFewHoursRunsFromTheBaseHourOnLaterDays) {
    const auto every2 = Schedule(CSmsScheduleInfo::Every2Hours, LocalTime(2024, 5, 1, 9, 30));
    EXPECT_EQ(every2.GetLastSchedule(LocalTime(2024, 5, 1, 12, 10)), LocalTime(2024, 5, 1, 11, 30));
    EXPECT_EQ(every2.GetLastSchedule(LocalTime(2024, 5, 3, 12, 10)), LocalTime(2024, 5, 3, 11, 30));
    EXPECT_EQ(every2.GetLastSchedule(LocalTime(2024, 5, 3, 0, 10)), LocalTime(2024, 5, 2, 21, 30));
    EXPECT_EQ(every2.GetLastSchedule(LocalTime(2025, 1, 1, 1, 30)), LocalTime(2025, 1, 1, 1, 30));

    const auto every8 = Schedule(CSmsScheduleInfo::Every8Hours, LocalTime(2024, 5, 1, 22, 0));
    EXPECT_EQ(every8.GetLastSchedule(LocalTime(2024, 5, 2, 15, 0)), LocalTime(2024, 5, 2, 14, 0));
}

TEST(ScheduleLast, DaysAndWeeksKeepTheLocalTimeAcrossDaylightSaving) {
    const auto weekly = Schedule(CSmsScheduleInfo::Weekly, LocalTime(2024, 5, 6, 18, 0));
    EXPECT_EQ(weekly.GetLastSchedule(LocalTime(2024, 5, 20, 17, 0)), LocalTime(2024, 5, 13, 18, 0));
    EXPECT_EQ(weekly.GetLastSchedule(LocalTime(2024, 5, 20, 18, 0)), LocalTime(2024, 5, 20, 18, 0));
    EXPECT_EQ(weekly.GetLastSchedule(LocalTime(2024, 5, 26, 23, 0)), LocalTime(2024, 5, 20, 18, 0));

    // From winter into summer time and back: the hour difference must not cost a day.
    const auto daily = Schedule(CSmsScheduleInfo::Daily, LocalTime(2024, 3, 25, 10, 0));
    EXPECT_EQ(daily.GetLastSchedule(LocalTime(2024, 4, 2, 12, 0)), LocalTime(2024, 4, 2, 10, 0));
    EXPECT_EQ(daily.GetLastSchedule(LocalTime(2024, 4, 2, 9, 0)), LocalTime(2024, 4, 1, 10, 0));
    const auto autumn = Schedule(CSmsScheduleInfo::Daily, LocalTime(2024, 10, 20, 10, 0));
    EXPECT_EQ(autumn.GetLastSchedule(LocalTime(2024, 10, 30, 9, 0)),
              LocalTime(2024, 10, 29, 10, 0));
    EXPECT_EQ(autumn.GetLastSchedule(LocalTime(2024, 10, 30, 11, 0)),
              LocalTime(2024, 10, 30, 10, 0));

    const auto fortnightly = Schedule(CSmsScheduleInfo::Every2Weeks, LocalTime(2024, 3, 18, 8, 0));
    EXPECT_EQ(fortnightly.GetLastSchedule(LocalTime(2024, 4, 14, 8, 0)),
              LocalTime(2024, 4, 1, 8, 0));
}

TEST(ScheduleLast, MonthlyOnThe31stFallsOnTheLastDayOfShorterMonths) {
    const auto monthly = Schedule(CSmsScheduleInfo::Monthly, LocalTime(2023, 1, 31, 10, 0));
    EXPECT_EQ(monthly.GetLastSchedule(LocalTime(2023, 3, 15, 12, 0)),
              LocalTime(2023, 2, 28, 10, 0));
    EXPECT_EQ(monthly.GetLastSchedule(LocalTime(2023, 3, 31, 12, 0)),
              LocalTime(2023, 3, 31, 10, 0));
    EXPECT_EQ(monthly.GetLastSchedule(LocalTime(2024, 1, 5, 0, 0)), LocalTime(2023, 12, 31, 10, 0));
    const auto leap = Schedule(CSmsScheduleInfo::Monthly, LocalTime(2024, 1, 31, 10, 0));
    EXPECT_EQ(leap.GetLastSchedule(LocalTime(2024, 3, 15, 12, 0)), LocalTime(2024, 2, 29, 10, 0));
    EXPECT_EQ(leap.GetLastSchedule(LocalTime(2024, 7, 1, 0, 0)), LocalTime(2024, 6, 30, 10, 0));
}

TEST(ScheduleLast, YearlyOn29FebruaryKeepsTheLeapDayWhereThereIsOne) {
    const auto yearly = Schedule(CSmsScheduleInfo::Yearly, LocalTime(2024, 2, 29, 10, 0));
    EXPECT_EQ(yearly.GetLastSchedule(LocalTime(2025, 3, 15, 0, 0)), LocalTime(2025, 2, 28, 10, 0));
    EXPECT_EQ(yearly.GetLastSchedule(LocalTime(2025, 1, 10, 0, 0)), LocalTime(2024, 2, 29, 10, 0));
    EXPECT_EQ(yearly.GetLastSchedule(LocalTime(2028, 3, 1, 0, 0)), LocalTime(2028, 2, 29, 10, 0));
    EXPECT_EQ(yearly.GetLastSchedule(LocalTime(2029, 1, 1, 0, 0)), LocalTime(2028, 2, 29, 10, 0));
}

TEST(ScheduleLast, WorkingDaysSkipTheWeekend) {
    const auto workdays = Schedule(CSmsScheduleInfo::WorkingDays, LocalTime(2024, 5, 6, 8, 15));
    EXPECT_EQ(workdays.GetLastSchedule(LocalTime(2024, 5, 12, 20, 0)),
              LocalTime(2024, 5, 10, 8, 15));
    EXPECT_EQ(workdays.GetLastSchedule(LocalTime(2024, 5, 13, 8, 0)),
              LocalTime(2024, 5, 10, 8, 15));
    EXPECT_EQ(workdays.GetLastSchedule(LocalTime(2024, 5, 15, 9, 0)),
              LocalTime(2024, 5, 15, 8, 15));
    // Unknown periodicities (a schedule stored without one reads as -1) are treated alike.
    EXPECT_EQ(Schedule(-1, LocalTime(2024, 5, 6, 8, 15)).GetLastSchedule(LocalTime(2024, 5, 12)),
              LocalTime(2024, 5, 10, 8, 15));
}

TEST(ScheduleNext, FixedStepsCountElapsedTimeAcrossTheSpringChange) {
    // 23:00 winter time, then every two hours of elapsed time: 01:00, then 04:00 summer time.
    const auto every2 = Schedule(CSmsScheduleInfo::Every2Hours, LocalTime(2024, 3, 30, 23, 0));
    const auto spring = Next(every2, LocalTime(2024, 3, 31, 3, 30));
    EXPECT_EQ(spring.last, LocalTime(2024, 3, 31, 1, 0));
    EXPECT_EQ(spring.next, LocalTime(2024, 3, 31, 4, 0));

    const std::int64_t at = LocalTime(2024, 5, 1, 9, 30);
    const auto daily = Schedule(CSmsScheduleInfo::Daily, at);
    EXPECT_EQ(Next(daily, at - 100).last, at);
    EXPECT_EQ(Next(daily, at - 100).next, at + 86400);
    EXPECT_EQ(Next(daily, at).next, at + 86400);
    EXPECT_EQ(Next(daily, at + 86400).last, at + 86400);
    EXPECT_EQ(Next(daily, at + 86400).next, at + 2 * 86400);
}

TEST(ScheduleNext, FixedStepsHandleAnyDistanceWithoutOverflow) {
    const std::int64_t far = std::numeric_limits<std::int64_t>::min() + 5;
    const auto every4Weeks = Schedule(CSmsScheduleInfo::Every4Weeks, far);
    const std::int64_t now = LocalTime(2024, 5, 1);
    const auto result = Next(every4Weeks, now);
    EXPECT_LE(result.last, now);
    EXPECT_GT(result.next, now);
    EXPECT_EQ(result.next - result.last, 2419200);
    EXPECT_EQ((static_cast<std::uint64_t>(result.last) - static_cast<std::uint64_t>(far)) % 2419200,
              0u);

    const std::int64_t end = std::numeric_limits<std::int64_t>::max() - 10;
    EXPECT_EQ(Next(Schedule(CSmsScheduleInfo::Every2Hours, end), now).next, 0);
    EXPECT_EQ(Next(Schedule(CSmsScheduleInfo::Every2Hours, end), now).last, end);
}

TEST(ScheduleNext, MonthlyKeepsTheDayAndTheDaylightSavingFlagOfTheStep) {
    const auto monthly = Schedule(CSmsScheduleInfo::Monthly, LocalTime(2023, 1, 31, 10, 0));
    const auto february = Next(monthly, LocalTime(2023, 1, 31, 10, 0));
    EXPECT_EQ(february.last, LocalTime(2023, 1, 31, 10, 0));
    EXPECT_EQ(february.next, LocalTime(2023, 2, 28, 10, 0));
    EXPECT_EQ(Next(monthly, LocalTime(2023, 3, 1)).next, LocalTime(2023, 3, 31, 11, 0));
    // Each step keeps the winter-time flag of the one before: 10:00 winter time is 11:00 in
    // summer, until the autumn brings it back.
    EXPECT_EQ(Next(monthly, LocalTime(2023, 5, 1)).next, LocalTime(2023, 5, 31, 11, 0));
    EXPECT_EQ(Next(monthly, LocalTime(2023, 11, 1)).next, LocalTime(2023, 11, 30, 10, 0));
}

TEST(ScheduleNext, YearlyOn29FebruaryMovesTo1MarchOnlyInCommonYears) {
    const auto yearly = Schedule(CSmsScheduleInfo::Yearly, LocalTime(2024, 2, 29, 10, 0));
    EXPECT_EQ(Next(yearly, LocalTime(2024, 2, 29, 12, 0)).next, LocalTime(2025, 3, 1, 10, 0));
    const auto leapYear = Next(yearly, LocalTime(2028, 1, 1));
    EXPECT_EQ(leapYear.last, LocalTime(2027, 3, 1, 10, 0));
    EXPECT_EQ(leapYear.next, LocalTime(2028, 2, 29, 10, 0));
}

TEST(ScheduleNext, WorkingDaysStepOverTheWeekend) {
    const auto workdays = Schedule(CSmsScheduleInfo::WorkingDays, LocalTime(2024, 5, 10, 10, 0));
    const auto monday = Next(workdays, LocalTime(2024, 5, 10, 12, 0));
    EXPECT_EQ(monday.last, LocalTime(2024, 5, 10, 10, 0));
    EXPECT_EQ(monday.next, LocalTime(2024, 5, 13, 10, 0));
    EXPECT_EQ(Next(workdays, LocalTime(2024, 5, 14, 10, 0)).next, LocalTime(2024, 5, 15, 10, 0));
}

TEST(ScheduleNext, NoStepMeansNoNextOccurrenceAndTheCallEnds) {
    const std::int64_t at = LocalTime(2024, 5, 10, 10, 0);
    for (int periodicity : {0, -1, 12, 1000}) {
        const auto result = Next(Schedule(periodicity, at), at + 1000000);
        EXPECT_EQ(result.next, 0) << periodicity;
        EXPECT_EQ(result.last, at) << periodicity;
    }
    // Beyond what the calendar can show, and so far back that stepping would never arrive.
    for (int periodicity : {int{CSmsScheduleInfo::Monthly}, int{CSmsScheduleInfo::Yearly},
                            int{CSmsScheduleInfo::WorkingDays}}) {
        for (std::int64_t deliverAt :
             {std::numeric_limits<std::int64_t>::min(), std::int64_t{-1'000'000'000'000'000}}) {
            EXPECT_EQ(Next(Schedule(periodicity, deliverAt), at).next, 0) << periodicity;
            Schedule(periodicity, deliverAt).GetLastSchedule(at);
        }
    }
}

TEST(ScheduleInfo, NameIsCutTo30CharactersWhenSet) {
    CSmsScheduleInfo schedule(1, 0, 0, false, std::string(40, 'n'));
    EXPECT_EQ(schedule.GetName().size(), 40u);
    schedule.SetName("0123456789012345678901234567890123456789");
    EXPECT_EQ(schedule.GetName(), "012345678901234567890123456789");
}

TEST(ScheduleInfo, XmlRoundTripWithAccentedName) {
    ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1250");
    const CSmsScheduleInfo schedule(9007199254740993, CSmsScheduleInfo::Monthly, 1714550400, true,
                                    "\x8Elu\x9Do\xE8k\xFD k\xF9\xF2");
    const auto written = [](const CSmsScheduleInfo& info) {
        return WrittenXml([&](CXmlWriter& writer) { info.WriteXML(writer); });
    };
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(written(schedule).c_str()));
    const pugi::xml_node element = document.child("ScheduleInfo");

    std::vector<std::string> attributes;
    for (const auto& attribute : element.attributes())
        attributes.push_back(std::string(attribute.name()) + "=" + attribute.value());
    EXPECT_EQ(attributes, (std::vector<std::string>{"MessageId=9007199254740993", "Periodicity=9",
                                                    "DeliverAt=1714550400", "Notify=1"}));
    EXPECT_STREQ(element.child("Name").text().get(),
                 "\xC5\xBDlu\xC5\xA5o\xC4\x8Dk\xC3\xBD k\xC5\xAF\xC5\x88");

    const CSmsScheduleInfo read(element);
    EXPECT_EQ(read.GetMessageId(), schedule.GetMessageId());
    EXPECT_EQ(read.GetPeriodicity(), schedule.GetPeriodicity());
    EXPECT_EQ(read.GetDeliverAt(), schedule.GetDeliverAt());
    EXPECT_TRUE(read.HasDeliveryReport());
    EXPECT_EQ(read.GetName(), schedule.GetName());

    ASSERT_TRUE(document.load_string(written(CSmsScheduleInfo(1, 0, 2, false, "")).c_str()));
    const pugi::xml_node unnamed = document.child("ScheduleInfo");
    EXPECT_FALSE(unnamed.child("Name"));
    EXPECT_STREQ(unnamed.attribute("Notify").value(), "0");
}

TEST(ScheduleInfo, ReaderKeepsDefaultsForMissingOrBrokenValues) {
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(
        "<a><ScheduleInfo/>"
        "<ScheduleInfo MessageId='x' Periodicity='99999999999' DeliverAt='12abc' Notify='7'>"
        "<Other/><Name>first</Name><Name>second</Name></ScheduleInfo>"
        "<ScheduleInfo MessageId=' -4 ' Periodicity='+5' DeliverAt='-100' Notify='0'/></a>"));
    auto element = document.first_child().first_child();
    const CSmsScheduleInfo empty(element);
    EXPECT_EQ(empty.GetMessageId(), 0);
    EXPECT_EQ(empty.GetPeriodicity(), -1);
    EXPECT_EQ(empty.GetDeliverAt(), 0);
    EXPECT_FALSE(empty.HasDeliveryReport());
    EXPECT_EQ(empty.GetName(), "");

    const CSmsScheduleInfo broken(element = element.next_sibling());
    EXPECT_EQ(broken.GetMessageId(), 0);
    EXPECT_EQ(broken.GetPeriodicity(), -1);
    EXPECT_EQ(broken.GetDeliverAt(), 0);
    EXPECT_TRUE(broken.HasDeliveryReport());
    EXPECT_EQ(broken.GetName(), "first");

    const CSmsScheduleInfo signed_(element.next_sibling());
    EXPECT_EQ(signed_.GetMessageId(), -4);
    EXPECT_EQ(signed_.GetPeriodicity(), 5);
    EXPECT_EQ(signed_.GetDeliverAt(), -100);
    EXPECT_FALSE(signed_.HasDeliveryReport());
}
