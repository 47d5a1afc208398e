#pragma once

#include "logic/GroupPageLogic.h"

#include <QWidget>

class CSmsUserInfo;
class IAddressPageDialogs;
class IMessageBox;
class QListWidget;
class QPushButton;

// The groups page of the main window: the groups, new, rename and delete, and the members of
// the selected group beside the other contacts.
class GroupPage : public QWidget {
    Q_OBJECT
public:
    // user, boxes and dialogs must outlive the page.
    GroupPage(CSmsUserInfo& user, IMessageBox& boxes, IAddressPageDialogs& dialogs,
              QWidget* parent = nullptr);

    // The group (by index) becomes the selected one; -1 selects none.
    void SelectGroup(int group);
    int SelectedGroup() const;

public slots:
    // The groups from the book again (the contacts page changed it as a whole).
    void Reload();
    void NewGroup();
    void EditGroup();
    void DeleteGroup();
    void AddMember();
    void RemoveMember();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Build();
    void RebuildMembers();
    void UpdateButtons();

    GroupPageLogic m_logic;
    QListWidget* m_groups = nullptr;
    QListWidget* m_members = nullptr;
    QListWidget* m_people = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
};
