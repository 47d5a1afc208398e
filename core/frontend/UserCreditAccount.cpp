#include "frontend/UserCreditAccount.h"

#include "model/SmsUserInfo.h"

void UserCreditAccount::GetAvailableCredits(bool includeClubOnly, std::vector<unsigned>& amounts) {
    m_user.GetAvailableCredits(includeClubOnly, amounts);
}

std::optional<CreditInfoArray> UserCreditAccount::GetCreditInfo(unsigned amount) const {
    // A copy: the user object's list may be refreshed once the dialog has read it.
    if (const CreditInfoArray* options = m_user.GetCreditInfo(amount))
        return *options;
    return std::nullopt;
}

int UserCreditAccount::KvwsAsk4CreditRecharge(int amount, int clubPoints,
                                              std::int64_t& transaction) {
    return m_user.KvwsAsk4CreditRecharge(amount, clubPoints, transaction);
}

int UserCreditAccount::KvwsCreditRecharge(const std::string& code, std::int64_t transaction) {
    return m_user.KvwsCreditRecharge(code, transaction);
}
