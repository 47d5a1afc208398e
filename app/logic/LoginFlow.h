#pragma once

#include "frontend/ICallRunner.h"
#include "frontend/IMessageBox.h"
#include "frontend/ServiceErrorText.h"
#include "logic/ILoginDialogs.h"
#include "model/SmsUserInfo.h"
#include "model/StringTable.h"

#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// What a login starts from: the installation's settings and whether another copy of the
// program runs.
struct LoginSettings {
    int appMode = 0; // CSmsConfig::AppMode
    std::string defaultUser;
    bool anotherCopyRuns = false;
};

// Makes the user object of a login name (the stored profile, or a new user); null when the
// profile is there but cannot be read.
using UserFactory = std::function<std::unique_ptr<CSmsUserInfo>(const std::string& name)>;

// The users of the profile store, as the desktop program of that version knows them.
UserFactory StoredUsers(const std::string& version);

// The desktop program's login: the login dialog until the service accepts name and password,
// the registration of a mobile number where the account has none, the service flags, the
// service-activation notice and the portal credit. Dialogs are the windows', messages go
// through the message box seam with the program's texts, service calls through the runner.
// The flow owns the user object it made, logged in or not, until it is taken.
class LoginFlow {
public:
    static constexpr std::size_t kMaxNameLength = 30;
    static constexpr std::size_t kMaxPasswordLength = 30;
    // What the password field shows for a password already held.
    static constexpr const char* kHeldPassword = "******";
    // The service's status for a version of the program it no longer serves.
    static constexpr int kWrongVersion = 66;

    // All references must outlive the flow.
    LoginFlow(LoginSettings settings, UserFactory users, ILoginDialogs& dialogs,
              const StringTable& strings, IMessageBox& boxes, ICallRunner& runner);

    // Starts the login; done gets whether it succeeded, once it is over.
    void Run(std::function<void(bool)> done);
    // Set once the login is over.
    std::optional<bool> GetResult() const { return m_result; }
    // The user object made so far (also after a failed login, which still logs out); null when
    // none.
    CSmsUserInfo* GetUser() const { return m_user.get(); }
    std::unique_ptr<CSmsUserInfo> TakeUser() { return std::move(m_user); }
    // How many times the login dialog was shown.
    int Attempts() const { return m_attempts; }

private:
    void FirstAttempt();
    void ShowDialog();
    bool UseAnswer(const LoginDlgAnswer& answer);
    void LogIn();
    void CheckNumber();
    void GetServices();
    void GetObk();
    // Runs a service call of the user; done gets its status, a thrown failure ends the login.
    void Call(std::function<int(CSmsUserInfo&)> work, std::function<void(int)> done);
    void Failed(const std::exception_ptr& failure);
    void End(bool succeeded);

    LoginSettings m_settings;
    UserFactory m_users;
    ILoginDialogs& m_dialogs;
    const StringTable& m_strings;
    ServiceErrorText m_errors;
    IMessageBox& m_boxes;
    ICallRunner& m_runner;
    std::function<void(bool)> m_done;
    std::unique_ptr<CSmsUserInfo> m_user;
    std::string m_name; // the name the dialog shows next
    int m_attempts = 0;
    std::optional<bool> m_result;
};
