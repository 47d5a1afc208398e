#pragma once

#include <cstdint>
#include <string>

class CSmsConfig;

// The string ids of the start-up's own texts (in the program's string table).
constexpr int kSecondCopyWarning = 221;

// How long the splash picture shows before the program goes on, in milliseconds.
constexpr int kSplashMilliseconds = 1500;

// The settings the start-up decides by, as plain values.
struct StartupSettings {
    int appMode = 0; // CSmsConfig::AppMode
    std::string defaultUser;
    bool minToTray = false;

    static StartupSettings From(const CSmsConfig& config);
};

// Another copy runs: the user is warned (kSecondCopyWarning, exclamation) and start-up goes on.
bool WarnsOfOtherCopy(int otherCopies);

// The splash shows unless the program starts minimised into the tray; then the main window
// starts hidden instead.
bool ShowsSplash(bool startMinimised, const StartupSettings& settings);
bool StartsHidden(bool startMinimised, const StartupSettings& settings);

// After login: only the single user whose password is stored keeps the save-password flag.
bool KeepsSavePasswordAfterLogin(const StartupSettings& settings);
// At exit: the same, and only while that user is the one logged in (names compared exactly).
bool KeepsSavePasswordAtExit(const StartupSettings& settings, const std::string& loggedInName);

// What the archive clean-up at start-up does with the user's archive (CSmsArchive::
// RemoveOldItems(limit, byDays)); nothing to do when run is false.
struct ArchiveCleanup {
    bool run = false;
    int limit = 0;
    bool byDays = false;
    bool operator==(const ArchiveCleanup&) const = default;
};
ArchiveCleanup ArchiveCleanupFor(int autoDelMode, unsigned maxDays, unsigned maxItems);

// How the login dialog starts.
enum class LoginField { Name, Password };
struct LoginStart {
    // The default user the login goes by: none while another copy runs.
    std::string defaultUser;
    // What the name field holds when the dialog first shows.
    std::string name;
    bool operator==(const LoginStart&) const = default;
};
LoginStart LoginStartFor(const StartupSettings& settings, int otherCopies);
// The field that gets the focus (its text selected): the password on the first attempt of the
// single user whose name is filled in, else the name.
LoginField FirstFocus(const StartupSettings& settings, bool firstAttempt, bool nameFilled);
