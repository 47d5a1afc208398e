#include "logic/ReadyReport.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace ReadyReport {
namespace {

std::string ReadFile(const char* path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string Figure(const std::optional<long>& value) {
    return value ? std::to_string(*value) : std::string("?");
}

} // namespace

bool Requested() {
    const char* value = std::getenv(kVariable);
    return value && std::string_view(value) == "1";
}

std::optional<long> StatusKilobytes(std::string_view status, std::string_view name) {
    std::size_t at = 0;
    while (at < status.size()) {
        const std::size_t end = std::min(status.find('\n', at), status.size());
        const std::string_view line = status.substr(at, end - at);
        at = end + 1;
        if (line.size() <= name.size() || line.substr(0, name.size()) != name ||
            line[name.size()] != ':')
            continue;
        const std::string rest(line.substr(name.size() + 1));
        char* parsed = nullptr;
        const long value = std::strtol(rest.c_str(), &parsed, 10);
        if (parsed == rest.c_str())
            return std::nullopt;
        return value;
    }
    return std::nullopt;
}

std::optional<long> MillisecondsSinceStart() {
    // Field 22 of /proc/self/stat, after the command in parentheses, which may hold blanks.
    const std::string stat = ReadFile("/proc/self/stat");
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos)
        return std::nullopt;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    for (int index = 3; index <= 22 && fields >> field; ++index) {
    }
    const double ticks = std::atof(field.c_str());
    const double uptime = std::atof(ReadFile("/proc/uptime").c_str());
    const long perSecond = sysconf(_SC_CLK_TCK);
    if (ticks <= 0 || uptime <= 0 || perSecond <= 0)
        return std::nullopt;
    return static_cast<long>((uptime - ticks / double(perSecond)) * 1000.0);
}

std::string Line() {
    const std::string status = ReadFile("/proc/self/status");
    return "quillon ready: " + Figure(MillisecondsSinceStart()) + " ms since start, VmHWM " +
           Figure(StatusKilobytes(status, "VmHWM")) + " kB, VmRSS " +
           Figure(StatusKilobytes(status, "VmRSS")) + " kB";
}

} // namespace ReadyReport
