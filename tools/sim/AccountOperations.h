#pragma once

#include "OperationRegistry.h"
#include "ServiceState.h"
#include "TransactionTable.h"

// The account's business in two steps (ask for a check code, confirm with it): credit
// recharge, service activation, mobile and user registration; and the one-step service
// deactivation, credit list and mobile unregistration.
class AccountOperations {
public:
    explicit AccountOperations(ServiceState& state) : m_state(state) {}

    void Register(OperationRegistry& registry);

private:
    void Ask4CreditList(Account& account, const SoapRequest& request, ReplyWriter& reply);
    void Ask4CreditRecharge(Account& account, const SoapRequest& request, ReplyWriter& reply);
    void CreditRecharge(Account& account, const SoapRequest& request, ReplyWriter& reply);
    void Ask4ServiceActivation(Account& account, const SoapRequest& request, ReplyWriter& reply);
    void ServiceActivation(Account& account, const SoapRequest& request, ReplyWriter& reply);
    void ServiceDeactivation(Account& account, const SoapRequest& request, ReplyWriter& reply);
    void Ask4MobileRegistration(Account& account, const SoapRequest& request, ReplyWriter& reply);
    void MobileRegistration(Account& account, const SoapRequest& request, ReplyWriter& reply);
    void MobileUnregister(Account& account, const SoapRequest& request, ReplyWriter& reply);
    void Ask4UserRegistration(const SoapRequest& request, ReplyWriter& reply);
    void UserRegistration(const SoapRequest& request, ReplyWriter& reply);

    int RechargeRefusal(const Account& account, int amount, int clubPoints) const;
    int ActivationRefusal(const Account& account, int type) const;
    // The statuses for a mobile number that is malformed, outside the network, or registered.
    struct MobileStatuses {
        int malformed;
        int notInNetwork;
        int taken;
    };
    int MobileRefusal(const std::string& mobile, const MobileStatuses& statuses) const;
    int UserRefusal(const std::string& login, const std::string& password,
                    const std::string& mobile) const;
    // The open transaction that the request's code confirms, or null when the number or the
    // code is wrong (the caller answers its own "wrong code" status).
    Transaction* Confirmed(const SoapRequest& request, Transaction::Kind kind,
                           const std::string& login);
    void Opened(ReplyWriter& reply, Transaction transaction);

    ServiceState& m_state;
};
