#pragma once

#include <cstdint>
#include <string>

// The account calls the mobile-number registration makes: the two steps of the registration
// (they return the service status and throw the service exceptions) and the number the account
// holds afterwards.
class IMobileAccount {
public:
    virtual ~IMobileAccount() = default;
    virtual int KvwsAsk4MobileRegistration(const std::string& mobile,
                                           std::int64_t& transaction) = 0;
    virtual int KvwsMobileRegistration(const std::string& code, std::int64_t transaction) = 0;
    virtual void SetPhoneNr(const std::string& number) = 0;
};
