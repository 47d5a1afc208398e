#pragma once

#include "QuillonCoreExport.h"

#include "SmsAddressBookGroup.h"
#include "SmsAddressBookItem.h"

#include <pugixml.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

class CXmlWriter;

// One user's contacts and groups, in insertion (file) order. Contact names are unique, group
// names are unique, and after reading every group member names a contact (only
// AddGroupWithMembers adds members that need not).
//
// Every lookup goes through the private IndexFrom... functions and returns the first match in
// order. Contacts and groups are handed out read-only: every change of a name, number or member
// goes through the book's own members, so an index can be kept there later.
class QUILLON_CORE_EXPORT CSmsAddressBook {
public:
    CSmsAddressBook() = default;
    CSmsAddressBook(const CSmsAddressBook&) = delete;
    CSmsAddressBook& operator=(const CSmsAddressBook&) = delete;
    virtual ~CSmsAddressBook();

    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    int GetGroupCount() const { return static_cast<int>(m_groups.size()); }
    // Null for an index outside the range.
    const CSmsAddressBookItem* GetItem(int index) const;
    const CSmsAddressBookGroup* GetGroup(int index) const;

    // The new contact's index, or -1 when a contact of that exact name exists.
    int AddContact(const std::string& name, const std::string& phone1, const std::string& phone2);
    // Adds each contact as AddContact would, in order (a name taken by the book or by an earlier
    // one of the list is left out), with one look-up of the taken names for all of them; how
    // many were added.
    struct NewContact {
        std::string name;
        std::string phone1;
        std::string phone2;
    };
    int AddContacts(const std::vector<NewContact>& contacts);
    // The new group's index, or -1 when a group of that exact name exists.
    int AddGroup(const std::string& name);
    // The same with these members, each once, whether or not they name a contact: a fetched copy
    // of the server's book holds what the service reported, so that a member naming no alias
    // still tells the group apart from one without it.
    int AddGroupWithMembers(const std::string& name, const std::vector<std::string>& members);
    // False when no contact has the ID or another contact already has the new name. A new name
    // replaces the old one in every group.
    bool EditContactByID(std::uint32_t id, const std::string& name, const std::string& phone1,
                         const std::string& phone2);
    // False for an index outside the range or a name that another group has.
    bool EditGroup(int index, const std::string& name);
    // Also removes the contact's name from every group.
    bool DelContactByID(std::uint32_t id);
    bool DelGroup(int index);
    bool DelGroupByID(std::uint32_t id);
    // False when the group does not exist, no contact has that exact name or it is already a
    // member.
    bool AddGroupMember(int index, const std::string& name);
    bool AddGroupMember(const std::string& groupName, const std::string& name);
    // False when the index is outside the range, no contact has that name or it is no member.
    bool DelGroupMember(int index, const std::string& name);

    const CSmsAddressBookItem* GetItemByID(std::uint32_t id) const;
    const CSmsAddressBookGroup* GetGroupByID(std::uint32_t id) const;
    // The first match of a name search (see IndexFromItemName), or null.
    const CSmsAddressBookItem* GetItemByName(const std::string& name, bool ignoreCase = false,
                                             bool noAccents = false, int prefixLen = -1) const;
    const CSmsAddressBookGroup* GetGroupByName(const std::string& name, bool ignoreCase = false,
                                               bool noAccents = false, int prefixLen = -1) const;
    // The first contact with the number (see IndexFromNumber), or null.
    const CSmsAddressBookItem* GetItemByNumber(const std::string& number, bool intlItems,
                                               bool intlQuery) const;

    // Finds the first number (in international form) that an earlier number of the book
    // already had: later is the contact that repeats it, earlier the one that had it first.
    bool HasDuplicates(int& later, int& earlier) const;

    void RemoveAll();

    // Adds the contacts and groups of an "AddressBook" element; entries without a number,
    // repeated names and members that name no contact are dropped.
    void ReadXML(const pugi::xml_node& element);
    // Writes an "AddressBook" element.
    void WriteXML(CXmlWriter& writer) const;

    // Takes in what theirs (another copy of this book) changed since base, the copy both started
    // from, contact by contact and group by group (by name): what was added or changed there and
    // not here comes over, what was deleted there and not changed here goes, and what this book
    // added, changed or deleted stays so. A name changed on both sides keeps this book's
    // version.
    void Merge(const CSmsAddressBook& base, const CSmsAddressBook& theirs);

private:
    using NameSet = std::unordered_set<std::string>;

    // Appends the item unless it has no number or its name is in names (the names of the
    // contacts already in the book); destroys it otherwise.
    void AddItem(std::unique_ptr<CSmsAddressBookItem> item, NameSet& names);
    // Appends the group unless a group of its name exists; destroys it otherwise.
    void AddGroup(std::unique_ptr<CSmsAddressBookGroup> group);
    // Every group that has oldName as a member gets newName in its place (at the end).
    void ChangeNameInGroups(const std::string& oldName, const std::string& newName);
    void RemoveMembersWithoutContact(const NameSet& names);

    int IndexFromItemID(std::uint32_t id) const;
    int IndexFromGroupID(std::uint32_t id) const;
    // The first contact whose name, without accents when noAccents is set, cut to prefixLen
    // characters unless that is -1, equals the name; ignoreCase compares without regard to
    // case. The query itself is never transformed.
    int IndexFromItemName(const std::string& name, bool ignoreCase, bool noAccents,
                          int prefixLen) const;
    // The same over the groups, except that an exact search of the whole name ignores
    // noAccents.
    int IndexFromGroupName(const std::string& name, bool ignoreCase, bool noAccents,
                           int prefixLen) const;
    // The first contact with Phone1 or a non-empty Phone2 equal to the number; intlItems
    // compares the contacts' numbers in international form, intlQuery converts the query.
    int IndexFromNumber(const std::string& number, bool intlItems, bool intlQuery) const;

    std::vector<std::unique_ptr<CSmsAddressBookItem>> m_items;
    std::vector<std::unique_ptr<CSmsAddressBookGroup>> m_groups;
};
