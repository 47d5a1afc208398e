#pragma once

#include "platform/Clock.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// A clock that stands still until a test moves it; installed for the object's lifetime.
class FixedClock : public IClock {
public:
    explicit FixedClock(std::int64_t now);
    ~FixedClock() override;
    std::int64_t Now() const override { return m_now; }
    void Set(std::int64_t now) { m_now = now; }
    void Advance(std::int64_t seconds) { m_now += seconds; }

private:
    std::int64_t m_now;
};

// A fresh folder under the system temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Profiles and settings in a fresh local data folder (XDG_DATA_HOME) for the object's lifetime,
// so that no test meets the files of another.
class ScopedDataHome {
public:
    ScopedDataHome();
    ~ScopedDataHome();
    ScopedDataHome(const ScopedDataHome&) = delete;
    ScopedDataHome& operator=(const ScopedDataHome&) = delete;
    const std::filesystem::path& Path() const { return m_folder.Path(); }

private:
    TempDir m_folder;
    std::optional<std::string> m_previous;
};

// Seconds since 1970 of a local calendar time (under the test's TZ).
std::int64_t LocalTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
