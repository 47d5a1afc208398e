#include "logic/GroupPageLogic.h"

#include "frontend/IMessageBox.h"
#include "logic/IAddressPageDialogs.h"
#include "logic/ProgramStrings.h"
#include "model/SmsUserInfo.h"

#include <unordered_set>

using Answer = IMessageBox::Answer;
using Icon = IMessageBox::Icon;
using Buttons = IMessageBox::Buttons;

GroupPageLogic::GroupPageLogic(CSmsUserInfo& user, IMessageBox& boxes, IAddressPageDialogs& dialogs)
    : m_user(user), m_boxes(boxes), m_dialogs(dialogs) {}

std::vector<BookEntry> GroupPageLogic::Groups() const {
    const auto lock = m_user.LockData();
    const CSmsAddressBook& book = m_user.GetAddressBook();
    std::vector<BookEntry> groups;
    for (int i = 0; i < book.GetGroupCount(); ++i)
        groups.push_back({i, book.GetGroup(i)->GetName()});
    return groups;
}

MemberLists GroupPageLogic::Members(int group) const {
    const auto lock = m_user.LockData();
    const CSmsAddressBook& book = m_user.GetAddressBook();
    const CSmsAddressBookGroup* chosen = book.GetGroup(group);
    MemberLists lists;
    if (chosen)
        lists.members = chosen->GetMembers();
    const std::unordered_set<std::string> members(lists.members.begin(), lists.members.end());
    for (int i = 0; i < book.GetItemCount(); ++i) {
        const std::string& name = book.GetItem(i)->GetName();
        if (!members.contains(name))
            lists.people.push_back({i, name});
    }
    return lists;
}

bool GroupPageLogic::AskToCorrect() {
    return m_boxes.Show(ProgramStrings(), ProgramString::GroupNameTaken, {}, Icon::Question,
                        Buttons::YesNo) == Answer::Yes;
}

std::optional<int> GroupPageLogic::NewGroup() {
    std::string name;
    while (m_dialogs.EditGroup(name, true)) {
        {
            const auto lock = m_user.LockData();
            const int index = m_user.GetAddressBook().AddGroup(name);
            if (index >= 0)
                return index;
        }
        if (!AskToCorrect())
            break;
    }
    return std::nullopt;
}

bool GroupPageLogic::EditGroup(int group) {
    std::string name;
    {
        const auto lock = m_user.LockData();
        const CSmsAddressBookGroup* chosen = m_user.GetAddressBook().GetGroup(group);
        if (!chosen)
            return false;
        name = chosen->GetName();
    }
    while (m_dialogs.EditGroup(name, false)) {
        {
            const auto lock = m_user.LockData();
            CSmsAddressBook& book = m_user.GetAddressBook();
            if (!book.GetGroup(group))
                return false;
            if (book.EditGroup(group, name))
                return true;
        }
        if (!AskToCorrect())
            break;
    }
    return false;
}

bool GroupPageLogic::DeleteGroup(int group) {
    if (group < 0)
        return false;
    if (m_boxes.Show(ProgramStrings(), ProgramString::DeleteGroup, {}, Icon::Question,
                     Buttons::YesNo) != Answer::Yes)
        return false;
    const auto lock = m_user.LockData();
    return m_user.GetAddressBook().DelGroup(group);
}

bool GroupPageLogic::AddMember(int group, int contact) {
    const auto lock = m_user.LockData();
    CSmsAddressBook& book = m_user.GetAddressBook();
    const CSmsAddressBookItem* item = book.GetItem(contact);
    return item && book.AddGroupMember(group, item->GetName());
}

bool GroupPageLogic::RemoveMember(int group, const std::string& name) {
    const auto lock = m_user.LockData();
    return m_user.GetAddressBook().DelGroupMember(group, name);
}
