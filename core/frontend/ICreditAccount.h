#pragma once

#include "QuillonCoreExport.h"
#include "model/CreditInfo.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The account calls the credit reload dialog makes: the credit list and the two steps of a
// recharge. The two Kvws calls return the service status and throw the service exceptions.
class QUILLON_CORE_EXPORT ICreditAccount {
public:
    virtual ~ICreditAccount() = default;
    // May call the service the first time; its exceptions pass to the caller.
    virtual void GetAvailableCredits(bool includeClubOnly, std::vector<unsigned>& amounts) = 0;
    // The club-point options of that amount; nothing when the list has no such amount.
    virtual std::optional<CreditInfoArray> GetCreditInfo(unsigned amount) const = 0;
    virtual int KvwsAsk4CreditRecharge(int amount, int clubPoints, std::int64_t& transaction) = 0;
    virtual int KvwsCreditRecharge(const std::string& code, std::int64_t transaction) = 0;
};
