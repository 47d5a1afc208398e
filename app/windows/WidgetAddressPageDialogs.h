#pragma once

#include "logic/IAddressPageDialogs.h"

#include <QString>

class CSmsUserInfo;
class IMessageBox;
class QWidget;

// The contacts and groups pages' dialogs as windows over the page.
class WidgetAddressPageDialogs : public IAddressPageDialogs {
public:
    // User and boxes must outlive this object; parent is the page or the main window.
    WidgetAddressPageDialogs(CSmsUserInfo& user, IMessageBox& boxes, QWidget* parent);

    bool EditContact(ContactFields& fields, bool isNew) override;
    bool EditGroup(std::string& name, bool isNew) override;
    std::optional<std::string> ExportPath() override;
    bool Import(CSmsAddressBook& book) override;

    // The save-file filter of string 173 ("name#pattern#...##") as the file dialog takes it.
    static QString FileFilter(const std::string& utf8);

private:
    CSmsUserInfo& m_user;
    IMessageBox& m_boxes;
    QWidget* m_parent;
};
