#pragma once

#include "OperationRegistry.h"
#include "ServiceState.h"

// The account's server-side address book (OBK): aliases, each a name of at most 15 plain
// characters with one number that no other alias has, and groups of aliases.
class AddressBookOperations {
public:
    explicit AddressBookOperations(ServiceState& state) : m_state(state) {}

    void Register(OperationRegistry& registry);

private:
    using Handler = void (AddressBookOperations::*)(Account&, const SoapRequest&, ReplyWriter&);
    void Add(OperationRegistry& registry, std::string_view operation, Handler handler);

    void GetAddressBook(Account& account, const SoapRequest& request, ReplyWriter& reply);
    void SetAlias(Account& account, const SoapRequest& request, ReplyWriter& reply);
    void DeleteAlias(Account& account, const SoapRequest& request, ReplyWriter& reply);
    void SetGroup(Account& account, const SoapRequest& request, ReplyWriter& reply);
    void DeleteGroup(Account& account, const SoapRequest& request, ReplyWriter& reply);

    ServiceState& m_state;
};
