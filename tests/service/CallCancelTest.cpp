#include "HangingTransport.h"
#include "LoopbackServer.h"
#include "SessionFixture.h"

#include "service/CallCanceller.h"
#include "service/CurlTransport.h"
#include "service/KvwsSoapException.h"
#include "service/TransportError.h"

#include <thread>

namespace {

// What a call threw, or nothing.
std::optional<CKvwsSoapException> FailureOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const CKvwsSoapException& error) {
        return error;
    }
    return std::nullopt;
}

void ExpectCancelled(const std::optional<CKvwsSoapException>& failure) {
    ASSERT_TRUE(failure) << "the call ended without a failure";
    EXPECT_EQ(failure->GetStatus(), 0);
    EXPECT_EQ(failure->GetTransportCode(), TransportError::SendFailed);
    EXPECT_EQ(failure->GetDetail(), TransportError::CancelledDetail);
}

} // namespace

class CallCancelTest : public SessionFixture {
protected:
    // Runs call on a thread bound to the canceller, cancels once its post has begun, and
    // returns what the call threw.
    std::optional<CKvwsSoapException> CancelDuringCall(const std::function<void()>& call,
                                                       const std::function<void()>& begun) {
        std::optional<CKvwsSoapException> failure;
        std::thread caller([&] {
            const CallCanceller::Scope scope(canceller);
            failure = FailureOf(call);
        });
        begun();
        canceller.Cancel();
        caller.join();
        return failure;
    }

    CallCanceller canceller;
};

TEST_F(CallCancelTest, AHangingCallEndsAsATransportFailureWhenCancelled) {
    auto hanging = std::make_shared<HangingTransport>();
    user.SetTransport(hanging);
    std::future<void> entered = hanging->Entered();
    ExpectCancelled(CancelDuringCall([&] { user.KvwsKeepAlive(); }, [&] { entered.wait(); }));
    EXPECT_EQ(hanging->posted, std::vector<std::string>{"KeepAlive"});
}

TEST_F(CallCancelTest, CancelledThreadsPostNothingUntilReset) {
    LogIn();
    const CallCanceller::Scope scope(canceller);
    canceller.Cancel();
    ExpectCancelled(FailureOf([&] { user.KvwsGetServices(); }));
    ExpectCancelled(FailureOf([&] { user.KvwsLogin(false); }));
    // The session ends locally all the same.
    EXPECT_EQ(user.KvwsLogout(), 0);
    EXPECT_TRUE(user.GetToken().empty());
    EXPECT_EQ(transport->Requests().size(), 1u); // the login of LogIn

    canceller.Reset();
    transport->Answer("Login", Reply::Status(0) + Reply::Token("T2"));
    EXPECT_EQ(user.KvwsLogin(false), 0);
}

TEST_F(CallCancelTest, OtherThreadsCallsAreNotCancelled) {
    LogIn();
    canceller.Cancel();
    transport->Answer("getOBK", Reply::Status(0) + Reply::Token("T2") + "<OBK>7</OBK>");
    EXPECT_EQ(user.KvwsGetObk(), 0);
    EXPECT_EQ(user.GetObk(), 7);
}

// A transport that cancels the calls itself while answering, as if the owner cancelled just
// as the answer came: an expired session, which would make the call log in again.
class CancelOnAnswer : public ISoapTransport {
public:
    explicit CancelOnAnswer(CallCanceller& canceller) : m_canceller(canceller) {}
    SoapReply Post(const std::string& body) override {
        const std::string operation = ParsedRequest(body).Operation();
        posted.push_back(operation);
        m_canceller.Cancel();
        return {0, 200, Reply::Envelope(operation, Reply::Status(21))};
    }
    std::vector<std::string> posted;

private:
    CallCanceller& m_canceller;
};

TEST_F(CallCancelTest, ACancelStopsTheReLoginThatWouldFollow) {
    LogIn();
    for (const auto& call : std::vector<std::function<void()>>{[&] { user.KvwsKeepAlive(); },
                                                               [&] { user.KvwsGetServices(); }}) {
        canceller.Reset();
        auto answering = std::make_shared<CancelOnAnswer>(canceller);
        user.SetTransport(answering);
        const CallCanceller::Scope scope(canceller);
        ExpectCancelled(FailureOf(call));
        EXPECT_EQ(answering->posted.size(), 1u) << answering->posted.back();
    }
}

TEST_F(CallCancelTest, ACallToASilentServerEndsWhenCancelled) {
    LoopbackServer silent({LoopbackServer::kSilent});
    user.SetTransport(std::make_shared<CurlTransport>(silent.ClientOptions()));
    ExpectCancelled(CancelDuringCall([&] { user.KvwsKeepAlive(); },
                                     [&] {
                                         // The server holds the request and answers nothing.
                                         while (silent.Requests().empty())
                                             std::this_thread::sleep_for(
                                                 std::chrono::milliseconds(5));
                                     }));
}
