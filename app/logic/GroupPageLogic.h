#pragma once

#include "logic/AddressBookEntries.h"

#include <optional>
#include <string>
#include <vector>

class CSmsUserInfo;
class IAddressPageDialogs;
class IMessageBox;

// The groups page without its window: the groups, the members of the selected one and the
// other contacts, new, rename and delete with their questions, members in and out. Groups and
// contacts are named by their index in the book.
class GroupPageLogic {
public:
    // All must outlive the logic.
    GroupPageLogic(CSmsUserInfo& user, IMessageBox& boxes, IAddressPageDialogs& dialogs);

    std::vector<BookEntry> Groups() const;
    // The group's members and every other contact; for -1 (no group) no members and every
    // contact.
    MemberLists Members(int group) const;

    // The group dialog until the name is free or the user gives up: the new group's index.
    std::optional<int> NewGroup();
    // The dialog with the group's name; true when it was renamed.
    bool EditGroup(int group);
    // After asking; true when it went.
    bool DeleteGroup(int group);

    // The contact (by index) into the group; the member (by name) out of it. True when
    // something changed.
    bool AddMember(int group, int contact);
    bool RemoveMember(int group, const std::string& name);

private:
    bool AskToCorrect();

    CSmsUserInfo& m_user;
    IMessageBox& m_boxes;
    IAddressPageDialogs& m_dialogs;
};
