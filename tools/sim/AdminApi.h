#pragma once

#include "FaultInjector.h"
#include "ServiceState.h"

namespace httplib {
class Server;
} // namespace httplib

// The admin path for tests (only with --admin): the simulator's clock, fault injection at run
// time, the check codes "sent by SMS", configured refusals and a look at an account.
class AdminApi {
public:
    AdminApi(ServiceState& state, FaultInjector& faults) : m_state(state), m_faults(faults) {}

    void Register(httplib::Server& server);

private:
    ServiceState& m_state;
    FaultInjector& m_faults;
};
