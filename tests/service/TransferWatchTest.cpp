#include "service/TransferWatch.h"

#include <gtest/gtest.h>

namespace {

using std::chrono::seconds;
using Clock = TransferWatch::Clock;

const Clock::time_point kStart{seconds(1000)};

TransportOptions Limits(long inactivity, long callTimeout, long minimumRate, long rateWindow) {
    TransportOptions options;
    options.inactivityTimeout = inactivity;
    options.callTimeout = callTimeout;
    options.minimumRate = minimumRate;
    options.rateWindow = rateWindow;
    return options;
}

// Feeds the watch one check a second with the byte count bytesAt(second); returns the second
// at which it ended the transfer (0 when it let it run to the end) and why.
template <class Bytes>
std::pair<int, std::string> RunFor(TransferWatch& watch, int lastSecond, Bytes bytesAt) {
    for (int second = 1; second <= lastSecond; ++second) {
        if (const auto reason = watch.Check(kStart + seconds(second), bytesAt(second)))
            return {second, *reason};
    }
    return {0, ""};
}

TEST(TransferWatch, TheDefaultsLetAnHonestSlowServiceThrough) {
    TransferWatch watch(TransportOptions{}, kStart);
    // The request goes out at once, the service thinks for 25 s, then a reply of 300 KB comes
    // in at 2 KB/s: 175 s in all.
    const auto [stopped, reason] = RunFor(
        watch, 175, [](int second) { return 2000 + (second > 25 ? (second - 25) * 2000 : 0); });
    EXPECT_EQ(stopped, 0) << reason;
}

TEST(TransferWatch, NothingMovingEndsAtTheInactivityTimeOutCountedFromTheFirstByte) {
    TransferWatch watch(Limits(30, 600, 0, 60), kStart);
    // Connecting (no byte yet) for 50 s is left to the connect time-out.
    const auto [stopped, reason] =
        RunFor(watch, 600, [](int second) { return second < 50 ? 0 : 500; });
    EXPECT_EQ(stopped, 80);
    EXPECT_EQ(reason, "nothing was sent or received for 30 s");
}

TEST(TransferWatch, AByteNowAndThenEndsAtTheCallTimeOut) {
    TransferWatch watch(Limits(30, 600, 0, 60), kStart);
    const auto [stopped, reason] = RunFor(watch, 100000, [](int second) { return second; });
    EXPECT_EQ(stopped, 600);
    EXPECT_EQ(reason, "the exchange took longer than 600 s");
    // Also while connecting.
    TransferWatch connecting(Limits(30, 600, 0, 60), kStart);
    EXPECT_EQ(RunFor(connecting, 100000, [](int) { return 0; }).first, 600);
}

TEST(TransferWatch, AWindowBelowTheMinimumRateEndsTheTransfer) {
    // 100 bytes/s over windows of 60 s: 6000 bytes a window, counted from the first byte.
    TransferWatch dripping(Limits(30, 600, 100, 60), kStart);
    const auto [stopped, reason] = RunFor(dripping, 600, [](int second) { return second * 10; });
    EXPECT_EQ(stopped, 61);
    EXPECT_EQ(reason, "the data came slower than 100 bytes/s");

    // Fast enough in the first window, too slow in the third.
    TransferWatch slowing(Limits(30, 600, 100, 60), kStart);
    EXPECT_EQ(RunFor(slowing, 600,
                     [](int second) { return second <= 120 ? second * 200 : 24000 + second; })
                  .first,
              181);

    // No minimum rate: only the call time-out ends it.
    TransferWatch unchecked(Limits(30, 600, 0, 60), kStart);
    EXPECT_EQ(RunFor(unchecked, 600, [](int second) { return second * 10; }).first, 600);
}

} // namespace
