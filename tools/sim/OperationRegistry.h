#pragma once

#include "Account.h"
#include "ReplyWriter.h"
#include "ServiceState.h"
#include "SoapRequest.h"

#include <functional>
#include <map>
#include <string>

// Maps each operation to its handler. Operations that carry a token are registered as session
// operations: the registry checks the token first (status 20 or 21 without a token element),
// then any refusal configured for the account, and makes the reply carry the renewed token
// right after the status.
class OperationRegistry {
public:
    using PublicHandler = std::function<void(const SoapRequest&, ReplyWriter&)>;
    using SessionHandler = std::function<void(Account&, const SoapRequest&, ReplyWriter&)>;

    explicit OperationRegistry(ServiceState& state) : m_state(state) {}

    void AddPublic(std::string_view operation, PublicHandler handler);
    // tokenInReply is false for the one session operation whose reply has no token (Logout).
    void AddSession(std::string_view operation, SessionHandler handler, bool tokenInReply = true);

    // Registers a member function of owner as the handler.
    template <typename Owner>
    void AddPublic(std::string_view operation, Owner* owner,
                   void (Owner::*method)(const SoapRequest&, ReplyWriter&)) {
        AddPublic(operation, [owner, method](const SoapRequest& request, ReplyWriter& reply) {
            (owner->*method)(request, reply);
        });
    }
    template <typename Owner>
    void AddSession(std::string_view operation, Owner* owner,
                    void (Owner::*method)(Account&, const SoapRequest&, ReplyWriter&),
                    bool tokenInReply = true) {
        AddSession(
            operation,
            [owner, method](Account& account, const SoapRequest& request, ReplyWriter& reply) {
                (owner->*method)(account, request, reply);
            },
            tokenInReply);
    }

    // Names of schema operations without a handler.
    std::vector<std::string> Missing() const;

    // Runs the request's handler under the state's lock. RequestError passes through.
    void Dispatch(const SoapRequest& request, ReplyWriter& reply);

private:
    ServiceState& m_state;
    std::map<std::string, PublicHandler, std::less<>> m_handlers;
};
