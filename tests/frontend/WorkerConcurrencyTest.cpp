#include "ScriptedTransport.h"
#include "TestSupport.h"

#include "frontend/BackgroundWorker.h"
#include "frontend/IBackgroundEvents.h"
#include "frontend/IWorkerWait.h"
#include "model/SmsUserInfo.h"
#include "service/ServiceLock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

constexpr std::int64_t kNow = 1110456000;

// The service as the worker and the user-interface thread meet it: every message sent gets an
// SMS id, every delivery report query an empty answer.
class ServiceStandIn : public ISoapTransport {
public:
    SoapReply Post(const std::string& body) override {
        const std::string operation = ParsedRequest(body).Operation();
        std::string inner = Reply::Status(0) + Reply::Token("T");
        if (operation == "sendSMS")
            inner += "<recipients><item mobile=\"1\"><smsid>" + std::to_string(++m_sent) +
                     "</smsid></item></recipients>";
        else if (operation == "getNotifications")
            inner += "<sms/>";
        return {0, 200, Reply::Envelope(operation, inner)};
    }

private:
    std::atomic<int> m_sent{0};
};

// Passes one after the other without waiting, until stopped.
class NoWait : public IWorkerWait {
public:
    bool Wait(std::chrono::milliseconds) override {
        std::this_thread::yield();
        return m_stop.load();
    }
    void Signal() override { m_stop = true; }
    void Reset() override { m_stop = false; }

private:
    std::atomic<bool> m_stop{false};
};

class CountedEvents : public IBackgroundEvents {
public:
    void TokenRefreshed() override { ++refreshed; }
    void ArchiveItemChanged(const ArchiveItemKey&) override {}
    std::atomic<int> refreshed{0};
};

} // namespace

TEST(WorkerConcurrencyTest, TheWorkerSavesWhileAContactIsEditedAndAMessageIsFiled) {
    const ScopedDataHome dataHome;
    const FixedClock clock(kNow);
    CSmsUserInfo user("jan.novak", "1.6", "QLN");
    user.SetTransport(std::make_shared<ServiceStandIn>());
    ASSERT_EQ(user.KvwsLogin(true), 0);
    CServiceLock serviceLock;
    CountedEvents events;
    BackgroundWorker worker(user, serviceLock, events, &clock, std::make_unique<NoWait>());
    worker.Start();

    constexpr int kMessages = 30;
    for (int i = 0; i < kMessages; ++i) {
        const std::string number = "4219030000" + std::to_string(10 + i);
        SmsSentInfoList sent;
        ASSERT_EQ(user.KvwsSendSms("Hi", false, false, true, {number}, sent), 0);
        {
            const auto lock = user.LockData();
            CSmsAddressBook& book = user.GetAddressBook();
            book.AddContact("Contact " + std::to_string(i), number, "");
            if (i > 0)
                book.EditContactByID(book.GetItem(0)->GetID(), "First", number, "");
            // Sent half a minute ago, so that the worker's next pass asks for its report.
            user.GetArchive().AddItem("Hi", number, number, kNow - 30, false, sent.at(0).smsId, 1);
            CSmsArchive::InsertHistory(user.GetHistory(),
                                       std::make_unique<CSmsHistoryItem>(number, kNow), 20);
        }
        user.IncrementCounters(1);
        user.SetShowNotice(i % 2);
        user.SetMaxDays(static_cast<unsigned>(i));
    }
    // Wait for a pass that asked about the last message filed, then stop.
    const auto queried = [&] {
        const auto lock = user.LockData();
        return user.GetArchive().GetItem(0)->GetLastQueryTime() != 0;
    };
    while (!queried())
        std::this_thread::yield();
    worker.Stop();
    EXPECT_GT(events.refreshed.load(), 0);
    // Whatever the worker's saves merged, nothing was lost.
    ASSERT_TRUE(user.Save(false));

    const auto stored = CSmsUserInfo::GetUserInfo("jan.novak", "1.6", "QLN");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->GetArchive().GetItemCount(), kMessages);
    EXPECT_EQ(stored->GetArchive().GetItem(0)->GetLastQueryTime(), kNow);
    EXPECT_EQ(stored->GetAddressBook().GetItemCount(), kMessages);
    EXPECT_EQ(stored->GetSentTotal(), kMessages);
}
