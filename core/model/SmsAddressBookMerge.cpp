// The three-way merge of two copies of one address book (see CSmsAddressBook::Merge).
#include "SmsAddressBook.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace {

std::string VersionOf(const CSmsAddressBookItem& contact) {
    return contact.GetPhone1() + '\0' + contact.GetPhone2();
}

std::string VersionOf(const CSmsAddressBookGroup& group) {
    std::string version;
    for (const std::string& member : group.GetMembers())
        version += member + '\0';
    return version;
}

template <class Entry> using Entries = std::vector<std::unique_ptr<Entry>>;

template <class Entry>
std::unordered_map<std::string, const Entry*> ByName(const Entries<Entry>& entries) {
    std::unordered_map<std::string, const Entry*> names;
    for (const auto& entry : entries)
        names.emplace(entry->GetName(), entry.get());
    return names;
}

// What a merge does to the entries of one kind, decided before anything changes.
template <class Entry> struct MergePlan {
    std::vector<std::string> dropped;  // deleted there, unchanged here
    std::vector<const Entry*> adopted; // theirs: changed there, unchanged here
    std::vector<const Entry*> added;   // theirs: neither in base nor here
};

template <class Entry>
MergePlan<Entry> PlanMerge(const Entries<Entry>& ours, const Entries<Entry>& base,
                           const Entries<Entry>& theirs) {
    const auto baseNames = ByName(base);
    const auto theirNames = ByName(theirs);
    const auto ourNames = ByName(ours);
    MergePlan<Entry> plan;
    for (const auto& entry : ours) {
        const auto inBase = baseNames.find(entry->GetName());
        if (inBase == baseNames.end() || VersionOf(*inBase->second) != VersionOf(*entry))
            continue;
        const auto inTheirs = theirNames.find(entry->GetName());
        if (inTheirs == theirNames.end())
            plan.dropped.push_back(entry->GetName());
        else if (VersionOf(*inTheirs->second) != VersionOf(*entry))
            plan.adopted.push_back(inTheirs->second);
    }
    for (const auto& entry : theirs) {
        if (!baseNames.contains(entry->GetName()) && !ourNames.contains(entry->GetName()))
            plan.added.push_back(entry.get());
    }
    return plan;
}

} // namespace

void CSmsAddressBook::Merge(const CSmsAddressBook& base, const CSmsAddressBook& theirs) {
    // Both plans look at the books as they were: a contact renamed there leaves its groups
    // changed there, not here.
    const MergePlan<CSmsAddressBookItem> contacts =
        PlanMerge(m_items, base.m_items, theirs.m_items);
    const MergePlan<CSmsAddressBookGroup> groups =
        PlanMerge(m_groups, base.m_groups, theirs.m_groups);

    for (const std::string& name : contacts.dropped)
        DelContactByID(GetItemByName(name)->GetID());
    for (const CSmsAddressBookItem* other : contacts.adopted)
        EditContactByID(GetItemByName(other->GetName())->GetID(), other->GetName(),
                        other->GetPhone1(), other->GetPhone2());
    for (const CSmsAddressBookItem* other : contacts.added)
        AddContact(other->GetName(), other->GetPhone1(), other->GetPhone2());

    for (const std::string& name : groups.dropped)
        DelGroupByID(GetGroupByName(name)->GetID());
    for (const CSmsAddressBookGroup* other : groups.adopted) {
        const int index = IndexFromGroupName(other->GetName(), false, false, -1);
        CSmsAddressBookGroup& group = *m_groups[static_cast<std::size_t>(index)];
        const std::vector<std::string> members = group.GetMembers();
        for (const std::string& member : members)
            group.RemoveMember(member);
        for (const std::string& member : other->GetMembers())
            AddGroupMember(index, member);
    }
    for (const CSmsAddressBookGroup* other : groups.added) {
        const int index = AddGroup(other->GetName());
        for (const std::string& member : other->GetMembers())
            AddGroupMember(index, member);
    }
}
