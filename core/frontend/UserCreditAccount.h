#pragma once

#include "QuillonCoreExport.h"
#include "frontend/ICreditAccount.h"

class CSmsUserInfo;

// The credit calls of a user object.
class QUILLON_CORE_EXPORT UserCreditAccount : public ICreditAccount {
public:
    // The user must outlive the account; it is not owned.
    explicit UserCreditAccount(CSmsUserInfo& user) : m_user(user) {}

    void GetAvailableCredits(bool includeClubOnly, std::vector<unsigned>& amounts) override;
    std::optional<CreditInfoArray> GetCreditInfo(unsigned amount) const override;
    int KvwsAsk4CreditRecharge(int amount, int clubPoints, std::int64_t& transaction) override;
    int KvwsCreditRecharge(const std::string& code, std::int64_t transaction) override;

private:
    CSmsUserInfo& m_user;
};
