#pragma once

#include "service/ObkService.h"

#include <functional>
#include <string>
#include <vector>

// An OBK held in memory. It records every call as one line ("setAlias name number",
// "deleteAlias name number", "setGroup name: a, b", "deleteGroup name") and answers with the
// status that Refuse gives for that line (0 by default).
class CFakeObkService : public IObkService {
public:
    struct Alias {
        std::string name;
        std::string number;
        bool operator==(const Alias&) const = default;
    };
    struct Group {
        std::string name;
        std::vector<std::string> members;
        bool operator==(const Group&) const = default;
    };

    int KvwsGetAddressBook(CSmsAddressBook* book) override;
    int KvwsSetAlias(const std::string& name, const std::string& number) override;
    int KvwsDeleteAlias(const std::string& name, const std::string& number) override;
    int KvwsSetGroup(const std::string& name, const std::vector<std::string>& members) override;
    int KvwsDeleteGroup(const std::string& name) override;

    // The calls that changed something or tried to (the fetch is not listed).
    const std::vector<std::string>& Calls() const { return m_calls; }

    std::vector<Alias> aliases;
    std::vector<Group> groups;
    int fetchStatus = 0;
    std::function<int(const std::string& call)> Refuse;

private:
    int Answer(const std::string& call);

    std::vector<std::string> m_calls;
};
