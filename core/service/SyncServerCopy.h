#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CSmsAddressBook;
class CSmsAddressBookGroup;
class CSmsAddressBookItem;

// The fetched server address book during a synchronisation, with hash lookups that answer
// like the book's own ordered ones (the first match in book order). Deletions are applied to
// the fetched book; aliases uploaded during the run are held here, after the fetched ones
// (appending them to the book would search all its names once per alias). The directions
// delete before they upload, so only fetched aliases are ever removed. The book must not be
// changed otherwise meanwhile.
class CSyncServerCopy {
public:
    explicit CSyncServerCopy(CSmsAddressBook& book);

    CSmsAddressBook& Book() const { return m_book; }
    // Null when absent (alias names are unique in a book).
    const CSmsAddressBookItem* AliasById(std::uint32_t id) const;
    const CSmsAddressBookItem* AliasNamed(const std::string& name) const;
    bool HasAlias(const std::string& name) const { return AliasNamed(name) != nullptr; }
    // The first alias in book order whose number is exactly the number.
    const CSmsAddressBookItem* AliasWithNumber(const std::string& number) const;
    const CSmsAddressBookGroup* GroupById(std::uint32_t id) const;
    const CSmsAddressBookGroup* GroupNamed(const std::string& name) const;

    // Adds the alias unless one of that name exists (then the copy keeps the old number).
    void AddAlias(const std::string& name, const std::string& number);
    // Removes a fetched alias and its name from every group.
    void RemoveAlias(std::uint32_t id);
    void RemoveGroup(std::uint32_t id);

private:
    void IndexAlias(const CSmsAddressBookItem* alias);
    void UnindexAlias(const CSmsAddressBookItem& alias);
    void IndexGroup(const CSmsAddressBookGroup* group);

    CSmsAddressBook& m_book;
    std::vector<std::unique_ptr<CSmsAddressBookItem>> m_added;
    std::unordered_map<std::uint32_t, const CSmsAddressBookItem*> m_aliasById;
    std::unordered_map<std::string, const CSmsAddressBookItem*> m_aliasByName;
    // Every alias of a number, in book order.
    std::unordered_map<std::string, std::vector<const CSmsAddressBookItem*>> m_aliasesByNumber;
    std::unordered_map<std::uint32_t, const CSmsAddressBookGroup*> m_groupById;
    std::unordered_map<std::string, const CSmsAddressBookGroup*> m_groupByName;
};
