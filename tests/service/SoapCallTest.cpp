#include "FakeTransport.h"

#include "service/SoapCall.h"

#include <gtest/gtest.h>

using namespace Kvws;

namespace {

KeepAliveResponse Answered(std::int32_t status) {
    KeepAliveResponse response;
    response.status.value = status;
    response.token = Token{"600", "T2"};
    return response;
}

std::string KeepAliveReply(std::int32_t status) {
    return WriteSoapResponse<KeepAliveRequest>(Answered(status));
}

KeepAliveRequest Request() {
    KeepAliveRequest request;
    request.token = "T1";
    return request;
}

// The transport code the call ends with, or 0 when it returns a response.
int TransportCodeOf(const SoapReply& reply) {
    FakeTransport transport;
    transport.Answer(reply);
    try {
        Post(transport, Request());
        return 0;
    } catch (const CKvwsSoapException& e) {
        EXPECT_EQ(e.GetStatus(), 0);
        return e.GetTransportCode();
    }
}

TEST(SoapCall, PostsTheWrittenRequestAndReturnsTheResponse) {
    FakeTransport transport;
    transport.Answer(200, KeepAliveReply(0));
    const KeepAliveResponse response = Post(transport, Request());
    EXPECT_EQ(transport.posted, std::vector<std::string>{WriteSoapRequest(Request())});
    EXPECT_EQ(response.token->value, "T2");
}

TEST(SoapCall, TransportCodes) {
    const std::string fault = "<e:Envelope xmlns:e=\"http://www.w3.org/2003/05/soap-envelope\">"
                              "<e:Body><e:Fault/></e:Body></e:Envelope>";
    const struct {
        SoapReply reply;
        int code;
    } cases[] = {
        {SoapReply::Failed(TransportError::SendFailed), TransportError::SendFailed},
        {SoapReply::Failed(TransportError::InvalidUrl), TransportError::InvalidUrl},
        {{0, 200, KeepAliveReply(0)}, 0},
        {{0, 202, KeepAliveReply(0)}, 0},
        {{0, 500, KeepAliveReply(0)}, 0},
        {{0, 500, fault}, TransportError::SoapFault},
        {{0, 400, fault}, TransportError::SoapFault},
        {{0, 500, ""}, TransportError::UnparsableReply},
        {{0, 204, ""}, TransportError::UnparsableReply},
        {{0, 200, KeepAliveReply(0).substr(0, 200)}, TransportError::UnparsableReply},
        {{0, 503, KeepAliveReply(0)}, 503},
        {{0, 401, ""}, 401},
        {{0, 407, ""}, 407},
        {{0, 302, ""}, 302},
        {{0, 404, fault}, 404},
        {{0, 101, ""}, 101},
        {{0, 0, ""}, TransportError::SendFailed},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TransportCodeOf(c.reply), c.code) << c.reply.httpStatus << c.reply.body;
}

// What the exception of a failed call says beyond its code.
std::string DetailOf(const SoapReply& reply) {
    FakeTransport transport;
    transport.Answer(reply);
    try {
        Post(transport, Request());
    } catch (const CKvwsSoapException& e) {
        return e.GetDetail();
    }
    ADD_FAILURE() << "the call did not fail";
    return {};
}

TEST(SoapCall, FailuresCarryTheTransportsWordsOrTheFaultsReason) {
    EXPECT_EQ(DetailOf(SoapReply::Failed(TransportError::SendFailed, "no reply within 600 s")),
              "no reply within 600 s");
    const std::string fault =
        "<e:Envelope xmlns:e=\"http://www.w3.org/2003/05/soap-envelope\"><e:Body><e:Fault>"
        "<e:Reason><e:Text>Token\nunknown</e:Text></e:Reason></e:Fault></e:Body></e:Envelope>";
    EXPECT_EQ(DetailOf({0, 500, fault, {}}), "Token unknown");
    EXPECT_EQ(DetailOf({0, 503, "<html>Service down</html>", {}}), "");
}

TEST(SoapCall, StatusConvention) {
    for (const std::int32_t status : {0, 1, 12, 20, 21, 98}) {
        FakeTransport transport;
        transport.Answer(200, KeepAliveReply(status));
        EXPECT_EQ(Call(transport, Request()).status.value, status);
    }
    for (const std::int32_t status : {99, 150, INT32_MAX}) {
        FakeTransport transport;
        transport.Answer(200, KeepAliveReply(status));
        try {
            Call(transport, Request());
            ADD_FAILURE() << status;
        } catch (const CKvwsSoapException& e) {
            EXPECT_EQ(e.GetStatus(), status);
            EXPECT_EQ(e.GetTransportCode(), 0);
        }
    }
    for (const std::int32_t status : {-1, INT32_MIN}) {
        FakeTransport transport;
        transport.Answer(200, KeepAliveReply(status));
        EXPECT_THROW(Call(transport, Request()), CKvwsDbException);
    }
}

TEST(SoapCall, TheReplyIsSeenBeforeTheStatusIsJudged) {
    FakeTransport transport;
    transport.Answer(200, KeepAliveReply(150));
    std::string token;
    EXPECT_THROW(Call(transport, Request(),
                      [&](const KeepAliveResponse& response) { token = response.token->value; }),
                 CKvwsException);
    EXPECT_EQ(token, "T2");
}

TEST(SoapCall, ExhaustedMemoryIsATransportCode) {
    class Exhausted : public ISoapTransport {
        SoapReply Post(const std::string&) override { throw std::bad_alloc(); }
    } transport;
    try {
        Post(transport, Request());
        ADD_FAILURE();
    } catch (const CKvwsSoapException& e) {
        EXPECT_EQ(e.GetTransportCode(), TransportError::OutOfMemory);
    }
}

} // namespace
