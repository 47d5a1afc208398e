#include "service/AddressBookSync.h"

#include "model/CoreTexts.h"
#include "model/SmsAddressBook.h"
#include "model/Utilities.h"
#include "model/UtilitiesInternal.h"
#include "service/AddressBookSyncUi.h"
#include "service/KvwsDbException.h"
#include "service/KvwsSoapException.h"
#include "service/ObkService.h"
#include "service/SyncLocalIndex.h"
#include "service/SyncNames.h"
#include "service/SyncServerCopy.h"

#include <algorithm>
#include <unordered_set>

using NumberChoice = IAddressBookSyncUi::NumberConflictChoice;
using NameChoice = IAddressBookSyncUi::NameConflictChoice;

namespace {

// The error text on one line: carriage returns dropped, line feeds turned into blanks.
std::string OnOneLine(std::string text) {
    std::erase(text, '\r');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

bool HasNumber(const CSmsAddressBookItem& alias, const std::string& intl1,
               const std::string& intl2) {
    return alias.GetPhone1() == intl1 || alias.GetPhone1() == intl2;
}

// The contact's numbers as the name conflict shows them.
std::string LocalNumbers(const CSmsAddressBookItem& contact) {
    if (contact.GetPhone2().empty())
        return contact.GetPhone1();
    return contact.GetPhone1() + ", " + contact.GetPhone2();
}

// IDs in the order they were added, each once.
class IdList {
public:
    void Add(std::uint32_t id) {
        if (m_set.insert(id).second)
            m_ids.push_back(id);
    }
    bool Contains(std::uint32_t id) const { return m_set.contains(id); }
    const std::vector<std::uint32_t>& Ids() const { return m_ids; }

private:
    std::vector<std::uint32_t> m_ids;
    std::unordered_set<std::uint32_t> m_set;
};

using NameSet = std::unordered_set<std::string>;

NameSet MembersOf(const CSmsAddressBookGroup& group) {
    return {group.GetMembers().begin(), group.GetMembers().end()};
}

// The index of the group of exactly that name, or -1.
int GroupIndex(const CSmsAddressBook& book, const std::string& name) {
    for (int i = 0; i < book.GetGroupCount(); ++i) {
        if (book.GetGroup(i)->GetName() == name)
            return i;
    }
    return -1;
}

// Shows the progress for as long as it lives.
class ProgressShown {
public:
    explicit ProgressShown(IAddressBookSyncUi& ui) : m_ui(ui) { m_ui.ShowProgress(true); }
    ~ProgressShown() { m_ui.ShowProgress(false); }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

private:
    IAddressBookSyncUi& m_ui;
};

} // namespace

std::string CAddressBookSync::DuplicatesMessage(const std::string& first,
                                                const std::string& second) {
    return CoreTexts::Format(CoreString::SyncDuplicates, {first, second});
}

std::string CAddressBookSync::FinishedMessage(bool completed) {
    return CoreTexts::String(completed ? CoreString::SyncCompleted : CoreString::SyncEndedByUser);
}

CAddressBookSync::CAddressBookSync(CSmsAddressBook& local, IObkService& service,
                                   IAddressBookSyncUi& ui)
    : m_local(local), m_service(service), m_ui(ui) {}

void CAddressBookSync::Synchronize() {
    int later = 0;
    int earlier = 0;
    if (m_local.HasDuplicates(later, earlier)) {
        m_ui.ShowDuplicates(m_local.GetItem(later)->GetName(), m_local.GetItem(earlier)->GetName());
        return;
    }
    const std::optional<ManualSyncMode> mode = m_ui.AskMode();
    if (!mode)
        return;
    const ProgressShown progress(m_ui);
    try {
        FetchAndSync(*mode);
    } catch (const CKvwsDbException&) {
        m_ui.ShowDbError();
    } catch (const CKvwsSoapException& error) {
        m_ui.ShowSoapError(error);
    }
}

void CAddressBookSync::FetchAndSync(ManualSyncMode mode) {
    CSmsAddressBook server;
    // A copy that was not fetched is no picture of the server: running a direction on it
    // would empty the local book or the OBK.
    const int status = m_service.KvwsGetAddressBook(&server);
    if (status != 0) {
        m_ui.ShowFetchRefused(status);
        return;
    }
    m_ui.ShowFinished(ManualSync(server, mode));
}

bool CAddressBookSync::ManualSync(CSmsAddressBook& server, ManualSyncMode mode) {
    switch (mode) {
    case ObToQln:
        return SyncObToQln(server);
    case QlnToOb:
        return SyncQlnToOb(server);
    case Merge:
        return SyncMerge(server);
    }
    return true;
}

bool CAddressBookSync::SyncObToQln(CSmsAddressBook& server) {
    m_local.RemoveAll();
    for (int i = 0; i < server.GetItemCount(); ++i) {
        const CSmsAddressBookItem& alias = *server.GetItem(i);
        m_local.AddContact(alias.GetName(), "+" + alias.GetPhone1(), "");
    }
    for (int i = 0; i < server.GetGroupCount(); ++i) {
        const CSmsAddressBookGroup& serverGroup = *server.GetGroup(i);
        const int index = m_local.AddGroup(serverGroup.GetName());
        for (const std::string& member : serverGroup.GetMembers())
            m_local.AddGroupMember(index, member);
    }
    return true;
}

bool CAddressBookSync::SyncQlnToOb(CSmsAddressBook& server) {
    m_errors.clear();
    CSyncServerCopy copy(server);
    const std::vector<LocalContact> contacts = DeriveContacts();
    IdList aliasesToDelete;
    for (const std::uint32_t id : UnmatchedAliases(server))
        aliasesToDelete.Add(id);
    std::vector<std::uint32_t> groupsToDelete;
    const CSyncLocalIndex local(m_local);
    for (int i = 0; i < server.GetGroupCount(); ++i) {
        if (local.GroupMatching(server.GetGroup(i)->GetName()) < 0)
            groupsToDelete.push_back(server.GetGroup(i)->GetID());
    }
    std::vector<std::size_t> uploads;
    for (std::size_t i = 0; i < contacts.size(); ++i) {
        const LocalContact& contact = contacts[i];
        const CSmsAddressBookItem* sameNumber = AliasWithNumbers(copy, contact);
        if (sameNumber && sameNumber->GetName() != contact.aliasName)
            aliasesToDelete.Add(sameNumber->GetID());
        const CSmsAddressBookItem* sameName = copy.AliasNamed(contact.aliasName);
        if (!sameName || aliasesToDelete.Contains(sameName->GetID()) ||
            !HasNumber(*sameName, contact.intl1, contact.intl2))
            uploads.push_back(i);
    }
    DeleteAliases(copy, aliasesToDelete.Ids());
    DeleteGroups(copy, groupsToDelete);
    UploadContacts(copy, contacts, uploads, UploadErrorName::Alias);
    SendLocalGroups(copy);
    ShowErrors();
    return true;
}

bool CAddressBookSync::SyncMerge(CSmsAddressBook& server) {
    m_errors.clear();
    CSyncServerCopy copy(server);
    const std::vector<LocalContact> contacts = DeriveContacts();
    IdList aliasesToDelete;
    std::vector<std::uint32_t> contactsToDelete;
    std::vector<std::size_t> uploads;
    for (std::size_t i = 0; i < contacts.size(); ++i) {
        const LocalContact& contact = contacts[i];
        const CSmsAddressBookItem* sameNumber = AliasWithNumbers(copy, contact);
        if (sameNumber && !aliasesToDelete.Contains(sameNumber->GetID()) &&
            sameNumber->GetName() != contact.aliasName) {
            const NumberChoice choice = m_ui.AskNumberConflict(contact.name, sameNumber->GetName());
            if (choice == NumberChoice::EndSync)
                return false;
            if (choice == NumberChoice::DeleteContact)
                contactsToDelete.push_back(contact.id);
            if (choice != NumberChoice::DeleteAlias)
                continue;
            aliasesToDelete.Add(sameNumber->GetID());
        }
        const CSmsAddressBookItem* sameName = copy.AliasNamed(contact.aliasName);
        if (!sameName || aliasesToDelete.Contains(sameName->GetID())) {
            uploads.push_back(i);
            continue;
        }
        if (HasNumber(*sameName, contact.intl1, contact.intl2))
            continue;
        bool upload = false;
        if (!SettleNameConflict(contact, *sameName, upload))
            return false;
        if (upload)
            uploads.push_back(i);
    }
    const std::vector<std::uint32_t> downloads = UnmatchedAliases(server);
    DeleteAliases(copy, aliasesToDelete.Ids());
    UploadContacts(copy, contacts, uploads, UploadErrorName::Contact);
    for (const std::uint32_t id : contactsToDelete)
        m_local.DelContactByID(id);
    // Aliases deleted above are gone from the copy, so they do not come back.
    for (const std::uint32_t id : downloads) {
        if (const CSmsAddressBookItem* alias = copy.AliasById(id))
            m_local.AddContact(alias->GetName(), "+" + alias->GetPhone1(), "");
    }
    MergeServerGroups(copy);
    SendMergedGroups(copy);
    ShowErrors();
    return true;
}

std::vector<CAddressBookSync::LocalContact> CAddressBookSync::DeriveContacts() const {
    std::vector<LocalContact> contacts;
    contacts.reserve(static_cast<std::size_t>(m_local.GetItemCount()));
    for (int i = 0; i < m_local.GetItemCount(); ++i) {
        const CSmsAddressBookItem& item = *m_local.GetItem(i);
        contacts.push_back({item.GetID(), item.GetName(), SyncNames::AliasName(item.GetName()),
                            ConvertToIntl(item.GetPhone1()), ConvertToIntl(item.GetPhone2())});
    }
    return contacts;
}

const CSmsAddressBookItem* CAddressBookSync::AliasWithNumbers(const CSyncServerCopy& copy,
                                                              const LocalContact& contact) {
    const CSmsAddressBookItem* alias = copy.AliasWithNumber(contact.intl1);
    return alias ? alias : copy.AliasWithNumber(contact.intl2);
}

std::vector<std::uint32_t> CAddressBookSync::UnmatchedAliases(const CSmsAddressBook& server) const {
    const CSyncLocalIndex local(m_local);
    std::vector<std::uint32_t> unmatched;
    for (int i = 0; i < server.GetItemCount(); ++i) {
        if (!local.ContactMatching(server.GetItem(i)->GetName()))
            unmatched.push_back(server.GetItem(i)->GetID());
    }
    return unmatched;
}

bool CAddressBookSync::SettleNameConflict(const LocalContact& contact,
                                          const CSmsAddressBookItem& alias, bool& upload) {
    // The numbers taken here change the contact at once: they stay even if the merge is ended.
    const CSmsAddressBookItem& item = *m_local.GetItemByID(contact.id);
    const std::string obkNumber = "+" + alias.GetPhone1();
    switch (m_ui.AskNameConflict(contact.name, obkNumber, LocalNumbers(item))) {
    case NameChoice::EndSync:
        return false;
    case NameChoice::CopyToObk:
        upload = true;
        break;
    case NameChoice::StoreAsPhone1:
        m_local.EditContactByID(contact.id, contact.name, obkNumber, item.GetPhone2());
        break;
    case NameChoice::StoreAsPhone2:
        m_local.EditContactByID(contact.id, contact.name, item.GetPhone1(), obkNumber);
        break;
    case NameChoice::DoNotSync:
        break;
    }
    return true;
}

void CAddressBookSync::DeleteAliases(CSyncServerCopy& copy, const std::vector<std::uint32_t>& ids) {
    for (const std::uint32_t id : ids) {
        const CSmsAddressBookItem& alias = *copy.AliasById(id);
        const std::string name = alias.GetName();
        const int status = m_service.KvwsDeleteAlias(name, alias.GetPhone1());
        if (status == 0)
            copy.RemoveAlias(id);
        else
            AddError(CoreString::SyncDeleteAliasError, name, m_ui.StatusText(status));
    }
}

void CAddressBookSync::DeleteGroups(CSyncServerCopy& copy, const std::vector<std::uint32_t>& ids) {
    for (const std::uint32_t id : ids) {
        const std::string name = copy.GroupById(id)->GetName();
        const int status = m_service.KvwsDeleteGroup(name);
        if (status == 0)
            copy.RemoveGroup(id);
        else
            AddError(CoreString::SyncDeleteGroupError, name, m_ui.StatusText(status));
    }
}

void CAddressBookSync::UploadContacts(CSyncServerCopy& copy,
                                      const std::vector<LocalContact>& contacts,
                                      const std::vector<std::size_t>& uploads,
                                      UploadErrorName errorName) {
    for (const std::size_t i : uploads) {
        const LocalContact& contact = contacts[i];
        // Always the first number, even when the second one matched.
        const int status = m_service.KvwsSetAlias(contact.aliasName, contact.intl1);
        if (status == 0)
            copy.AddAlias(contact.aliasName, contact.intl1);
        else
            AddError(CoreString::SyncSetAliasError,
                     errorName == UploadErrorName::Alias ? contact.aliasName : contact.name,
                     m_ui.StatusText(status));
    }
}

void CAddressBookSync::SendLocalGroups(const CSyncServerCopy& copy) {
    for (int g = 0; g < m_local.GetGroupCount(); ++g) {
        const CSmsAddressBookGroup& group = *m_local.GetGroup(g);
        const std::string name = SyncNames::GroupName(group.GetName());
        std::vector<std::string> aliases;
        for (const std::string& member : group.GetMembers())
            aliases.push_back(SyncNames::AliasName(member));
        if (const CSmsAddressBookGroup* serverGroup = copy.GroupNamed(name)) {
            // In step: same size, and every member the server group lacks is no alias at all.
            // The size is the one reported, members that name no alias included.
            const NameSet serverMembers = MembersOf(*serverGroup);
            const bool inStep =
                serverGroup->GetMembers().size() == group.GetMembers().size() &&
                std::none_of(aliases.begin(), aliases.end(), [&](const std::string& alias) {
                    return !serverMembers.contains(alias) && copy.HasAlias(alias);
                });
            if (inStep)
                continue;
        }
        std::vector<std::string> members;
        NameSet listed;
        for (const std::string& alias : aliases) {
            if (copy.HasAlias(alias) && listed.insert(alias).second)
                members.push_back(alias);
        }
        const int status = m_service.KvwsSetGroup(name, members);
        if (status != 0)
            AddError(CoreString::SyncSetGroupError, name, OnOneLine(m_ui.StatusText(status)));
    }
}

void CAddressBookSync::MergeServerGroups(const CSyncServerCopy& copy) {
    const CSmsAddressBook& server = copy.Book();
    CSyncLocalIndex local(m_local);
    for (int g = 0; g < server.GetGroupCount(); ++g) {
        const CSmsAddressBookGroup& serverGroup = *server.GetGroup(g);
        int index = local.GroupMatching(serverGroup.GetName());
        if (index < 0) {
            index = m_local.AddGroup(serverGroup.GetName());
            if (index >= 0)
                local.GroupAdded(index);
            else // a group of exactly that name that the server name does not match
                index = GroupIndex(m_local, serverGroup.GetName());
        }
        NameSet members = MembersOf(*m_local.GetGroup(index));
        for (const std::string& member : serverGroup.GetMembers()) {
            const CSmsAddressBookItem* contact = local.ContactMatching(member);
            if (contact && members.insert(contact->GetName()).second)
                m_local.AddGroupMember(index, contact->GetName());
        }
    }
}

void CAddressBookSync::SendMergedGroups(const CSyncServerCopy& copy) {
    for (int g = 0; g < m_local.GetGroupCount(); ++g) {
        const CSmsAddressBookGroup& group = *m_local.GetGroup(g);
        const std::string name = SyncNames::GroupName(group.GetName());
        const CSmsAddressBookGroup* serverGroup = copy.GroupNamed(name);
        const NameSet serverMembers = serverGroup ? MembersOf(*serverGroup) : NameSet();
        std::vector<std::string> members;
        for (const std::string& member : group.GetMembers()) {
            const std::string alias = SyncNames::AliasName(member);
            if (!serverMembers.contains(alias) && copy.HasAlias(alias))
                members.push_back(alias);
        }
        if (serverGroup) {
            if (members.empty())
                continue; // in step
            for (const std::string& member : serverGroup->GetMembers()) {
                std::string alias = StripAccents(member);
                if (copy.HasAlias(alias))
                    members.push_back(std::move(alias));
            }
        }
        if (members.empty())
            continue;
        const int status = m_service.KvwsSetGroup(name, members);
        if (status != 0)
            AddError(CoreString::SyncSetGroupError, name, m_ui.StatusText(status));
    }
}

void CAddressBookSync::AddError(CoreString line, const std::string& name, const std::string& text) {
    m_errors += CoreTexts::Format(line, {name, text});
}

void CAddressBookSync::ShowErrors() {
    if (!m_errors.empty())
        m_ui.ShowErrors(m_errors);
}
