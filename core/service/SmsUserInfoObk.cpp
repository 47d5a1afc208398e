// The user object's operations on the server-side address book (OBK) and the synchronisation
// of the local address book with it.
//
// Alias names go to the service escaped and in UTF-8 and come back in UTF-8. Group and member
// names go and come in UTF-8 as well (without escaping in "setGroup", as the service takes
// them there), so that a name outside plain ASCII makes the same round trip.

#include "service/SmsUserInfoService.h"

#include "model/Utilities.h"
#include "service/AddressBookSync.h"
#include "service/ObkService.h"

namespace {

// A copy made through the book's own members: contacts, then groups with their members.
void CopyBook(const CSmsAddressBook& from, CSmsAddressBook& to) {
    for (int i = 0; i < from.GetItemCount(); ++i) {
        const CSmsAddressBookItem& item = *from.GetItem(i);
        to.AddContact(item.GetName(), item.GetPhone1(), item.GetPhone2());
    }
    for (int i = 0; i < from.GetGroupCount(); ++i) {
        const CSmsAddressBookGroup& group = *from.GetGroup(i);
        to.AddGroupWithMembers(group.GetName(), group.GetMembers());
    }
}

// The user object's OBK operations as the synchronisation sees them.
class UserObkService : public IObkService {
public:
    explicit UserObkService(CSmsUserInfo& user) : m_user(user) {}

    int KvwsGetAddressBook(CSmsAddressBook* book) override {
        return m_user.KvwsGetAddressBook(book);
    }
    int KvwsSetAlias(const std::string& name, const std::string& number) override {
        return m_user.KvwsSetAlias(name, number);
    }
    int KvwsDeleteAlias(const std::string& name, const std::string& number) override {
        return m_user.KvwsDeleteAlias(name, number);
    }
    int KvwsSetGroup(const std::string& name, const std::vector<std::string>& members) override {
        return m_user.KvwsSetGroup(name, members);
    }
    int KvwsDeleteGroup(const std::string& name) override { return m_user.KvwsDeleteGroup(name); }

private:
    CSmsUserInfo& m_user;
};

Kvws::NamedNumber Alias(const std::string& name, const std::string& number) {
    Kvws::NamedNumber alias;
    alias.name = AnsiToUtf8(EncodeAmpChars(name));
    alias.mobile = number;
    return alias;
}

// Every member the service reported, also one that names no alias: replacing the server's book
// must see it to remove it.
void AddGroup(CSmsAddressBook& book, const Kvws::Group& received) {
    std::vector<std::string> members;
    for (const std::string& member : received.alias)
        members.push_back(Utf8ToAnsi(member));
    book.AddGroupWithMembers(Utf8ToAnsi(received.name.value_or("")), members);
}

} // namespace

int CSmsUserInfo::KvwsGetAddressBook(CSmsAddressBook* book) {
    Kvws::GetAddressBookRequest request;
    return CallWithRenewal(request, [book](const Kvws::GetAddressBookResponse& response) {
        for (const Kvws::NamedNumber& alias : response.aliases)
            book->AddContact(Utf8ToAnsi(alias.name), alias.mobile.value_or(""), "");
        for (const Kvws::Group& group : response.groups)
            AddGroup(*book, group);
    });
}

int CSmsUserInfo::KvwsSetAlias(const std::string& name, const std::string& number) {
    Kvws::SetAliasRequest request;
    request.name = Alias(name, number);
    return CallWithRenewal(request, [](const Kvws::SetAliasResponse&) {});
}

int CSmsUserInfo::KvwsDeleteAlias(const std::string& name, const std::string& number) {
    Kvws::DeleteAliasRequest request;
    request.name = Alias(name, number);
    return CallWithRenewal(request, [](const Kvws::DeleteAliasResponse&) {});
}

int CSmsUserInfo::KvwsSetGroup(const std::string& name, const std::vector<std::string>& members) {
    Kvws::SetGroupRequest request;
    request.group.name = AnsiToUtf8(name);
    for (const std::string& member : members)
        request.group.alias.push_back(AnsiToUtf8(member));
    return CallWithRenewal(request, [](const Kvws::SetGroupResponse&) {});
}

int CSmsUserInfo::KvwsDeleteGroup(const std::string& name) {
    Kvws::DeleteGroupRequest request;
    request.name = AnsiToUtf8(EncodeAmpChars(name));
    return CallWithRenewal(request, [](const Kvws::DeleteGroupResponse&) {});
}

// The run works on a copy of the book, so that the data lock is not held while the service is
// asked or the user answers; what the run changed goes into the book under the lock (also when
// a call fails half-way), and what a save merged in meanwhile stays.
void CSmsUserInfo::Synchronize(IAddressBookSyncUi& ui) {
    CSmsAddressBook base;
    CSmsAddressBook work;
    {
        const auto dataLock = LockData();
        CopyBook(m_addressBook, base);
        CopyBook(m_addressBook, work);
    }
    const auto takeChanges = [&] {
        const auto dataLock = LockData();
        m_addressBook.Merge(base, work);
    };
    UserObkService service(*this);
    try {
        CAddressBookSync(work, service, ui).Synchronize();
    } catch (...) {
        takeChanges();
        throw;
    }
    takeChanges();
}
