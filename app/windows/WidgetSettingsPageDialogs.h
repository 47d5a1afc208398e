#pragma once

#include "logic/ISettingsPageDialogs.h"

class CSmsUserInfo;
class IMessageBox;
class QWidget;

// The settings page's dialogs as windows over the page.
class WidgetSettingsPageDialogs : public ISettingsPageDialogs {
public:
    // User and boxes must outlive this object; parent is the page.
    WidgetSettingsPageDialogs(CSmsUserInfo& user, IMessageBox& boxes, QWidget* parent);

    std::optional<std::string> AskActivationCode(const std::string& terms) override;
    std::optional<int> ChooseEnterKey(int mode) override;
    void RechargeCredit() override;

private:
    CSmsUserInfo& m_user;
    IMessageBox& m_boxes;
    QWidget* m_parent;
};
