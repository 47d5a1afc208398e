#include "Clock.h"

#include <atomic>
#include <ctime>

namespace {
std::atomic<const IClock*> g_source{nullptr};
}

namespace Clock {

std::int64_t Now() {
    const IClock* source = g_source.load();
    return source ? source->Now() : static_cast<std::int64_t>(std::time(nullptr));
}

void SetSource(const IClock* source) {
    g_source.store(source);
}

} // namespace Clock
