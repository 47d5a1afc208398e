#pragma once

#include "frontend/IMessageBox.h"
#include "logic/ILoginDialogs.h"
#include "model/StringTable.h"

class QWidget;

// The login's dialogs as the program's windows, modal over the parent (none during start-up).
class WidgetLoginDialogs : public ILoginDialogs {
public:
    // Table and boxes must outlive this; the parent may be null.
    WidgetLoginDialogs(const StringTable& strings, IMessageBox& boxes, QWidget* parent = nullptr)
        : m_strings(strings), m_boxes(boxes), m_parent(parent) {}

    std::optional<LoginDlgAnswer> ShowLogin(const LoginDlgView& view) override;
    bool ShowMobileRegistration(CSmsUserInfo& user) override;
    SaNotice::Answer ShowSa() override;

private:
    const StringTable& m_strings;
    IMessageBox& m_boxes;
    QWidget* m_parent;
};
