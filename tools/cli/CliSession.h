#pragma once

#include "ArgParser.h"
#include "CliPrompt.h"

#include <memory>
#include <string>

class CSmsUserInfo;

// The options every command takes, before or after its name.
void AddGlobalOptions(ArgParser& parser);

// One command's use of a user: the profile loaded (the one the desktop program uses), the
// transport with the command-line prompt, the login, saving, and the logout at the end.
class CliSession {
public:
    // Finds the login name (--user, QUILLON_USER, the configured default user) and loads its
    // profile. Throws a usage CliError when there is no name.
    explicit CliSession(const ParsedArgs& args);
    // Logs out when logged in (never throws).
    ~CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    CSmsUserInfo& User() { return *m_user; }
    const std::string& Login() const { return m_login; }

    // Logs in with QUILLON_PASSWORD, else the saved password, else one asked at the terminal.
    // A refusal throws CliError(ExitRefused); service failures throw the service exceptions.
    void LogIn();
    // Keeps the password used for the login in the profile from now on.
    void KeepPassword();
    // Refreshes the service flags (which tariff a message uses, what the service adds to it).
    void GetServices();

    // Whether a message is paid from the portal credit: with portal sending chosen and active,
    // or without postpaid sending.
    bool ByCredit() const;
    // The length of the text the service adds to every part of a message.
    int DummyTextLength() const;

    // Saves the whole profile; a password that was not asked to be kept stays out of it.
    void Save();

private:
    std::string m_login;
    std::unique_ptr<CSmsUserInfo> m_user;
    CliPrompt m_prompt;
    std::string m_savedPassword;
    bool m_keepPassword = false;
    bool m_loggedIn = false;
};

// Throws CliError(ExitRefused) with the status's text unless it is 0.
void ExpectSuccess(int status);
