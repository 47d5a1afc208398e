#pragma once

#include <string>
#include <vector>

class CSmsAddressBook;

// The five operations on the server-side address book (OBK), as the synchronisation needs them.
// The user object implements them over the service; tests put an in-memory book behind them.
// Each returns the service status (0 success, 1 to 98 a refusal) and throws the service
// exceptions for the other outcomes.
class IObkService {
public:
    virtual ~IObkService() = default;

    // Fills the empty book with the OBK: one contact per alias (number without "+"), one group
    // per OBK group with its member alias names as reported, also those that name no alias.
    virtual int KvwsGetAddressBook(CSmsAddressBook* book) = 0;
    // Creates or updates the alias of that name.
    virtual int KvwsSetAlias(const std::string& name, const std::string& number) = 0;
    virtual int KvwsDeleteAlias(const std::string& name, const std::string& number) = 0;
    // Creates or replaces the group with these members (alias names), in order.
    virtual int KvwsSetGroup(const std::string& name, const std::vector<std::string>& members) = 0;
    virtual int KvwsDeleteGroup(const std::string& name) = 0;
};
