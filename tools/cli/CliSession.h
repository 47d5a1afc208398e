#pragma once

#include "ArgParser.h"
#include "CliPrompt.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CSmsUserInfo;

// What a command needs of the service before its own work.
enum class Access {
    Offline,      // the profile only
    LoggedIn,     // logged in
    WithServices, // logged in, with the service flags fetched
};

// The options every command takes, before or after its name.
void AddGlobalOptions(ArgParser& parser);
// A command's parser: the global options and --help.
ArgParser CommandParser(const std::string& usage, const std::string& description);
// Parses a command's arguments; nothing when --help was given, which prints the help.
std::optional<ParsedArgs> ParseCommand(const ArgParser& parser,
                                       const std::vector<std::string>& args);

// One command's use of a user: the profile loaded (the one the desktop program uses), the
// transport with the command-line prompt, the login, saving, and the logout at the end.
class CliSession {
public:
    // Finds the login name (--user, QUILLON_USER, the desktop program's single user) and loads its
    // profile. Throws a usage CliError when there is no name.
    explicit CliSession(const ParsedArgs& args);
    // Logs out when logged in (never throws).
    ~CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    CSmsUserInfo& User() { return *m_user; }
    // ANSI, like every text of the profile.
    const std::string& Login() const { return m_login; }

    // Logs in with QUILLON_PASSWORD, else the saved password, else one asked at the terminal.
    // A password given when none was saved stays out of the profile (unless KeepPassword); one
    // that replaces a saved password is saved in its place. A refusal throws
    // CliError(ExitRefused); service failures throw the service exceptions.
    void LogIn();
    // Keeps the password used for the login in the profile from now on.
    void KeepPassword();
    // Refreshes the service flags (which tariff a message uses, what the service adds to it).
    void GetServices();
    // Logs in and fetches the service flags as far as access needs and this session has not
    // done so yet.
    void Open(Access access);

    // Whether a message is paid from the portal credit: with portal sending chosen and active,
    // or without postpaid sending.
    bool ByCredit() const;
    // The length of the text the service adds to every part of a message.
    int DummyTextLength() const;

    // Saves the whole profile, merged with what other programs stored meanwhile.
    void Save();
    // Changes the profile as one locked read-change-write: what other programs stored since it
    // was loaded is taken in first, then change runs and the profile is saved. Objects of the
    // profile found before the call may be gone: change finds what it needs again.
    void Update(const std::function<void(CSmsUserInfo&)>& change);

private:
    std::string m_login;
    CliPrompt m_prompt; // the transport of m_user refers to it
    std::unique_ptr<CSmsUserInfo> m_user;
    std::string m_savedPassword;
    bool m_loggedIn = false;
    bool m_hasServices = false;
};

// Throws CliError(ExitRefused) with the status's text unless it is 0.
void ExpectSuccess(int status);
