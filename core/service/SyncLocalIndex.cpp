#include "service/SyncLocalIndex.h"

#include "model/SmsAddressBook.h"
#include "service/SyncNames.h"

CSyncLocalIndex::CSyncLocalIndex(const CSmsAddressBook& book) : m_book(book) {
    for (int i = 0; i < book.GetItemCount(); ++i) {
        const CSmsAddressBookItem* contact = book.GetItem(i);
        m_contacts.emplace(SyncNames::AliasName(contact->GetName()), contact);
    }
    for (int i = 0; i < book.GetGroupCount(); ++i)
        GroupAdded(i);
}

const CSmsAddressBookItem* CSyncLocalIndex::ContactMatching(const std::string& aliasName) const {
    const auto found = m_contacts.find(aliasName);
    return found == m_contacts.end() ? nullptr : found->second;
}

int CSyncLocalIndex::GroupMatching(const std::string& groupName) const {
    const auto found = m_groups.find(groupName);
    return found == m_groups.end() ? -1 : found->second;
}

void CSyncLocalIndex::GroupAdded(int index) {
    // emplace keeps an earlier group of the same name: the first match wins.
    m_groups.emplace(SyncNames::AliasName(m_book.GetGroup(index)->GetName()), index);
}
