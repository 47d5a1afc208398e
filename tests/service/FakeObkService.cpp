#include "FakeObkService.h"

#include "model/SmsAddressBook.h"

#include <algorithm>

namespace {

template <class T> T* Named(std::vector<T>& list, const std::string& name) {
    const auto found =
        std::find_if(list.begin(), list.end(), [&](const T& x) { return x.name == name; });
    return found == list.end() ? nullptr : &*found;
}

} // namespace

int CFakeObkService::KvwsGetAddressBook(CSmsAddressBook* book) {
    if (fetchStatus != 0)
        return fetchStatus;
    for (const Alias& alias : aliases)
        book->AddContact(alias.name, alias.number, "");
    for (const Group& group : groups)
        book->AddGroupWithMembers(group.name, group.members);
    return 0;
}

int CFakeObkService::KvwsSetAlias(const std::string& name, const std::string& number) {
    const int status = Answer("setAlias " + name + " " + number);
    if (status != 0)
        return status;
    if (Alias* alias = Named(aliases, name))
        alias->number = number;
    else
        aliases.push_back({name, number});
    return 0;
}

int CFakeObkService::KvwsDeleteAlias(const std::string& name, const std::string& number) {
    const int status = Answer("deleteAlias " + name + " " + number);
    if (status != 0)
        return status;
    std::erase_if(aliases, [&](const Alias& alias) { return alias.name == name; });
    for (Group& group : groups)
        std::erase(group.members, name);
    return 0;
}

int CFakeObkService::KvwsSetGroup(const std::string& name,
                                  const std::vector<std::string>& members) {
    std::string call = "setGroup " + name + ":";
    for (std::size_t i = 0; i < members.size(); ++i)
        call += (i == 0 ? " " : ", ") + members[i];
    const int status = Answer(call);
    if (status != 0)
        return status;
    if (Group* group = Named(groups, name))
        group->members = members;
    else
        groups.push_back({name, members});
    return 0;
}

int CFakeObkService::KvwsDeleteGroup(const std::string& name) {
    const int status = Answer("deleteGroup " + name);
    if (status == 0)
        std::erase_if(groups, [&](const Group& group) { return group.name == name; });
    return status;
}

int CFakeObkService::Answer(const std::string& call) {
    m_calls.push_back(call);
    return Refuse ? Refuse(call) : 0;
}
