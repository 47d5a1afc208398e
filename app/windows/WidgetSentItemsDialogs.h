#pragma once

#include "logic/ISentItemsDialogs.h"

class CSmsUserInfo;
class IMessageBox;
class QWidget;

// The archive page's dialogs as windows over the page.
class WidgetSentItemsDialogs : public ISentItemsDialogs {
public:
    // User and boxes must outlive this object; parent is the page.
    WidgetSentItemsDialogs(CSmsUserInfo& user, IMessageBox& boxes, QWidget* parent);

    std::optional<int> ChooseFilter(int mode) override;
    void ShowDetails(const SmsDetails& details) override;
    bool EditScheduled(ScheduledSms& message) override;

private:
    CSmsUserInfo& m_user;
    IMessageBox& m_boxes;
    QWidget* m_parent;
};
