#include "logic/UserMobileAccount.h"

#include "model/SmsUserInfo.h"

int UserMobileAccount::KvwsAsk4MobileRegistration(const std::string& mobile,
                                                  std::int64_t& transaction) {
    return m_user.KvwsAsk4MobileRegistration(mobile, transaction);
}

int UserMobileAccount::KvwsMobileRegistration(const std::string& code, std::int64_t transaction) {
    return m_user.KvwsMobileRegistration(code, transaction);
}

void UserMobileAccount::SetPhoneNr(const std::string& number) {
    m_user.SetPhoneNr(number);
}
