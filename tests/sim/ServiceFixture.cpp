#include "ServiceFixture.h"

#include "TestSupport.h"

ServiceFixture::ServiceFixture()
    : m_options(ParseSimOptions({})), m_clock(LocalTime(2024, 3, 11, 10, 0, 0)) {}

SimService& ServiceFixture::Service() {
    if (!m_service)
        m_service = std::make_unique<SimService>(m_options, m_clock);
    return *m_service;
}

ParsedReply ServiceFixture::Call(const std::string& body) {
    const ServiceReply reply =
        Service().Answer("POST", "HTTP/1.1", SimRequests::Headers(body.size()), body, {});
    EXPECT_EQ(reply.httpStatus == 500, !reply.faultReason.empty());
    return ParsedReply(reply.body);
}

std::string ServiceFixture::LoginToken(const std::string& login, const std::string& password) {
    const ParsedReply reply = Call(SimRequests::Login(login, password));
    EXPECT_EQ(reply.Status(), 0) << "login of " << login;
    return reply.Token();
}

std::string ServiceFixture::CodeOf(const std::string& login, std::int64_t transaction) {
    for (const Transaction* open : Service().State().Transactions().OpenFor(login)) {
        if (open->id == transaction)
            return open->code;
    }
    ADD_FAILURE() << "no open transaction " << transaction << " for " << login;
    return {};
}
