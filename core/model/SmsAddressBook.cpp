#include "SmsAddressBook.h"

#include "SmsAddressBookText.h"
#include "Utilities.h"
#include "XmlText.h"
#include "XmlWriter.h"

#include <cstring>
#include <unordered_map>

namespace {

template <typename T, typename Predicate>
int FirstIndex(const std::vector<std::unique_ptr<T>>& list, Predicate matches) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (matches(*list[i]))
            return static_cast<int>(i);
    }
    return -1;
}

template <typename T> T* AtIndex(const std::vector<std::unique_ptr<T>>& list, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        return nullptr;
    return list[static_cast<std::size_t>(index)].get();
}

// One name search: the stored name (without accents when asked, cut to the prefix) against the
// query, exactly or without regard to case.
class NameSearch {
public:
    NameSearch(const std::string& query, bool ignoreCase, bool noAccents, int prefixLen)
        : m_query(ignoreCase ? AnsiLowerCase(query) : query), m_ignoreCase(ignoreCase),
          m_noAccents(noAccents), m_prefixLen(prefixLen) {}

    bool Matches(const std::string& name) const {
        if (!m_noAccents && m_prefixLen == -1 && !m_ignoreCase)
            return name == m_query;
        std::string candidate = CutToPrefix(m_noAccents ? StripAccents(name) : name, m_prefixLen);
        return (m_ignoreCase ? AnsiLowerCase(std::move(candidate)) : candidate) == m_query;
    }

private:
    std::string m_query;
    bool m_ignoreCase;
    bool m_noAccents;
    int m_prefixLen;
};

bool HasNumber(const CSmsAddressBookItem& item) {
    return !item.GetPhone1().empty() || !item.GetPhone2().empty();
}

} // namespace

CSmsAddressBook::~CSmsAddressBook() = default;

const CSmsAddressBookItem* CSmsAddressBook::GetItem(int index) const {
    return AtIndex(m_items, index);
}

const CSmsAddressBookGroup* CSmsAddressBook::GetGroup(int index) const {
    return AtIndex(m_groups, index);
}

int CSmsAddressBook::AddContact(const std::string& name, const std::string& phone1,
                                const std::string& phone2) {
    if (IndexFromItemName(name, false, false, -1) >= 0)
        return -1;
    m_items.push_back(std::make_unique<CSmsAddressBookItem>(name, phone1, phone2));
    return GetItemCount() - 1;
}

int CSmsAddressBook::AddContacts(const std::vector<NewContact>& contacts) {
    NameSet taken;
    for (const auto& item : m_items)
        taken.insert(item->GetName());
    int added = 0;
    for (const NewContact& contact : contacts) {
        if (!taken.insert(contact.name).second)
            continue;
        m_items.push_back(
            std::make_unique<CSmsAddressBookItem>(contact.name, contact.phone1, contact.phone2));
        ++added;
    }
    return added;
}

int CSmsAddressBook::AddGroup(const std::string& name) {
    if (IndexFromGroupName(name, false, false, -1) >= 0)
        return -1;
    m_groups.push_back(std::make_unique<CSmsAddressBookGroup>(name));
    return GetGroupCount() - 1;
}

int CSmsAddressBook::AddGroupWithMembers(const std::string& name,
                                         const std::vector<std::string>& members) {
    const int index = AddGroup(name);
    if (index >= 0) {
        for (const std::string& member : members)
            m_groups.back()->AddMember(member);
    }
    return index;
}

bool CSmsAddressBook::EditContactByID(std::uint32_t id, const std::string& name,
                                      const std::string& phone1, const std::string& phone2) {
    CSmsAddressBookItem* item = AtIndex(m_items, IndexFromItemID(id));
    if (!item)
        return false;
    if (name != item->GetName()) {
        // Two contacts of one name could not be told apart in groups, and the second would be
        // dropped when the profile is read again.
        if (IndexFromItemName(name, false, false, -1) >= 0)
            return false;
        ChangeNameInGroups(item->GetName(), name);
    }
    item->SetName(name);
    item->SetPhone1(phone1);
    item->SetPhone2(phone2);
    return true;
}

bool CSmsAddressBook::EditGroup(int index, const std::string& name) {
    CSmsAddressBookGroup* group = AtIndex(m_groups, index);
    if (!group)
        return false;
    const int other = IndexFromGroupName(name, false, false, -1);
    if (other >= 0 && other != index)
        return false;
    group->SetName(name);
    return true;
}

bool CSmsAddressBook::DelContactByID(std::uint32_t id) {
    const int index = IndexFromItemID(id);
    if (index < 0)
        return false;
    for (const auto& group : m_groups)
        group->RemoveMember(m_items[static_cast<std::size_t>(index)]->GetName());
    m_items.erase(m_items.begin() + index);
    return true;
}

bool CSmsAddressBook::DelGroup(int index) {
    if (!GetGroup(index))
        return false;
    m_groups.erase(m_groups.begin() + index);
    return true;
}

bool CSmsAddressBook::DelGroupByID(std::uint32_t id) {
    return DelGroup(IndexFromGroupID(id));
}

bool CSmsAddressBook::AddGroupMember(int index, const std::string& name) {
    CSmsAddressBookGroup* group = AtIndex(m_groups, index);
    if (!group || IndexFromItemName(name, false, false, -1) < 0)
        return false;
    return group->AddMember(name);
}

bool CSmsAddressBook::AddGroupMember(const std::string& groupName, const std::string& name) {
    return AddGroupMember(IndexFromGroupName(groupName, false, false, -1), name);
}

bool CSmsAddressBook::DelGroupMember(int index, const std::string& name) {
    CSmsAddressBookGroup* group = AtIndex(m_groups, index);
    if (!group || IndexFromItemName(name, false, false, -1) < 0)
        return false;
    return group->RemoveMember(name);
}

const CSmsAddressBookItem* CSmsAddressBook::GetItemByID(std::uint32_t id) const {
    return GetItem(IndexFromItemID(id));
}

const CSmsAddressBookGroup* CSmsAddressBook::GetGroupByID(std::uint32_t id) const {
    return GetGroup(IndexFromGroupID(id));
}

const CSmsAddressBookItem* CSmsAddressBook::GetItemByName(const std::string& name, bool ignoreCase,
                                                          bool noAccents, int prefixLen) const {
    return GetItem(IndexFromItemName(name, ignoreCase, noAccents, prefixLen));
}

const CSmsAddressBookGroup* CSmsAddressBook::GetGroupByName(const std::string& name,
                                                            bool ignoreCase, bool noAccents,
                                                            int prefixLen) const {
    return GetGroup(IndexFromGroupName(name, ignoreCase, noAccents, prefixLen));
}

const CSmsAddressBookItem* CSmsAddressBook::GetItemByNumber(const std::string& number,
                                                            bool intlItems, bool intlQuery) const {
    return GetItem(IndexFromNumber(number, intlItems, intlQuery));
}

bool CSmsAddressBook::HasDuplicates(int& later, int& earlier) const {
    std::unordered_map<std::string, int> seen;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const int index = static_cast<int>(i);
        // A missing number is no number: two contacts without a first number are no duplicates.
        for (const std::string* phone : {&m_items[i]->GetPhone1(), &m_items[i]->GetPhone2()}) {
            if (phone->empty())
                continue;
            const auto [found, added] = seen.try_emplace(ConvertToIntl(*phone), index);
            if (!added) {
                later = index;
                earlier = found->second;
                return true;
            }
        }
    }
    return false;
}

void CSmsAddressBook::RemoveAll() {
    m_groups.clear();
    m_items.clear();
}

void CSmsAddressBook::ReadXML(const pugi::xml_node& element) {
    NameSet names;
    for (const auto& item : m_items)
        names.insert(item->GetName());
    for (const pugi::xml_node& child : element.children()) {
        if (std::strcmp(child.name(), "Entry") == 0) {
            AddItem(std::make_unique<CSmsAddressBookItem>(child), names);
        } else if (std::strcmp(child.name(), "Group") == 0) {
            if (const pugi::xml_attribute name = child.attribute("Name"))
                AddGroup(
                    std::make_unique<CSmsAddressBookGroup>(XmlTextToAnsi(name.value()), child));
        }
    }
    RemoveMembersWithoutContact(names);
}

void CSmsAddressBook::WriteXML(CXmlWriter& writer) const {
    writer.Open("AddressBook");
    for (const auto& item : m_items)
        item->WriteXML(writer);
    for (const auto& group : m_groups)
        group->WriteXML(writer);
    writer.Close();
}

void CSmsAddressBook::AddItem(std::unique_ptr<CSmsAddressBookItem> item, NameSet& names) {
    if (HasNumber(*item) && names.insert(item->GetName()).second)
        m_items.push_back(std::move(item));
}

void CSmsAddressBook::AddGroup(std::unique_ptr<CSmsAddressBookGroup> group) {
    if (IndexFromGroupName(group->GetName(), false, false, -1) < 0)
        m_groups.push_back(std::move(group));
}

void CSmsAddressBook::ChangeNameInGroups(const std::string& oldName, const std::string& newName) {
    for (const auto& group : m_groups) {
        if (group->RemoveMember(oldName))
            group->AddMember(newName);
    }
}

void CSmsAddressBook::RemoveMembersWithoutContact(const NameSet& names) {
    for (const auto& group : m_groups) {
        const std::vector<std::string> members = group->GetMembers();
        for (const std::string& member : members) {
            if (!names.contains(member))
                group->RemoveMember(member);
        }
    }
}

int CSmsAddressBook::IndexFromItemID(std::uint32_t id) const {
    return FirstIndex(m_items,
                      [id](const CSmsAddressBookItem& item) { return item.GetID() == id; });
}

int CSmsAddressBook::IndexFromGroupID(std::uint32_t id) const {
    return FirstIndex(m_groups,
                      [id](const CSmsAddressBookGroup& group) { return group.GetID() == id; });
}

int CSmsAddressBook::IndexFromItemName(const std::string& name, bool ignoreCase, bool noAccents,
                                       int prefixLen) const {
    const NameSearch search(name, ignoreCase, noAccents, prefixLen);
    return FirstIndex(
        m_items, [&](const CSmsAddressBookItem& item) { return search.Matches(item.GetName()); });
}

int CSmsAddressBook::IndexFromGroupName(const std::string& name, bool ignoreCase, bool noAccents,
                                        int prefixLen) const {
    const bool exactWhole = !ignoreCase && prefixLen == -1;
    const NameSearch search(name, ignoreCase, noAccents && !exactWhole, prefixLen);
    return FirstIndex(m_groups, [&](const CSmsAddressBookGroup& group) {
        return search.Matches(group.GetName());
    });
}

int CSmsAddressBook::IndexFromNumber(const std::string& number, bool intlItems,
                                     bool intlQuery) const {
    std::string query = number;
    if (intlQuery)
        ConvertToIntl(query);
    const auto matches = [&](const std::string& phone) {
        if (!intlItems)
            return phone == query;
        std::string intl = phone;
        ConvertToIntl(intl);
        return intl == query;
    };
    return FirstIndex(m_items, [&](const CSmsAddressBookItem& item) {
        return matches(item.GetPhone1()) ||
               (!item.GetPhone2().empty() && matches(item.GetPhone2()));
    });
}
