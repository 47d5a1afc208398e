#pragma once

#include <optional>
#include <string>
#include <string_view>

// The figures the program prints when QUILLON_EXIT_WHEN_READY=1 makes it end as soon as its main
// window is up (for the start-up benchmark): the time since the process started and its memory.
namespace ReadyReport {

// The environment variable, and whether it asks for the report.
inline constexpr const char* kVariable = "QUILLON_EXIT_WHEN_READY";
bool Requested();

// A "Name:  1234 kB" line of /proc/<pid>/status, in kB; nothing when it is missing.
std::optional<long> StatusKilobytes(std::string_view status, std::string_view name);
// Milliseconds since the process started, from /proc (at the kernel's tick, about 10 ms).
std::optional<long> MillisecondsSinceStart();

// One line: "quillon ready: <ms> ms since start, VmHWM <kB> kB, VmRSS <kB> kB" (a figure that
// cannot be read shows as "?").
std::string Line();

} // namespace ReadyReport
