#include "logic/ReadyReport.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadyReport, KilobytesOfAStatusLineByItsExactName) {
    const std::string status = "Name:\tquillon\nVmHWM:\t   54212 kB\nVmRSS:\t   50100 kB\n"
                               "VmRSSx:\t 1 kB\nVmSwap:\tnone\n";
    EXPECT_EQ(ReadyReport::StatusKilobytes(status, "VmHWM"), 54212);
    EXPECT_EQ(ReadyReport::StatusKilobytes(status, "VmRSS"), 50100);
    EXPECT_EQ(ReadyReport::StatusKilobytes(status, "VmSwap"), std::nullopt);
    EXPECT_EQ(ReadyReport::StatusKilobytes(status, "VmPeak"), std::nullopt);
    EXPECT_EQ(ReadyReport::StatusKilobytes("", "VmHWM"), std::nullopt);
}

TEST(ReadyReport, TheLineOfThisProcessHasEveryFigure) {
    const std::string line = ReadyReport::Line();
    EXPECT_EQ(line.rfind("quillon ready: ", 0), 0u) << line;
    EXPECT_EQ(line.find('?'), std::string::npos) << line;
    EXPECT_GE(ReadyReport::MillisecondsSinceStart().value_or(-1), 0);
}

} // namespace
