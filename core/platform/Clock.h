#pragma once

#include "QuillonCoreExport.h"

#include <cstdint>

// The current time, read through one replaceable source so that tests can fix it.
class QUILLON_CORE_EXPORT IClock {
public:
    virtual ~IClock() = default;
    // Seconds since 1970-01-01 UTC.
    virtual std::int64_t Now() const = 0;
};

namespace Clock {
// The current time from the installed source (the system clock unless a test replaced it).
QUILLON_CORE_EXPORT std::int64_t Now();
// Installs a source; null restores the system clock. The caller keeps ownership.
QUILLON_CORE_EXPORT void SetSource(const IClock* source);
} // namespace Clock
