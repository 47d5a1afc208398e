#include "windows/WidgetSmsPageDialogs.h"

#include "model/SmsUserInfo.h"
#include "windows/NumberChoiceDlg.h"
#include "windows/RecipientChooserDlg.h"
#include "windows/SchedulingDlg.h"

#include <memory>
#include <mutex>

WidgetSmsPageDialogs::WidgetSmsPageDialogs(CSmsUserInfo& user, QWidget* parent)
    : m_user(user), m_parent(parent) {}

std::optional<RecipientList::NumberChoice>
WidgetSmsPageDialogs::ChooseNumber(const CSmsAddressBookItem& contact) {
    return NumberChoiceDlg::Ask(contact, m_parent);
}

std::optional<std::vector<RecipientEntry>>
WidgetSmsPageDialogs::ChooseRecipients(const std::vector<RecipientEntry>& chosen) {
    std::unique_ptr<RecipientChooserDlg> dialog;
    {
        // The book is read while the dialog is built, not while it is open.
        const std::lock_guard lock(m_user.GetDataMutex());
        dialog = std::make_unique<RecipientChooserDlg>(m_user.GetAddressBook(), chosen, m_parent);
    }
    if (dialog->exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog->Chosen();
}

std::optional<ScheduleChoice> WidgetSmsPageDialogs::ChooseSchedule(std::int64_t now) {
    return SchedulingDlg::Ask(now, m_parent);
}
