#include "service/KeepAliveTiming.h"

#include <algorithm>

KeepAliveTiming KeepAliveTiming::Compute(std::int64_t tokenExpiry, int tokenValidity,
                                         std::int64_t now) {
    constexpr std::int64_t kMinWait = 1;
    constexpr std::int64_t kMaxWait = 60;
    KeepAliveTiming timing;
    timing.refreshAt = tokenExpiry - tokenValidity / 8;
    timing.waitSeconds = std::clamp(timing.refreshAt - now, kMinWait, kMaxWait);
    return timing;
}
