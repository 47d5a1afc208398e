#include "SyncReference.h"

#include "model/SmsAddressBook.h"
#include "model/SmsAddressBookText.h"
#include "model/Utilities.h"
#include "service/AddressBookSyncUi.h"
#include "service/ObkService.h"

#include <algorithm>
#include <vector>

using NumberChoice = IAddressBookSyncUi::NumberConflictChoice;
using NameChoice = IAddressBookSyncUi::NameConflictChoice;

namespace {

std::string Alias(const std::string& name) {
    return CutToPrefix(StripAccents(name), 15);
}

template <class T> bool Has(const std::vector<T>& list, const T& value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

const CSmsAddressBookItem* ByNumbers(const CSmsAddressBook& server, const std::string& n1,
                                     const std::string& n2) {
    const CSmsAddressBookItem* found = server.GetItemByNumber(n1, false, false);
    return found ? found : server.GetItemByNumber(n2, false, false);
}

} // namespace

CSyncReference::CSyncReference(CSmsAddressBook& local, IObkService& service, IAddressBookSyncUi& ui)
    : m_local(local), m_service(service), m_ui(ui) {}

bool CSyncReference::ManualSync(CSmsAddressBook& server, CAddressBookSync::ManualSyncMode mode) {
    m_errors.clear();
    bool result = true;
    if (mode == CAddressBookSync::ObToQln)
        result = ObToQln(server);
    else if (mode == CAddressBookSync::QlnToOb)
        result = QlnToOb(server);
    else if (mode == CAddressBookSync::Merge)
        result = Merge(server);
    if (result && !m_errors.empty())
        m_ui.ShowErrors(m_errors);
    return result;
}

bool CSyncReference::ObToQln(CSmsAddressBook& server) {
    m_local.RemoveAll();
    for (int i = 0; i < server.GetItemCount(); ++i)
        m_local.AddContact(server.GetItem(i)->GetName(), "+" + server.GetItem(i)->GetPhone1(), "");
    for (int i = 0; i < server.GetGroupCount(); ++i) {
        const int index = m_local.AddGroup(server.GetGroup(i)->GetName());
        for (const std::string& member : server.GetGroup(i)->GetMembers())
            m_local.AddGroupMember(index, member);
    }
    return true;
}

bool CSyncReference::QlnToOb(CSmsAddressBook& server) {
    std::vector<std::uint32_t> deleteAliases, deleteGroups;
    std::vector<int> uploads;
    for (int i = 0; i < server.GetItemCount(); ++i) {
        if (!m_local.GetItemByName(server.GetItem(i)->GetName(), false, true, 15))
            deleteAliases.push_back(server.GetItem(i)->GetID());
    }
    for (int i = 0; i < server.GetGroupCount(); ++i) {
        if (!m_local.GetGroupByName(server.GetGroup(i)->GetName(), false, true, 15))
            deleteGroups.push_back(server.GetGroup(i)->GetID());
    }
    for (int i = 0; i < m_local.GetItemCount(); ++i) {
        const CSmsAddressBookItem& c = *m_local.GetItem(i);
        const std::string a = Alias(c.GetName());
        const std::string n1 = ConvertToIntl(c.GetPhone1()), n2 = ConvertToIntl(c.GetPhone2());
        const CSmsAddressBookItem* s = ByNumbers(server, n1, n2);
        if (s && s->GetName() != a && !Has(deleteAliases, s->GetID()))
            deleteAliases.push_back(s->GetID());
        const CSmsAddressBookItem* s2 = server.GetItemByName(a);
        if (!s2 || Has(deleteAliases, s2->GetID()) ||
            (s2->GetPhone1() != n1 && s2->GetPhone1() != n2))
            uploads.push_back(i);
    }
    for (const std::uint32_t id : deleteAliases) {
        const std::string name = server.GetItemByID(id)->GetName();
        const int status = m_service.KvwsDeleteAlias(name, server.GetItemByID(id)->GetPhone1());
        if (status == 0)
            server.DelContactByID(id);
        else
            Error("Chyba pri vymazávaní kontaktu \"", name, "\" z Portella. ",
                  m_ui.StatusText(status));
    }
    for (const std::uint32_t id : deleteGroups) {
        const std::string name = server.GetGroupByID(id)->GetName();
        const int status = m_service.KvwsDeleteGroup(name);
        if (status == 0)
            server.DelGroupByID(id);
        else
            Error("Chyba pri vymazávaní skupiny \"", name, "\" z Portella. ",
                  m_ui.StatusText(status));
    }
    for (const int i : uploads) {
        const std::string a = Alias(m_local.GetItem(i)->GetName());
        const std::string n1 = ConvertToIntl(m_local.GetItem(i)->GetPhone1());
        const int status = m_service.KvwsSetAlias(a, n1);
        if (status == 0)
            server.AddContact(a, n1, "");
        else
            Error("Chyba pri ukladaní kontaktu \"", a, "\" na Portella. ", m_ui.StatusText(status));
    }
    for (int g = 0; g < m_local.GetGroupCount(); ++g) {
        const CSmsAddressBookGroup& group = *m_local.GetGroup(g);
        const std::string name = StripAccents(CutToPrefix(group.GetName(), 15));
        if (const CSmsAddressBookGroup* sg = server.GetGroupByName(name)) {
            bool inStep = sg->GetMembers().size() == group.GetMembers().size();
            for (const std::string& member : group.GetMembers()) {
                if (!sg->IsMember(Alias(member)) && server.GetItemByName(Alias(member)))
                    inStep = false;
            }
            if (inStep)
                continue;
        }
        std::vector<std::string> list;
        for (const std::string& member : group.GetMembers()) {
            if (server.GetItemByName(Alias(member)) && !Has(list, Alias(member)))
                list.push_back(Alias(member));
        }
        const int status = m_service.KvwsSetGroup(name, list);
        if (status != 0) {
            std::string text = m_ui.StatusText(status);
            std::erase(text, '\r');
            std::replace(text.begin(), text.end(), '\n', ' ');
            Error("Chyba pri ukladaní skupiny \"", name, "\" na Portella. ", text);
        }
    }
    return true;
}

bool CSyncReference::Merge(CSmsAddressBook& server) {
    std::vector<std::uint32_t> deleteAliases, deleteContacts, downloads;
    std::vector<int> uploads;
    for (int i = 0; i < m_local.GetItemCount(); ++i) {
        const CSmsAddressBookItem& c = *m_local.GetItem(i);
        const std::string a = Alias(c.GetName());
        const std::string n1 = ConvertToIntl(c.GetPhone1()), n2 = ConvertToIntl(c.GetPhone2());
        const CSmsAddressBookItem* s = ByNumbers(server, n1, n2);
        if (s && !Has(deleteAliases, s->GetID()) && s->GetName() != a) {
            const NumberChoice choice = m_ui.AskNumberConflict(c.GetName(), s->GetName());
            if (choice == NumberChoice::EndSync)
                return false;
            if (choice == NumberChoice::DeleteContact) {
                deleteContacts.push_back(c.GetID());
                continue;
            }
            if (choice == NumberChoice::Ignore)
                continue;
            deleteAliases.push_back(s->GetID());
        }
        const CSmsAddressBookItem* s2 = server.GetItemByName(a);
        if (!s2 || Has(deleteAliases, s2->GetID())) {
            uploads.push_back(i);
        } else if (s2->GetPhone1() != n1 && s2->GetPhone1() != n2) {
            std::string numbers = c.GetPhone1();
            if (!c.GetPhone2().empty())
                numbers += ", " + c.GetPhone2();
            const NameChoice choice =
                m_ui.AskNameConflict(c.GetName(), "+" + s2->GetPhone1(), numbers);
            if (choice == NameChoice::EndSync)
                return false;
            if (choice == NameChoice::CopyToObk)
                uploads.push_back(i);
            else if (choice == NameChoice::StoreAsPhone1)
                m_local.EditContactByID(c.GetID(), c.GetName(), "+" + s2->GetPhone1(),
                                        c.GetPhone2());
            else if (choice == NameChoice::StoreAsPhone2)
                m_local.EditContactByID(c.GetID(), c.GetName(), c.GetPhone1(),
                                        "+" + s2->GetPhone1());
        }
    }
    for (int i = 0; i < server.GetItemCount(); ++i) {
        if (!m_local.GetItemByName(server.GetItem(i)->GetName(), false, true, 15))
            downloads.push_back(server.GetItem(i)->GetID());
    }
    for (const std::uint32_t id : deleteAliases) {
        const std::string name = server.GetItemByID(id)->GetName();
        const int status = m_service.KvwsDeleteAlias(name, server.GetItemByID(id)->GetPhone1());
        if (status == 0)
            server.DelContactByID(id);
        else
            Error("Chyba pri vymazávaní kontaktu \"", name, "\" z Portella. ",
                  m_ui.StatusText(status));
    }
    // The numbers are those of the first pass: uploads never had a number changed.
    for (const int i : uploads) {
        const CSmsAddressBookItem& c = *m_local.GetItem(i);
        const std::string a = Alias(c.GetNameNoAccents());
        const std::string n1 = ConvertToIntl(c.GetPhone1());
        const int status = m_service.KvwsSetAlias(a, n1);
        if (status == 0)
            server.AddContact(a, n1, "");
        else
            Error("Chyba pri ukladaní kontaktu \"", c.GetName(), "\" na Portella. ",
                  m_ui.StatusText(status));
    }
    for (const std::uint32_t id : deleteContacts)
        m_local.DelContactByID(id);
    for (const std::uint32_t id : downloads) {
        if (const CSmsAddressBookItem* alias = server.GetItemByID(id))
            m_local.AddContact(alias->GetName(), "+" + alias->GetPhone1(), "");
    }
    for (int g = 0; g < server.GetGroupCount(); ++g) {
        const CSmsAddressBookGroup& sg = *server.GetGroup(g);
        const CSmsAddressBookGroup* group = m_local.GetGroupByName(sg.GetName(), false, true, 15);
        if (!group) {
            m_local.AddGroup(sg.GetName());
            group = m_local.GetGroupByName(sg.GetName());
        }
        for (const std::string& member : sg.GetMembers()) {
            const CSmsAddressBookItem* c = m_local.GetItemByName(member, false, true, 15);
            if (c && !group->IsMember(c->GetName()))
                m_local.AddGroupMember(group->GetName(), c->GetName());
        }
    }
    for (int g = 0; g < m_local.GetGroupCount(); ++g) {
        const CSmsAddressBookGroup& group = *m_local.GetGroup(g);
        const std::string name = StripAccents(CutToPrefix(group.GetName(), 15));
        const CSmsAddressBookGroup* sg = server.GetGroupByName(name);
        std::vector<std::string> list;
        for (const std::string& member : group.GetMembers()) {
            if ((!sg || !sg->IsMember(Alias(member))) && server.GetItemByName(Alias(member)))
                list.push_back(Alias(member));
        }
        if (sg && list.empty())
            continue;
        if (sg) {
            for (const std::string& member : sg->GetMembers()) {
                if (server.GetItemByName(StripAccents(member)))
                    list.push_back(StripAccents(member));
            }
        }
        if (list.empty())
            continue;
        const int status = m_service.KvwsSetGroup(name, list);
        if (status != 0)
            Error("Chyba pri ukladaní skupiny \"", name, "\" na Portella. ",
                  m_ui.StatusText(status));
    }
    return true;
}

void CSyncReference::Error(const char* before, const std::string& name, const char* middle,
                           const std::string& text) {
    m_errors += Utf8ToAnsi(before) + name + Utf8ToAnsi(middle) + text + "\r\n";
}
