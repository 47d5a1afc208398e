#include "service/SyncServerCopy.h"

#include "model/SmsAddressBook.h"

namespace {

template <class Map> auto Find(const Map& map, const typename Map::key_type& key) {
    const auto found = map.find(key);
    return found == map.end() ? nullptr : found->second;
}

// The numbers an alias is found by: the first, and the second unless empty or the same.
std::vector<std::string> Numbers(const CSmsAddressBookItem& alias) {
    std::vector<std::string> numbers{alias.GetPhone1()};
    if (!alias.GetPhone2().empty() && alias.GetPhone2() != alias.GetPhone1())
        numbers.push_back(alias.GetPhone2());
    return numbers;
}

} // namespace

CSyncServerCopy::CSyncServerCopy(CSmsAddressBook& book) : m_book(book) {
    for (int i = 0; i < book.GetItemCount(); ++i)
        IndexAlias(book.GetItem(i));
    for (int i = 0; i < book.GetGroupCount(); ++i)
        IndexGroup(book.GetGroup(i));
}

const CSmsAddressBookItem* CSyncServerCopy::AliasById(std::uint32_t id) const {
    return Find(m_aliasById, id);
}

const CSmsAddressBookItem* CSyncServerCopy::AliasNamed(const std::string& name) const {
    return Find(m_aliasByName, name);
}

const CSmsAddressBookItem* CSyncServerCopy::AliasWithNumber(const std::string& number) const {
    const auto found = m_aliasesByNumber.find(number);
    return found == m_aliasesByNumber.end() ? nullptr : found->second.front();
}

const CSmsAddressBookGroup* CSyncServerCopy::GroupById(std::uint32_t id) const {
    return Find(m_groupById, id);
}

const CSmsAddressBookGroup* CSyncServerCopy::GroupNamed(const std::string& name) const {
    return Find(m_groupByName, name);
}

void CSyncServerCopy::AddAlias(const std::string& name, const std::string& number) {
    if (HasAlias(name))
        return;
    m_added.push_back(std::make_unique<CSmsAddressBookItem>(name, number, ""));
    IndexAlias(m_added.back().get());
}

void CSyncServerCopy::RemoveAlias(std::uint32_t id) {
    const CSmsAddressBookItem* alias = AliasById(id);
    if (!alias)
        return;
    UnindexAlias(*alias);
    m_book.DelContactByID(id);
}

void CSyncServerCopy::RemoveGroup(std::uint32_t id) {
    const CSmsAddressBookGroup* group = GroupById(id);
    if (!group)
        return;
    m_groupByName.erase(group->GetName());
    m_groupById.erase(id);
    m_book.DelGroupByID(id);
}

void CSyncServerCopy::IndexAlias(const CSmsAddressBookItem* alias) {
    m_aliasById.emplace(alias->GetID(), alias);
    m_aliasByName.emplace(alias->GetName(), alias);
    for (const std::string& number : Numbers(*alias))
        m_aliasesByNumber[number].push_back(alias);
}

void CSyncServerCopy::UnindexAlias(const CSmsAddressBookItem& alias) {
    m_aliasByName.erase(alias.GetName());
    for (const std::string& number : Numbers(alias)) {
        const auto sameNumber = m_aliasesByNumber.find(number);
        std::erase(sameNumber->second, &alias);
        if (sameNumber->second.empty())
            m_aliasesByNumber.erase(sameNumber);
    }
    m_aliasById.erase(alias.GetID());
}

void CSyncServerCopy::IndexGroup(const CSmsAddressBookGroup* group) {
    m_groupById.emplace(group->GetID(), group);
    m_groupByName.emplace(group->GetName(), group);
}
