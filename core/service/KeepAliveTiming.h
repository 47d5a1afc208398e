#pragma once

#include "QuillonCoreExport.h"

#include <cstdint>

// When a program's background worker keeps the session alive: in the last eighth of the
// token's validity, waking at least once a minute.
struct QUILLON_CORE_EXPORT KeepAliveTiming {
    // The moment from which the worker calls KvwsKeepAlive.
    std::int64_t refreshAt = 0;
    // How long to wait before the next pass, 1 to 60 seconds.
    std::int64_t waitSeconds = 1;

    static KeepAliveTiming Compute(std::int64_t tokenExpiry, int tokenValidity, std::int64_t now);
};
