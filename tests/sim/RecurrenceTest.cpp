#include "Recurrence.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(Recurrence, FixedStepsAndTheLatestOccurrence) {
    const std::int64_t start = LocalTime(2024, 3, 11, 9, 30);
    EXPECT_EQ(Recurrence::Next(start, start, 1), start + 7200);
    EXPECT_EQ(Recurrence::Next(start, start, 8), start + 28 * 86400);
    EXPECT_EQ(Recurrence::Next(start, start, 0), 0);
    EXPECT_FALSE(Recurrence::Last(start, 1, start - 1));
    EXPECT_EQ(Recurrence::Last(start, 0, start + 86400 * 30), start);
    EXPECT_EQ(Recurrence::Last(start, 1, start + 7199), start);
    EXPECT_EQ(Recurrence::Last(start, 1, start + 7200), start + 7200);
    EXPECT_EQ(Recurrence::Last(start, 5, start + 10 * 86400 + 5), start + 10 * 86400);
}

TEST(Recurrence, MonthlyKeepsTheDayOfMonthWhereTheMonthHasIt) {
    const std::int64_t start = LocalTime(2024, 1, 31, 10, 0);
    const std::int64_t february = Recurrence::Next(start, start, 9);
    EXPECT_EQ(february, LocalTime(2024, 2, 29, 10, 0));
    EXPECT_EQ(Recurrence::Next(february, start, 9), LocalTime(2024, 3, 31, 10, 0));
    EXPECT_EQ(Recurrence::Last(start, 9, LocalTime(2024, 3, 15, 12, 0)),
              LocalTime(2024, 2, 29, 10, 0));
    // Over the change to summer time the local time of day stays.
    EXPECT_EQ(Recurrence::Next(LocalTime(2024, 3, 10, 10, 0), LocalTime(2024, 3, 10, 10, 0), 9),
              LocalTime(2024, 4, 10, 10, 0));
}

TEST(Recurrence, YearlyFromTheLeapDay) {
    const std::int64_t start = LocalTime(2024, 2, 29, 8, 0);
    const std::int64_t next = Recurrence::Next(start, start, 10);
    EXPECT_EQ(next, LocalTime(2025, 2, 28, 8, 0));
    EXPECT_EQ(Recurrence::Next(LocalTime(2027, 2, 28, 8, 0), start, 10),
              LocalTime(2028, 2, 29, 8, 0));
}

TEST(Recurrence, WorkingDaysSkipTheWeekend) {
    const std::int64_t friday = LocalTime(2024, 3, 15, 7, 45);
    EXPECT_EQ(Recurrence::Next(friday, friday, 11), LocalTime(2024, 3, 18, 7, 45));
    EXPECT_EQ(Recurrence::Last(friday, 11, LocalTime(2024, 3, 17, 23, 0)), friday);
}

TEST(Recurrence, TwelveMonthsAheadLimitsTheDay) {
    EXPECT_EQ(Recurrence::AddMonths(LocalTime(2023, 2, 28, 12, 0), 12, 31),
              LocalTime(2024, 2, 29, 12, 0));
    EXPECT_EQ(Recurrence::AddMonths(LocalTime(2024, 11, 5, 12, 0), 3, 5),
              LocalTime(2025, 2, 5, 12, 0));
}
