#pragma once

#include "QuillonCoreExport.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

// Local calendar time for the archive and the schedules. Times outside what the C library can
// break down give no value rather than a wrong date.

// The local broken-down time of t (localtime).
QUILLON_CORE_EXPORT std::optional<std::tm> ToLocalTm(std::int64_t t);

// Seconds since 1970 of a local broken-down time (mktime, which also normalises tm).
QUILLON_CORE_EXPORT std::optional<std::int64_t> FromLocalTm(std::tm& tm);

// t formatted in local time, e.g. with "%d.%m.%Y %H:%M:%S"; empty when t cannot be shown.
QUILLON_CORE_EXPORT std::string FormatLocalTime(std::int64_t t, const char* format);

// Days of a month (0 = January) of a year (tm_year, years since 1900) in the Gregorian calendar.
QUILLON_CORE_EXPORT int DaysInMonth(int tmYear, int month);
