#pragma once

#include "logic/IMobileAccount.h"

class CSmsUserInfo;

// The mobile registration calls of a user object.
class UserMobileAccount : public IMobileAccount {
public:
    // The user must outlive the account; it is not owned.
    explicit UserMobileAccount(CSmsUserInfo& user) : m_user(user) {}

    int KvwsAsk4MobileRegistration(const std::string& mobile, std::int64_t& transaction) override;
    int KvwsMobileRegistration(const std::string& code, std::int64_t transaction) override;
    void SetPhoneNr(const std::string& number) override;

private:
    CSmsUserInfo& m_user;
};
