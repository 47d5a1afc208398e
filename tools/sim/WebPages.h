#pragma once

#include "ServiceState.h"

namespace httplib {
class Server;
} // namespace httplib

// The operator's web pages that the programs open: the statistics page of a session's account
// and the help pages under /quillon/.
class WebPages {
public:
    explicit WebPages(ServiceState& state) : m_state(state) {}

    void Register(httplib::Server& server);

private:
    std::string Statistics(const std::string& token, int& httpStatus);

    ServiceState& m_state;
};
