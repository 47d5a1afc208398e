#include "logic/ChooserLines.h"

#include "model/SmsAddressBook.h"

std::vector<ChooserLine> ContactLines(const CSmsAddressBook& book) {
    std::vector<ChooserLine> lines;
    for (int i = 0; i < book.GetItemCount(); ++i) {
        const CSmsAddressBookItem& contact = *book.GetItem(i);
        if (contact.GetPhone2().empty()) {
            lines.push_back({contact.GetName(), RecipientEntry::OfContact(contact, false)});
            continue;
        }
        for (const bool second : {false, true})
            lines.push_back(
                {contact.GetDisplayString(second), RecipientEntry::OfContact(contact, second)});
    }
    return lines;
}

std::vector<ChooserLine> GroupLines(const CSmsAddressBook& book) {
    std::vector<ChooserLine> lines;
    for (int i = 0; i < book.GetGroupCount(); ++i) {
        const CSmsAddressBookGroup& group = *book.GetGroup(i);
        lines.push_back({group.GetName(), RecipientEntry::OfGroup(group)});
    }
    return lines;
}
