#include "windows/WidgetLoginDialogs.h"

#include "controls/SaDlg.h"
#include "logic/UserMobileAccount.h"
#include "windows/LoginDlg.h"
#include "windows/MobileRegistrationDlg.h"

std::optional<LoginDlgAnswer> WidgetLoginDialogs::ShowLogin(const LoginDlgView& view) {
    LoginDlg dialog(view, m_parent);
    dialog.DoModal();
    return dialog.Answer();
}

bool WidgetLoginDialogs::ShowMobileRegistration(CSmsUserInfo& user) {
    UserMobileAccount account(user);
    MobileRegistrationDlg dialog(account, m_strings, m_boxes, m_parent);
    return dialog.DoModal() == QDialog::Accepted;
}

SaNotice::Answer WidgetLoginDialogs::ShowSa() {
    CSaDlg dialog(m_parent);
    const bool accepted = dialog.DoModal() == QDialog::Accepted;
    return SaNotice::Answer{accepted, dialog.DontShowAgain() != 0};
}
