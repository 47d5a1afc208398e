#include "AddressBookOperations.h"

#include "PhoneNumber.h"

#include "ServiceStatus.h"

#include <algorithm>

namespace {

using namespace ServiceStatus;

constexpr std::size_t kMaxName = 15;

bool IsPlainName(const std::string& name) {
    return !name.empty() && name.size() <= kMaxName &&
           std::all_of(name.begin(), name.end(), [](char c) { return c >= 0x20 && c <= 0x7e; });
}

template <typename Item> auto Named(std::vector<Item>& items, const std::string& name) {
    return std::find_if(items.begin(), items.end(),
                        [&name](const Item& item) { return item.name == name; });
}

int ObkRefusal(const Account& account) {
    if (account.blocked[kServiceObk])
        return kServiceDisabled;
    return account.active[kServiceObk] ? 0 : kServiceNotActivated;
}

} // namespace

void AddressBookOperations::Add(OperationRegistry& registry, std::string_view operation,
                                Handler handler) {
    registry.AddSession(operation, [this, handler](Account& account, const SoapRequest& request,
                                                   ReplyWriter& reply) {
        if (const int refusal = ObkRefusal(account)) {
            reply.Status(refusal);
            return;
        }
        (this->*handler)(account, request, reply);
    });
}

void AddressBookOperations::Register(OperationRegistry& registry) {
    Add(registry, "getAddressBook", &AddressBookOperations::GetAddressBook);
    Add(registry, "setAlias", &AddressBookOperations::SetAlias);
    Add(registry, "deleteAlias", &AddressBookOperations::DeleteAlias);
    Add(registry, "setGroup", &AddressBookOperations::SetGroup);
    Add(registry, "deleteGroup", &AddressBookOperations::DeleteGroup);
}

void AddressBookOperations::GetAddressBook(Account& account, const SoapRequest&,
                                           ReplyWriter& reply) {
    reply.Status(0);
    ReplyElement& aliases = reply.Array("aliases", "ns1:alias");
    for (const Alias& alias : account.aliases)
        aliases.AddItem().Attribute("mobile", alias.number).Text(alias.name);
    ReplyElement& groups = reply.Array("groups", "ns1:group");
    for (const AliasGroup& group : account.groups) {
        ReplyElement& item = groups.AddItem().Attribute("name", group.name);
        for (const std::string& member : group.members)
            item.Child("alias").Text(member);
    }
}

void AddressBookOperations::SetAlias(Account& account, const SoapRequest& request,
                                     ReplyWriter& reply) {
    const std::string name = request.EscapedText("name");
    const std::string number = request.Attribute("name", "mobile").value_or("");
    if (!IsPlainName(name)) {
        reply.Status(kBadAliasName);
        return;
    }
    if (!IsWellFormedNumber(number)) {
        reply.Status(kWrongNumber);
        return;
    }
    const auto owner = std::find_if(account.aliases.begin(), account.aliases.end(),
                                    [&number](const Alias& a) { return a.number == number; });
    if (owner != account.aliases.end() && owner->name != name) {
        reply.Status(kNumberPresent);
        return;
    }
    if (const auto existing = Named(account.aliases, name); existing != account.aliases.end())
        existing->number = number;
    else
        account.aliases.push_back({name, number});
    reply.Status(0);
}

void AddressBookOperations::DeleteAlias(Account& account, const SoapRequest& request,
                                        ReplyWriter& reply) {
    const std::string name = request.EscapedText("name");
    if (const auto alias = Named(account.aliases, name); alias != account.aliases.end())
        account.aliases.erase(alias);
    for (AliasGroup& group : account.groups)
        std::erase(group.members, name);
    reply.Status(0);
}

void AddressBookOperations::SetGroup(Account& account, const SoapRequest& request,
                                     ReplyWriter& reply) {
    const std::string name = request.Attribute("group", "name").value_or("");
    if (!IsPlainName(name)) {
        reply.Status(kBadAliasName);
        return;
    }
    // Members that name no alias are left out, each member once.
    std::vector<std::string> members;
    for (const std::string& member : request.Items("group")) {
        if (Named(account.aliases, member) != account.aliases.end() &&
            std::find(members.begin(), members.end(), member) == members.end())
            members.push_back(member);
    }
    if (const auto existing = Named(account.groups, name); existing != account.groups.end())
        existing->members = std::move(members);
    else
        account.groups.push_back({name, std::move(members)});
    reply.Status(0);
}

void AddressBookOperations::DeleteGroup(Account& account, const SoapRequest& request,
                                        ReplyWriter& reply) {
    const std::string name = request.EscapedText("name");
    if (const auto group = Named(account.groups, name); group != account.groups.end())
        account.groups.erase(group);
    reply.Status(0);
}
