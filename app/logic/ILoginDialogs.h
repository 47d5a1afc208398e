#pragma once

#include "frontend/SaNotice.h"

#include <optional>
#include <string>

class CSmsUserInfo;

// What the login dialog starts with. The focused field's text is selected.
struct LoginDlgView {
    std::string name;     // ANSI
    std::string password; // ANSI; a held password shows as LoginFlow::kHeldPassword
    bool focusPassword = false;
};

// What the login dialog ended with, when OK was pressed.
struct LoginDlgAnswer {
    std::string name;     // ANSI, as typed
    std::string password; // ANSI, as typed
    // Whether the user changed the password field; an unchanged field keeps the held password.
    bool passwordEdited = false;
};

// The modal dialogs of a login, which the program's windows implement.
class ILoginDialogs {
public:
    virtual ~ILoginDialogs() = default;
    // The login dialog; nothing when it was cancelled.
    virtual std::optional<LoginDlgAnswer> ShowLogin(const LoginDlgView& view) = 0;
    // The mobile registration dialog for the user; whether it ended with OK.
    virtual bool ShowMobileRegistration(CSmsUserInfo& user) = 0;
    // The service-activation notice.
    virtual SaNotice::Answer ShowSa() = 0;
};
