#pragma once

#include "OperationRegistry.h"
#include "ServiceState.h"

// Login, logout, keep-alive and the session's account flags (services, portal credit).
class SessionOperations {
public:
    explicit SessionOperations(ServiceState& state) : m_state(state) {}

    void Register(OperationRegistry& registry);

private:
    void Login(const SoapRequest& request, ReplyWriter& reply);
    void Logout(Account& account, const SoapRequest& request, ReplyWriter& reply);
    void KeepAlive(Account& account, const SoapRequest& request, ReplyWriter& reply);
    void GetServices(Account& account, const SoapRequest& request, ReplyWriter& reply);
    void GetObk(Account& account, const SoapRequest& request, ReplyWriter& reply);

    int LoginStatus(Account* account, const std::string& password, const std::string& version);

    ServiceState& m_state;
};
