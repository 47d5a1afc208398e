#include "SimService.h"

#include "RequestError.h"

#include <stdexcept>

namespace {

ServiceReply FaultReply(const std::string& reason, bool soap11, bool sender) {
    return {500, ReplyWriter::ContentType(soap11), ReplyWriter::Fault(reason, soap11, sender),
            reason};
}

} // namespace

SimService::SimService(const SimOptions& options, SimClock& clock)
    : m_state(options, clock), m_registry(m_state), m_session(m_state), m_messages(m_state),
      m_accounts(m_state), m_addressBook(m_state) {
    m_session.Register(m_registry);
    m_messages.Register(m_registry);
    m_accounts.Register(m_registry);
    m_addressBook.Register(m_registry);
    if (const auto missing = m_registry.Missing(); !missing.empty())
        throw std::logic_error("no handler for the operation " + missing.front());
}

ServiceReply SimService::Answer(const std::string& method, const std::string& version,
                                const std::vector<HttpHeader>& headers, const std::string& body,
                                const ReplyStyle& style) {
    try {
        RequestReader::CheckHttp(method, version, headers, body.size());
        const SoapRequest request = RequestReader::ReadEnvelope(body);
        ReplyWriter reply(request.Operation(), request.Layout().utf8, style);
        m_registry.Dispatch(request, reply);
        return {200, reply.ContentType(), reply.Envelope(), {}};
    } catch (const RequestError& error) {
        return FaultReply(error.what(), style.soap11, true);
    } catch (const std::exception& error) {
        return FaultReply(std::string("internal error: ") + error.what(), style.soap11, false);
    }
}
