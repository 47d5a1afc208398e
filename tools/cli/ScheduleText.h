#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Texts of scheduled delivery on the command line: times typed as "DD.MM.YYYY HH:MM" in local
// time, and periodicities by name.

// "DD.MM.YYYY HH:MM" (or "DD.MM.YYYY", meaning midnight) in local time; nothing for a text of
// another shape or a date that does not exist.
std::optional<std::int64_t> ParseLocalTime(const std::string& text);
// "DD.MM.YYYY HH:MM" in local time.
std::string FormatLocalTime(std::int64_t time);

// The periodicity of a name ("once", "2hours", ..., "workdays"); nothing for an unknown name.
std::optional<int> ParsePeriodicity(const std::string& name);
// The name of a periodicity, or its number for one without a name.
std::string PeriodicityName(int periodicity);
// Every name, in the order of the periodicity values, separated by ", ".
std::string PeriodicityNames();
