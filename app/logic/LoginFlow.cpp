#include "logic/LoginFlow.h"

#include "frontend/ClientTypes.h"
#include "frontend/SaNotice.h"
#include "logic/ProgramStrings.h"
#include "logic/TextTrim.h"
#include "model/SmsConfig.h"
#include "model/SmsUserInfo.h"

#include <utility>

namespace {

using Icon = IMessageBox::Icon;
using Buttons = IMessageBox::Buttons;
using Answer = IMessageBox::Answer;

} // namespace

UserFactory StoredUsers(const std::string& version) {
    return [version](const std::string& name) {
        return CSmsUserInfo::GetUserInfo(name, version, kDesktopClientType);
    };
}

LoginFlow::LoginFlow(LoginSettings settings, UserFactory users, ILoginDialogs& dialogs,
                     const StringTable& strings, IMessageBox& boxes, ICallRunner& runner)
    : m_settings(std::move(settings)), m_users(std::move(users)), m_dialogs(dialogs),
      m_strings(strings), m_errors(strings), m_boxes(boxes), m_runner(runner) {
    // Another copy may hold the default user's profile: no one is offered then.
    if (m_settings.anotherCopyRuns)
        m_settings.defaultUser.clear();
    if (m_settings.appMode != CSmsConfig::MultiUser)
        m_name = m_settings.defaultUser;
}

void LoginFlow::Run(std::function<void(bool)> done) {
    m_done = std::move(done);
    FirstAttempt();
}

void LoginFlow::FirstAttempt() {
    if (m_settings.appMode == CSmsConfig::SingleUserSavedPwd && !m_settings.defaultUser.empty()) {
        m_user = m_users(m_settings.defaultUser);
        if (m_user && !m_user->GetPassword().empty()) {
            LogIn();
            return;
        }
    }
    ShowDialog();
}

void LoginFlow::ShowDialog() {
    LoginDlgView view;
    view.name = m_name;
    const bool held = m_user && !m_user->GetPassword().empty();
    if (held)
        view.password = kHeldPassword;
    view.focusPassword =
        m_attempts == 0 && m_settings.appMode == CSmsConfig::SingleUser && !m_name.empty();
    ++m_attempts;
    const std::optional<LoginDlgAnswer> answer = m_dialogs.ShowLogin(view);
    if (!answer) {
        End(false);
        return;
    }
    if (!UseAnswer(*answer)) {
        End(false);
        return;
    }
    LogIn();
}

bool LoginFlow::UseAnswer(const LoginDlgAnswer& answer) {
    const std::string name = TrimBlanks(answer.name.substr(0, kMaxNameLength));
    const bool keepPassword = m_user && !m_user->GetPassword().empty() && !answer.passwordEdited;
    const std::string password =
        keepPassword ? m_user->GetPassword() : answer.password.substr(0, kMaxPasswordLength);
    m_name = name;
    if (m_user && !EqualNoCase(m_user->GetName(), name))
        m_user.reset();
    if (!m_user)
        m_user = m_users(name);
    // A profile that is there but cannot be read is not replaced by a new one.
    if (!m_user)
        return false;
    m_user->SetPassword(password);
    return true;
}

void LoginFlow::LogIn() {
    Call([](CSmsUserInfo& user) { return user.KvwsLogin(true); },
         [this](int status) {
             if (status == 0) {
                 CheckNumber();
                 return;
             }
             m_boxes.Show(m_errors.ForStatus(status));
             if (status == kWrongVersion)
                 End(false);
             else
                 ShowDialog();
         });
}

void LoginFlow::CheckNumber() {
    if (m_user->HasNumber()) {
        GetServices();
        return;
    }
    if (m_boxes.Show(m_strings, ProgramString::RegisterNumberNow, {}, Icon::Question,
                     Buttons::YesNo) != Answer::Yes ||
        !m_dialogs.ShowMobileRegistration(*m_user)) {
        End(false);
        return;
    }
    GetServices();
}

void LoginFlow::GetServices() {
    Call([](CSmsUserInfo& user) { return user.KvwsGetServices(); },
         [this](int status) {
             // A refusal leaves the flags as they were; they decide below all the same.
             if (status != 0)
                 m_boxes.Show(m_errors.ForStatus(status));
             SaNotice::Offer(*m_user, [this] { return m_dialogs.ShowSa(); });
             if (!m_user->IsPostpaidSvcActive() && !m_user->IsObkSvcActive()) {
                 End(false);
                 return;
             }
             if (m_user->IsObkSvcActive())
                 GetObk();
             else
                 End(true);
         });
}

void LoginFlow::GetObk() {
    Call([](CSmsUserInfo& user) { return user.KvwsGetObk(); },
         [this](int status) {
             // The balance stays unknown; the login itself went through.
             if (status != 0)
                 m_boxes.Show(m_errors.ForStatus(status));
             End(true);
         });
}

void LoginFlow::Call(std::function<int(CSmsUserInfo&)> work, std::function<void(int)> done) {
    RunCall<int>(
        m_runner, [&user = *m_user, work = std::move(work)] { return work(user); },
        [done = std::move(done)](const int& status) { done(status); },
        [this](const std::exception_ptr& failure) { Failed(failure); });
}

void LoginFlow::Failed(const std::exception_ptr& failure) {
    m_boxes.Show(m_errors.ForFailure(failure));
    End(false);
}

void LoginFlow::End(bool succeeded) {
    m_result = succeeded;
    if (m_done)
        m_done(succeeded);
}
