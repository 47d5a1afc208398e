#include "SyncTestBooks.h"

namespace SyncTestBooks {

void Fill(CSmsAddressBook& book, const std::vector<Contact>& contacts,
          const std::vector<Group>& groups) {
    for (const Contact& contact : contacts)
        book.AddContact(contact.name, contact.phone1, contact.phone2);
    for (const Group& group : groups) {
        // Repeated names are dropped, as the book's own reader drops them.
        const int index = book.AddGroup(group.name);
        for (const std::string& member : group.members)
            book.AddGroupMember(index, member);
    }
}

std::vector<std::string> Describe(const CSmsAddressBook& book) {
    std::vector<std::string> lines;
    for (int i = 0; i < book.GetItemCount(); ++i) {
        const CSmsAddressBookItem& item = *book.GetItem(i);
        lines.push_back(item.GetName() + " " + item.GetPhone1() +
                        (item.GetPhone2().empty() ? "" : ", " + item.GetPhone2()));
    }
    for (int i = 0; i < book.GetGroupCount(); ++i) {
        std::string line = "[" + book.GetGroup(i)->GetName() + "]";
        for (const std::string& member : book.GetGroup(i)->GetMembers())
            line += " " + member + ",";
        lines.push_back(line);
    }
    return lines;
}

} // namespace SyncTestBooks
