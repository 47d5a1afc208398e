#pragma once

#include <string>
#include <unordered_map>

class CSmsAddressBook;
class CSmsAddressBookItem;

// Lookups of the local address book by the names the server knows: a contact or group
// matches a server name when its own name, transliterated and cut to 15 characters, equals it.
// Answers like the book's ordered search (the first match). Built from the book as it stands;
// groups appended later are recorded with GroupAdded, any other change needs a new index.
class CSyncLocalIndex {
public:
    explicit CSyncLocalIndex(const CSmsAddressBook& book);

    // Null when no contact matches.
    const CSmsAddressBookItem* ContactMatching(const std::string& aliasName) const;
    // The group's index, or -1.
    int GroupMatching(const std::string& groupName) const;
    // Records the group just appended at the index.
    void GroupAdded(int index);

private:
    const CSmsAddressBook& m_book;
    std::unordered_map<std::string, const CSmsAddressBookItem*> m_contacts;
    std::unordered_map<std::string, int> m_groups;
};
