// The user object's account and service operations: the credit list and recharge, service
// activation, and the registration of the mobile number and of a new user.

#include "service/SmsUserInfoService.h"

#include "model/Utilities.h"

#include <limits>

namespace {

// A check code as the service takes it, with the transaction it confirms.
Kvws::ConfirmationCode Confirmation(const std::string& code, std::int64_t transaction) {
    Kvws::ConfirmationCode confirmation;
    confirmation.id = transaction;
    confirmation.code = EncodeAmpChars(code);
    return confirmation;
}

// The transaction number of an "Ask4" reply.
std::int64_t TransactionOf(const Kvws::Status& status) {
    return status.id.value_or(0);
}

// Terms of use with Windows line ends, for the programs' multi-line edit controls.
std::string WithCrLf(const std::string& text) {
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n')
            result += '\r';
        result += c;
    }
    return result;
}

} // namespace

int CSmsUserInfo::KvwsAsk4CreditList() {
    std::lock_guard<std::recursive_mutex> lock(m_serviceLock);
    CleanCreditList();
    Kvws::Ask4CreditListRequest request;
    return CallWithRenewal(request, [this](const Kvws::Ask4CreditListResponse& response) {
        m_creditList.reserve(response.creditList.size());
        for (const Kvws::CreditOption& item : response.creditList) {
            // An amount that does not fit would be offered as another amount than the service's.
            if (item.value < 0 || item.value > std::numeric_limits<std::uint16_t>::max())
                continue;
            CreditAmount entry;
            entry.amount = static_cast<std::uint16_t>(item.value);
            entry.clubMembersOnly = item.clubMemberOnly;
            for (const Kvws::ClubPoints& option : item.points)
                entry.options.push_back(
                    {option.points, option.addCharge, option.currency.value_or("")});
            m_creditList.push_back(std::move(entry));
        }
        m_creditListLoaded = true;
    });
}

void CSmsUserInfo::CleanCreditList() {
    m_creditList.clear();
}

void CSmsUserInfo::GetAvailableCredits(bool includeClubOnly, std::vector<unsigned>& amounts) {
    std::lock_guard<std::recursive_mutex> lock(m_serviceLock);
    if (!m_creditListLoaded)
        KvwsAsk4CreditList();
    amounts.clear();
    for (const CreditAmount& entry : m_creditList) {
        if (includeClubOnly || !entry.clubMembersOnly)
            amounts.push_back(entry.amount);
    }
}

const CreditInfoArray* CSmsUserInfo::GetCreditInfo(unsigned amount) const {
    for (const CreditAmount& entry : m_creditList) {
        if (entry.amount == amount)
            return &entry.options;
    }
    return nullptr;
}

int CSmsUserInfo::KvwsAsk4CreditRecharge(int amount, int clubPoints, std::int64_t& transaction) {
    Kvws::Ask4CreditRechargeRequest request;
    request.credit.amount = amount;
    if (clubPoints > 0)
        request.credit.clubMemberPoints = clubPoints;
    return CallWithRenewal(request, [&](const Kvws::Ask4CreditRechargeResponse& response) {
        transaction = TransactionOf(response.status);
    });
}

int CSmsUserInfo::KvwsCreditRecharge(const std::string& code, std::int64_t transaction) {
    Kvws::CreditRechargeRequest request;
    request.code = Confirmation(code, transaction);
    return CallWithRenewal(request, [](const Kvws::CreditRechargeResponse&) {});
}

int CSmsUserInfo::KvwsAsk4ServiceActivation(int type, const std::string& name, std::string& eula,
                                            std::int64_t& transaction) {
    Kvws::Ask4ServiceActivationRequest request;
    request.service.type = type;
    request.service.name = name;
    return CallWithRenewal(request, [&](const Kvws::Ask4ServiceActivationResponse& response) {
        transaction = TransactionOf(response.status);
        eula = WithCrLf(Utf8ToAnsi(response.EULA));
    });
}

int CSmsUserInfo::KvwsServiceActivation(const std::string& code, std::int64_t transaction) {
    Kvws::ServiceActivationRequest request;
    request.code = Confirmation(code, transaction);
    return CallWithRenewal(request, [](const Kvws::ServiceActivationResponse&) {});
}

int CSmsUserInfo::KvwsServiceDeactivation(int type, const std::string& name) {
    Kvws::ServiceDeactivationRequest request;
    request.service.type = type;
    request.service.name = name;
    return CallWithRenewal(request, [](const Kvws::ServiceDeactivationResponse&) {});
}

int CSmsUserInfo::KvwsAsk4MobileRegistration(const std::string& mobile, std::int64_t& transaction) {
    Kvws::Ask4MobileRegistrationRequest request;
    request.mobile = mobile;
    return CallWithRenewal(request, [&](const Kvws::Ask4MobileRegistrationResponse& response) {
        transaction = TransactionOf(response.status);
    });
}

int CSmsUserInfo::KvwsMobileRegistration(const std::string& code, std::int64_t transaction) {
    Kvws::MobileRegistrationRequest request;
    request.code = Confirmation(code, transaction);
    return CallWithRenewal(request, [](const Kvws::MobileRegistrationResponse&) {});
}

int CSmsUserInfo::KvwsAsk4UserRegistration(std::string& eula, std::int64_t& transaction) {
    std::lock_guard<std::recursive_mutex> lock(m_serviceLock);
    Kvws::Ask4UserRegistrationRequest request;
    request.LoginName = AnsiToUtf8(EncodeAmpChars(GetName()));
    request.Password = AnsiToUtf8(EncodeAmpChars(GetPassword()));
    request.Mobile = AnsiToUtf8(EncodeAmpChars(GetPhoneNr()));
    const Kvws::Ask4UserRegistrationResponse response = Kvws::Call(*Transport(), request);
    if (response.status.value == 0) {
        transaction = TransactionOf(response.status);
        eula = Utf8ToAnsi(response.EULA);
    }
    return response.status.value;
}

int CSmsUserInfo::KvwsUserRegistration(const std::string& code, std::int64_t transaction) {
    std::lock_guard<std::recursive_mutex> lock(m_serviceLock);
    {
        std::lock_guard<std::mutex> sessionLock(m_sessionLock);
        m_session.token.clear();
        m_session.tokenExpiry = 0;
    }
    Kvws::UserRegistrationRequest request;
    request.code = Confirmation(code, transaction);
    return Kvws::Call(
               *Transport(), request,
               [this](const Kvws::UserRegistrationResponse& reply) { TakeToken(reply.token); })
        .status.value;
}
