#include "logic/ScheduleLimits.h"
#include "logic/ProgramStrings.h"
#include "logic/SchedulePeriods.h"

#include <gtest/gtest.h>

// The tests run in Europe/Bratislava: CET in winter, CEST in summer.
namespace {

constexpr std::int64_t kJune10At1000 = 1781078400; // 10.06.2026 10:00:00 CEST
constexpr std::int64_t kMarch29At0150 =
    1774745430; // 29.03.2026 01:50:30 CET, the night clocks go forward
constexpr std::int64_t kOctober25At0250 =
    1792889400; // 25.10.2026 02:50:00 CEST, the night clocks go back
constexpr std::int64_t kNewYearsEve2350 = 1798757400; // 31.12.2026 23:50:00 CET

} // namespace

TEST(ScheduleLimits, EarliestIsAQuarterOfAnHourOnTheNextWholeMinute) {
    // A whole minute moves a full minute; any seconds move to the minute after.
    EXPECT_EQ(ScheduleLimits(kJune10At1000).Earliest(), kJune10At1000 + 900 + 60);
    EXPECT_EQ(ScheduleLimits(kJune10At1000 + 1).Earliest(), kJune10At1000 + 960);
    EXPECT_EQ(ScheduleLimits(kJune10At1000 + 59).Earliest(), kJune10At1000 + 960);
    EXPECT_EQ(ScheduleLimits(kJune10At1000 + 60).Earliest(), kJune10At1000 + 1020);
    EXPECT_EQ(ScheduleLimits(kJune10At1000).EarliestLocal(), (LocalMinute{2026, 6, 10, 10, 16}));
    // Across midnight and the year's end.
    EXPECT_EQ(ScheduleLimits(kNewYearsEve2350).EarliestLocal(), (LocalMinute{2027, 1, 1, 0, 6}));
}

TEST(ScheduleLimits, EarliestAcrossTheChangesOfDaylightSavingTime) {
    // 01:50:30 CET + 15 min is 02:05:30 CET, which the clocks show as 03:05:30 CEST.
    const ScheduleLimits spring(kMarch29At0150);
    EXPECT_EQ(spring.Earliest(), kMarch29At0150 + 900 + 30);
    EXPECT_EQ(spring.EarliestLocal(), (LocalMinute{2026, 3, 29, 3, 6}));
    // 02:50 CEST + 15 min is 02:05 CET (the hour from 02:00 comes twice).
    const ScheduleLimits autumn(kOctober25At0250);
    EXPECT_EQ(autumn.EarliestLocal(), (LocalMinute{2026, 10, 25, 2, 6}));
    EXPECT_EQ(ScheduleLimits::ToTime(ScheduleLimits::ToLocal(spring.Earliest())),
              spring.Earliest());
}

TEST(ScheduleLimits, ADateChangeBeforeTheEarliestTakesTheEarliestTimeOfDay) {
    const ScheduleLimits limits(kJune10At1000); // earliest 10.06.2026 10:16
    // The earliest day at an earlier time: the time goes to the earliest.
    EXPECT_EQ(limits.Checked({2026, 6, 10, 9, 0}), (LocalMinute{2026, 6, 10, 10, 16}));
    EXPECT_EQ(limits.Checked({2026, 6, 10, 10, 15}), (LocalMinute{2026, 6, 10, 10, 16}));
    // The earliest moment itself and anything later stay.
    EXPECT_EQ(limits.Checked({2026, 6, 10, 10, 16}), (LocalMinute{2026, 6, 10, 10, 16}));
    EXPECT_EQ(limits.Checked({2026, 6, 11, 9, 0}), (LocalMinute{2026, 6, 11, 9, 0}));
    // An earlier day (the date picker's range prevents it) keeps its date with the time.
    EXPECT_EQ(limits.Checked({2026, 6, 9, 23, 0}), (LocalMinute{2026, 6, 9, 10, 16}));
}

TEST(ScheduleLimits, TheNightClocksGoForward) {
    const ScheduleLimits limits(kMarch29At0150); // earliest 29.03.2026 03:06 CEST
    EXPECT_EQ(limits.Checked({2026, 3, 29, 1, 0}), (LocalMinute{2026, 3, 29, 3, 6}));
    EXPECT_EQ(limits.Checked({2026, 3, 29, 3, 5}), (LocalMinute{2026, 3, 29, 3, 6}));
    EXPECT_EQ(limits.Checked({2026, 3, 29, 3, 6}), (LocalMinute{2026, 3, 29, 3, 6}));
    // 02:30 does not exist that night and counts as 03:30, after the earliest.
    EXPECT_EQ(limits.Checked({2026, 3, 29, 2, 30}), (LocalMinute{2026, 3, 29, 2, 30}));
    EXPECT_GT(ScheduleLimits::ToTime({2026, 3, 29, 2, 30}), limits.Earliest());
}

TEST(SchedulePeriods, TheTwelvePeriodsInCodeOrder) {
    const auto texts = SchedulePeriods::Texts(BuiltInProgramStrings());
    ASSERT_EQ(texts.size(), 12u);
    EXPECT_EQ(texts.front(), "Jednorázovo");
    EXPECT_EQ(texts[3], "Každých 6 hodín");
    EXPECT_EQ(texts.back(), "V pracovné dni");
    EXPECT_EQ(SchedulePeriods::Text(BuiltInProgramStrings(), 9), "Mesačne");
    EXPECT_EQ(SchedulePeriods::Text(BuiltInProgramStrings(), 12), "");
    EXPECT_EQ(SchedulePeriods::Text(BuiltInProgramStrings(), -1), "");
    // The list ends at the first missing text.
    const StringTable gap{{500, "a"}, {501, "b"}, {503, "d"}};
    EXPECT_EQ(SchedulePeriods::Texts(gap), (std::vector<std::string>{"a", "b"}));
}
