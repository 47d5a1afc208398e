#include "TestSupport.h"

#include <cstdlib>

#include <ctime>
#include <stdexcept>
#include <stdlib.h>

FixedClock::FixedClock(std::int64_t now) : m_now(now) {
    Clock::SetSource(this);
}

FixedClock::~FixedClock() {
    Clock::SetSource(nullptr);
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillon-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

ScopedDataHome::ScopedDataHome() {
    if (const char* previous = std::getenv("XDG_DATA_HOME"))
        m_previous = previous;
    setenv("XDG_DATA_HOME", m_folder.Path().c_str(), 1);
}

ScopedDataHome::~ScopedDataHome() {
    if (m_previous)
        setenv("XDG_DATA_HOME", m_previous->c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

std::int64_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&tm));
}
