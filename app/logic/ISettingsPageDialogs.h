#pragma once

#include <optional>
#include <string>

// The dialogs the settings page opens; the windows show them, tests script them.
class ISettingsPageDialogs {
public:
    virtual ~ISettingsPageDialogs() = default;
    // The activation of the postpaid service with its terms (ANSI): the check string the user
    // typed (ANSI) on OK, nothing on cancel. Every call starts with an empty field.
    virtual std::optional<std::string> AskActivationCode(const std::string& terms) = 0;
    // What the Enter key does while writing (CSmsUserInfo::EnterKeyMode): the new mode on OK.
    virtual std::optional<int> ChooseEnterKey(int mode) = 0;
    // The credit reload for the user.
    virtual void RechargeCredit() = 0;
};
