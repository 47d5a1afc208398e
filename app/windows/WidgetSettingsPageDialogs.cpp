#include "windows/WidgetSettingsPageDialogs.h"

#include "controls/CreditDlg.h"
#include "frontend/UserCreditAccount.h"
#include "logic/ProgramStrings.h"
#include "windows/EnterKeyDlg.h"
#include "windows/ServiceActivationDlg.h"

WidgetSettingsPageDialogs::WidgetSettingsPageDialogs(CSmsUserInfo& user, IMessageBox& boxes,
                                                     QWidget* parent)
    : m_user(user), m_boxes(boxes), m_parent(parent) {}

std::optional<std::string> WidgetSettingsPageDialogs::AskActivationCode(const std::string& terms) {
    ServiceActivationDlg dialog(terms, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Code();
}

std::optional<int> WidgetSettingsPageDialogs::ChooseEnterKey(int mode) {
    return EnterKeyDlg::Ask(mode, m_parent);
}

void WidgetSettingsPageDialogs::RechargeCredit() {
    UserCreditAccount account(m_user);
    CCreditDlg dialog(account, ProgramStrings(), {}, m_boxes, m_parent);
    dialog.DoModal();
}
