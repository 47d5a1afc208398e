#include "logic/AddressPageLogic.h"

#include "frontend/AddressBookExport.h"
#include "frontend/ICallRunner.h"
#include "frontend/IMessageBox.h"
#include "logic/IAddressPageDialogs.h"
#include "logic/ProgramStrings.h"
#include "model/SmsUserInfo.h"

using Answer = IMessageBox::Answer;
using Icon = IMessageBox::Icon;
using BoxButtons = IMessageBox::Buttons;

namespace {

BookEntry EntryOf(int index, const CSmsAddressBookGroup& group) {
    return {index, group.GetName()};
}

} // namespace

AddressPageLogic::AddressPageLogic(CSmsUserInfo& user, IMessageBox& boxes,
                                   IAddressPageDialogs& dialogs)
    : m_user(user), m_boxes(boxes), m_dialogs(dialogs) {}

std::vector<ContactRow> AddressPageLogic::Rows() const {
    const auto lock = m_user.LockData();
    const CSmsAddressBook& book = m_user.GetAddressBook();
    std::vector<ContactRow> rows;
    rows.reserve(static_cast<std::size_t>(book.GetItemCount()));
    for (int i = 0; i < book.GetItemCount(); ++i) {
        const CSmsAddressBookItem* item = book.GetItem(i);
        rows.push_back({item->GetID(), item->GetName(), item->GetPhone1(), item->GetPhone2()});
    }
    return rows;
}

AddressPageLogic::Buttons AddressPageLogic::ButtonsFor(int selectedRows) {
    Buttons buttons;
    buttons.edit = selectedRows > 0;
    buttons.addToGroup = selectedRows == 1;
    buttons.removeFromGroup = selectedRows > 0;
    buttons.editIsDefault = selectedRows > 0;
    return buttons;
}

GroupAssignment AddressPageLogic::Assignment(const std::vector<std::uint32_t>& selected) const {
    const auto lock = m_user.LockData();
    const CSmsAddressBook& book = m_user.GetAddressBook();
    const CSmsAddressBookItem* contact =
        selected.size() == 1 ? book.GetItemByID(selected.front()) : nullptr;
    GroupAssignment lists;
    for (int i = 0; i < book.GetGroupCount(); ++i) {
        const CSmsAddressBookGroup& group = *book.GetGroup(i);
        if (contact && group.IsMember(contact->GetName()))
            lists.memberOf.push_back(EntryOf(i, group));
        else
            lists.others.push_back(EntryOf(i, group));
    }
    return lists;
}

bool AddressPageLogic::AddToGroup(std::uint32_t contact, int group) {
    const auto lock = m_user.LockData();
    CSmsAddressBook& book = m_user.GetAddressBook();
    const CSmsAddressBookItem* item = book.GetItemByID(contact);
    return item && book.AddGroupMember(group, item->GetName());
}

bool AddressPageLogic::RemoveFromGroup(std::uint32_t contact, int group) {
    const auto lock = m_user.LockData();
    CSmsAddressBook& book = m_user.GetAddressBook();
    const CSmsAddressBookItem* item = book.GetItemByID(contact);
    return item && book.DelGroupMember(group, item->GetName());
}

bool AddressPageLogic::AskToCorrect(int stringId) {
    return m_boxes.Show(ProgramStrings(), stringId, {}, Icon::Question, BoxButtons::YesNo) ==
           Answer::Yes;
}

std::optional<std::uint32_t> AddressPageLogic::NewContact() {
    ContactFields fields;
    while (m_dialogs.EditContact(fields, true)) {
        {
            const auto lock = m_user.LockData();
            CSmsAddressBook& book = m_user.GetAddressBook();
            const int index = book.AddContact(fields.name, fields.phone1, fields.phone2);
            if (index >= 0)
                return book.GetItem(index)->GetID();
        }
        if (!AskToCorrect(ProgramString::ContactNameTaken))
            break;
    }
    return std::nullopt;
}

bool AddressPageLogic::EditContact(std::uint32_t id) {
    ContactFields fields;
    {
        const auto lock = m_user.LockData();
        const CSmsAddressBookItem* item = m_user.GetAddressBook().GetItemByID(id);
        if (!item)
            return false;
        fields = {item->GetName(), item->GetPhone1(), item->GetPhone2()};
    }
    while (m_dialogs.EditContact(fields, false)) {
        {
            const auto lock = m_user.LockData();
            CSmsAddressBook& book = m_user.GetAddressBook();
            if (!book.GetItemByID(id))
                return false;
            if (book.EditContactByID(id, fields.name, fields.phone1, fields.phone2))
                return true;
        }
        if (!AskToCorrect(ProgramString::ContactNameTaken))
            break;
    }
    return false;
}

bool AddressPageLogic::Delete(const std::vector<std::uint32_t>& ids) {
    if (ids.empty())
        return false;
    const Answer answer = ids.size() == 1
                              ? m_boxes.Show(ProgramStrings(), ProgramString::DeleteContact, {},
                                             Icon::Question, BoxButtons::YesNo, Answer::No)
                              : m_boxes.Show(ProgramStrings(), ProgramString::DeleteContacts,
                                             {static_cast<int>(ids.size())}, Icon::Question,
                                             BoxButtons::YesNo, Answer::No);
    if (answer != Answer::Yes)
        return false;
    {
        const auto lock = m_user.LockData();
        for (const std::uint32_t id : ids)
            m_user.GetAddressBook().DelContactByID(id);
    }
    m_user.Save(false);
    return true;
}

bool AddressPageLogic::Export() {
    const std::optional<std::string> path = m_dialogs.ExportPath();
    return path && ExportTo(*path);
}

bool AddressPageLogic::ExportTo(const std::string& path) {
    std::string error;
    bool written = false;
    {
        const auto lock = m_user.LockData();
        written = AddressBookExport::Write(m_user.GetAddressBook(), path, error);
    }
    if (!written)
        m_boxes.Show(error, Icon::Stop);
    return written;
}

bool AddressPageLogic::Import() {
    {
        const auto lock = m_user.LockData();
        if (!m_dialogs.Import(m_user.GetAddressBook()))
            return false;
    }
    m_user.Save(false);
    return true;
}

bool AddressPageLogic::Synchronize(ICallRunner& calls, IAddressBookSyncUi& ui,
                                   std::function<void()> finished) {
    return RunCall<bool>(
        calls,
        [this, &ui] {
            m_user.Synchronize(ui);
            return true;
        },
        [this, finished = std::move(finished)](const CallResult<bool>& result) {
            try {
                result.Get();
            } catch (...) {
                // The synchronisation shows the service's failures itself; anything else
                // still ends in a box rather than in silence.
                m_boxes.Show(ProgramStrings(), ProgramString::CommunicationError, {}, Icon::Stop);
            }
            // Whatever was changed before a failure stays in the book, so it is saved too.
            m_user.Save(false);
            if (finished)
                finished();
        });
}
