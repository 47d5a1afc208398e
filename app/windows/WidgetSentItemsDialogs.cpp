#include "windows/WidgetSentItemsDialogs.h"

#include "windows/FilterDlg.h"
#include "windows/ScheduledSmsDlg.h"
#include "windows/SmsDetailsDlg.h"

WidgetSentItemsDialogs::WidgetSentItemsDialogs(CSmsUserInfo& user, IMessageBox& boxes,
                                               QWidget* parent)
    : m_user(user), m_boxes(boxes), m_parent(parent) {}

std::optional<int> WidgetSentItemsDialogs::ChooseFilter(int mode) {
    return FilterDlg::Ask(mode, m_parent);
}

void WidgetSentItemsDialogs::ShowDetails(const SmsDetails& details) {
    SmsDetailsDlg dialog(details, m_parent);
    dialog.exec();
}

bool WidgetSentItemsDialogs::EditScheduled(ScheduledSms& message) {
    return ScheduledSmsDlg::Edit(m_user, m_boxes, message, m_parent);
}
