#include "ScriptedTransport.h"
#include "TestSupport.h"

#include "model/SmsUserInfo.h"
#include "service/NotificationPoller.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

constexpr std::int64_t kNow = 1110456000;

// Answers every operation with success and a fresh token, except that every seventh call of
// an operation other than login reports an expired session. Counts calls that overlap.
class ServiceStandIn : public ISoapTransport {
public:
    SoapReply Post(const std::string& body) override {
        if (m_inFlight.fetch_add(1) != 0)
            ++overlaps;
        std::this_thread::yield(); // widen the window for an overlapping call
        const std::string operation = ParsedRequest(body).Operation();
        const int call = ++calls;
        std::string inner = Reply::Token("T" + std::to_string(call));
        if (operation != "Login" && call % 7 == 0)
            inner = Reply::Status(21);
        else if (operation == "sendSMS")
            inner = Reply::Status(0) + inner + "<recipients><item mobile=\"1\"><smsid>" +
                    std::to_string(call) + "</smsid></item></recipients>";
        else if (operation == "getNotifications")
            inner = Reply::Status(0) + inner + "<sms/>";
        else
            inner = Reply::Status(0) + inner;
        --m_inFlight;
        return {0, 200, Reply::Envelope(operation, inner)};
    }

    std::atomic<int> calls{0};
    std::atomic<int> overlaps{0};

private:
    std::atomic<int> m_inFlight{0};
};

} // namespace

TEST(ConcurrencyTest, SendingPollingAndKeepAliveOnOneUserTakeTurns) {
    const ScopedDataHome dataHome; // the poller's saves meet no earlier run's profile
    FixedClock clock(kNow);
    CSmsUserInfo user("jan.novak", "1.6", "QLN");
    auto service = std::make_shared<ServiceStandIn>();
    user.SetTransport(service);
    ASSERT_EQ(user.KvwsLogin(true), 0);

    constexpr int kRounds = 40;
    std::atomic<int> sent{0};
    std::vector<std::thread> threads;
    for (int sender = 0; sender < 3; ++sender) {
        threads.emplace_back([&] {
            for (int i = 0; i < kRounds; ++i) {
                SmsSentInfoList info;
                if (user.KvwsSendSms("Hi", false, false, true, {"1"}, info) != 0)
                    continue;
                ++sent;
                // Files the message as the compose page does.
                std::lock_guard<CSmsArchive::Mutex> lock(user.GetArchive().GetMutex());
                user.GetArchive().AddItem("Hi", "1", "1", kNow, false, info.at(0).smsId, 1);
            }
        });
    }
    threads.emplace_back([&] {
        CServiceLock serviceLock;
        CNotificationPoller poller(user, serviceLock);
        for (int i = 0; i < kRounds; ++i)
            poller.Poll(kNow + 30 + i * 1000);
    });
    threads.emplace_back([&] {
        for (int i = 0; i < kRounds; ++i) {
            user.KvwsKeepAlive();
            // The plain getters are read while calls run.
            EXPECT_GE(user.GetTokenExpiry(), 0);
            EXPECT_FALSE(user.GetToken().empty() && user.GetTokenValidity() < 0);
            user.GetPhoneNr();
        }
    });
    for (std::thread& thread : threads)
        thread.join();

    EXPECT_EQ(service->overlaps, 0);
    EXPECT_GT(sent, 0);
    std::lock_guard<CSmsArchive::Mutex> lock(user.GetArchive().GetMutex());
    EXPECT_EQ(user.GetArchive().GetItemCount(), sent.load());
}

TEST(ConcurrencyTest, CallsOfDifferentUsersRunSideBySide) {
    const ScopedDataHome dataHome;
    FixedClock clock(kNow);
    CSmsUserInfo first("first", "1.6", "QLN"), second("second", "1.6", "QLN IE");
    first.SetTransport(std::make_shared<ServiceStandIn>());
    second.SetTransport(std::make_shared<ServiceStandIn>());
    std::thread a([&] {
        for (int i = 0; i < 20; ++i)
            first.KvwsKeepAlive();
    });
    std::thread b([&] {
        for (int i = 0; i < 20; ++i)
            second.KvwsGetObk();
    });
    a.join();
    b.join();
    EXPECT_FALSE(first.GetToken().empty());
    EXPECT_FALSE(second.GetToken().empty());
}
