#pragma once

#include "AccountOperations.h"
#include "AddressBookOperations.h"
#include "MessageOperations.h"
#include "OperationRegistry.h"
#include "ReplyWriter.h"
#include "RequestReader.h"
#include "ServiceState.h"
#include "SessionOperations.h"

#include <string>
#include <vector>

// The answer to one POST on the service path.
struct ServiceReply {
    int httpStatus = 200;
    std::string contentType;
    std::string body;
    std::string faultReason; // empty unless the reply is a SOAP Fault
};

// The simulated web service without its HTTP server: reads a request, runs its operation on
// the state and writes the reply.
class SimService {
public:
    SimService(const SimOptions& options, SimClock& clock);

    ServiceState& State() { return m_state; }

    ServiceReply Answer(const std::string& method, const std::string& version,
                        const std::vector<HttpHeader>& headers, const std::string& body,
                        const ReplyStyle& style);

private:
    ServiceState m_state;
    OperationRegistry m_registry;
    SessionOperations m_session;
    MessageOperations m_messages;
    AccountOperations m_accounts;
    AddressBookOperations m_addressBook;
};
