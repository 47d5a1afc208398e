#pragma once

#include "logic/ISmsPageDialogs.h"

class CSmsUserInfo;
class QWidget;

// The compose page's dialogs as windows over parent.
class WidgetSmsPageDialogs : public ISmsPageDialogs {
public:
    WidgetSmsPageDialogs(CSmsUserInfo& user, QWidget* parent);

    std::optional<RecipientList::NumberChoice>
    ChooseNumber(const CSmsAddressBookItem& contact) override;
    std::optional<std::vector<RecipientEntry>>
    ChooseRecipients(const std::vector<RecipientEntry>& chosen) override;
    std::optional<ScheduleChoice> ChooseSchedule(std::int64_t now) override;

private:
    CSmsUserInfo& m_user;
    QWidget* m_parent;
};
