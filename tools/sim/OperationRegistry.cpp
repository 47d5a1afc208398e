#include "OperationRegistry.h"

#include "ServiceStatus.h"

#include <mutex>
#include <stdexcept>

void OperationRegistry::AddPublic(std::string_view operation, PublicHandler handler) {
    m_handlers[std::string(operation)] = std::move(handler);
}

void OperationRegistry::AddSession(std::string_view operation, SessionHandler handler,
                                   bool tokenInReply) {
    AddPublic(operation, [this, operation, handler = std::move(handler),
                          tokenInReply](const SoapRequest& request, ReplyWriter& reply) {
        std::string login;
        const std::string& token = request.Text("token");
        const int status = m_state.Sessions().Use(token, m_state.Now(), login);
        Account* account = status == 0 ? m_state.FindAccount(login) : nullptr;
        if (!account) {
            reply.Status(status == 0 ? ServiceStatus::kUnknownToken : status);
            return;
        }
        if (tokenInReply)
            reply.SetSession(token, m_state.Sessions().Validity());
        if (const int refusal = ConfiguredRefusal(*account, operation)) {
            reply.Status(refusal);
            return;
        }
        handler(*account, request, reply);
    });
}

std::vector<std::string> OperationRegistry::Missing() const {
    std::vector<std::string> missing;
    for (const OperationLayout& layout : Operations()) {
        if (!m_handlers.count(layout.name))
            missing.emplace_back(layout.name);
    }
    return missing;
}

void OperationRegistry::Dispatch(const SoapRequest& request, ReplyWriter& reply) {
    const auto handler = m_handlers.find(request.Operation());
    if (handler == m_handlers.end())
        throw std::logic_error("no handler for " + std::string(request.Operation()));
    std::lock_guard lock(m_state.Mutex());
    handler->second(request, reply);
}
