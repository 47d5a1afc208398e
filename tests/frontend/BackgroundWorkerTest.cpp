#include "HangingTransport.h"
#include "LoopbackServer.h"
#include "ScriptedTransport.h"
#include "TestSupport.h"

#include "frontend/BackgroundPass.h"
#include "frontend/BackgroundWorker.h"
#include "frontend/IBackgroundEvents.h"
#include "frontend/IWorkerWait.h"
#include "frontend/StopEvent.h"
#include "model/SmsUserInfo.h"
#include "service/CallCanceller.h"
#include "service/CurlTransport.h"
#include "service/ServiceLock.h"
#include "service/TransportError.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

namespace {

constexpr std::int64_t kNow = 1110456000;

using std::chrono::milliseconds;
using Waits = std::vector<milliseconds>;
using Operations = std::vector<std::string>;

// Waits no real time: each wait moves the clock on by its length; the worker is told to stop
// at the given wait.
class ClockWait : public IWorkerWait {
public:
    ClockWait(FixedClock& clock, std::size_t stopAt, Waits& waits)
        : m_clock(clock), m_stopAt(stopAt), m_waits(waits) {}
    bool Wait(milliseconds timeout) override {
        m_waits.push_back(timeout);
        m_clock.Advance(std::chrono::duration_cast<std::chrono::seconds>(timeout).count());
        return m_waits.size() >= m_stopAt;
    }
    void Signal() override {}
    void Reset() override {}

private:
    FixedClock& m_clock;
    std::size_t m_stopAt;
    Waits& m_waits;
};

class RecordedEvents : public IBackgroundEvents {
public:
    void TokenRefreshed() override { ++refreshed; }
    void ArchiveItemChanged(const ArchiveItemKey& key) override { changed.push_back(key); }
    void DeliveriesReported(const DeliveryCounts& counts) override { reported.push_back(counts); }

    int refreshed = 0;
    std::vector<ArchiveItemKey> changed;
    std::vector<DeliveryCounts> reported;
};

} // namespace

class WorkerTest : public ::testing::Test {
protected:
    WorkerTest() { user.SetTransport(transport); }

    void LogIn(const std::string& validity) {
        transport->Answer("Login", Reply::Status(0) + Reply::Token("T1", validity));
        ASSERT_EQ(user.KvwsLogin(true), 0);
    }
    // Runs the loop on this thread until the stopAt-th wait.
    void RunUntilWait(std::size_t stopAt) {
        BackgroundWorker worker(user, serviceLock, events, &clock,
                                std::make_unique<ClockWait>(clock, stopAt, waits));
        worker.Run();
    }
    Operations PostedAfterLogin() const {
        Operations operations = transport->Operations();
        operations.erase(operations.begin());
        return operations;
    }

    ScopedDataHome dataHome;
    FixedClock clock{kNow};
    std::shared_ptr<ScriptedTransport> transport = std::make_shared<ScriptedTransport>();
    CSmsUserInfo user{"jan.novak", "1.6", "QLN"};
    CServiceLock serviceLock{[](milliseconds) {}};
    RecordedEvents events;
    Waits waits;
};

TEST_F(WorkerTest, WakesAtLeastOnceAMinuteAndKeepsAliveInTheLastEighth) {
    LogIn("800"); // keep-alive is due 700 s from now
    transport->Answer("KeepAlive", Reply::Status(0) + Reply::Token("T2", "800"));
    RunUntilWait(14);

    Waits expected(11, std::chrono::seconds(60));
    expected.push_back(std::chrono::seconds(40)); // up to the moment keep-alive is due
    expected.push_back(std::chrono::seconds(60)); // the new token is due in 700 s again
    expected.push_back(std::chrono::seconds(60));
    EXPECT_EQ(waits, expected);
    EXPECT_EQ(PostedAfterLogin(), Operations{"KeepAlive"});
    EXPECT_EQ(events.refreshed, 1);
    EXPECT_EQ(user.GetToken(), "T2");
    EXPECT_EQ(user.GetTokenExpiry(), kNow + 700 + 800);
}

TEST_F(WorkerTest, WithoutValidityAndWithAnExpiredTokenItWakesEverySecondAndKeepsAlive) {
    // No session: validity 0, expiry 0. Every keep-alive fails, which stays silent.
    transport->Fail(TransportError::SendFailed).Fail(TransportError::SendFailed).Fail(7);
    RunUntilWait(4);
    EXPECT_EQ(waits, Waits(4, std::chrono::seconds(1)));
    EXPECT_EQ(transport->Operations(), Operations(3, "KeepAlive"));
    EXPECT_EQ(events.refreshed, 0);
}

TEST_F(WorkerTest, AnExpiredSessionIsRenewedByKeepAlive) {
    LogIn("80");
    clock.Advance(1000); // long past the expiry
    transport->Answer("KeepAlive", Reply::Status(21))
        .Answer("Login", Reply::Status(0) + Reply::Token("T2", "800"));
    RunUntilWait(2);
    // The renewed token is due in 700 s.
    EXPECT_EQ(waits, (Waits{std::chrono::seconds(1), std::chrono::seconds(60)}));
    EXPECT_EQ(PostedAfterLogin(), (Operations{"KeepAlive", "Login"}));
    EXPECT_EQ(user.GetToken(), "T2");
    EXPECT_EQ(events.refreshed, 1);
}

class PassTest : public WorkerTest {
protected:
    BackgroundPass pass{user, serviceLock, &events};
};

TEST_F(PassTest, ChangedItemsAreReportedByKeysThatFindThemAgain) {
    LogIn("600");
    CSmsArchive& archive = user.GetArchive();
    CSmsArchiveItem* group = archive.AddGroupItem("Hi", kNow, false, 1, "Friends");
    group->AddRecipient("a", "421903000001", 0);
    group->AddRecipient("b", "421903000002", 12);
    group->AddRecipient("c", "421903000003", 11);
    CSmsArchiveItem* scheduled =
        archive.AddScheduledItem("S", kNow, false, 1, true, 0, kNow - 60, 700, "");
    scheduled->AddRecipient("d", "421903000004", 0);
    transport
        ->Answer("getNotifications", Reply::Status(0) + "<sms><item status=\"1\">11</item>"
                                                        "<item status=\"-1\">12</item></sms>")
        .Answer("getNotifications",
                Reply::Status(0) +
                    "<sms><item status=\"1\" mobile=\"421903000004\">0</item></sms>");

    const BackgroundPass::Result result = pass.Run(kNow + 30, kNow + 525);
    EXPECT_TRUE(result.poll.saved);
    EXPECT_FALSE(result.keptAlive);
    EXPECT_EQ(events.refreshed, 1); // after the query of the sent message
    // The group was changed twice; its key is that of its first recipient with an SMS id.
    const ArchiveItemKey groupKey{false, 11};
    const ArchiveItemKey scheduledKey{true, 700};
    EXPECT_EQ(events.changed, (std::vector{groupKey, groupKey, scheduledKey}));

    // Found again after other messages were filed in front of them; gone once deleted.
    archive.AddItem("New", "e", "421903000005", kNow + 40, false, 13, 1);
    const auto lock = user.LockData();
    EXPECT_EQ(groupKey.Find(archive), group);
    EXPECT_EQ(scheduledKey.Find(archive), scheduled);
    EXPECT_EQ((ArchiveItemKey{false, 12}).Find(archive), group);
    EXPECT_EQ((ArchiveItemKey{true, 11}).Find(archive), nullptr);
    archive.DeleteItem(group);
    EXPECT_EQ(groupKey.Find(archive), nullptr);
}

TEST_F(PassTest, FinalDeliveryStatesAreCountedOncePerPassAndOnlyWhenThereAreAny) {
    LogIn("600");
    CSmsArchive& archive = user.GetArchive();
    CSmsArchiveItem* group = archive.AddGroupItem("Hi", kNow, false, 1, "Friends");
    for (const std::int64_t id : {11, 12, 13, 14, 15})
        group->AddRecipient("n", std::to_string(id), id);
    CSmsArchiveItem* scheduled =
        archive.AddScheduledItem("S", kNow, false, 1, true, 0, kNow - 60, 700, "");
    scheduled->AddRecipient("d", "421903000004", 0);
    transport
        ->Answer("getNotifications", Reply::Status(0) + "<sms><item status=\"1\">11</item>"
                                                        "<item status=\"-1\">12</item>"
                                                        "<item status=\"-3\">13</item>"
                                                        "<item status=\"-2\">14</item>"
                                                        "<item status=\"0\">15</item></sms>")
        .Answer("getNotifications",
                Reply::Status(0) +
                    "<sms><item status=\"1\" mobile=\"421903000004\">0</item></sms>");
    const BackgroundPass::Result result = pass.Run(kNow + 30, kNow + 525);
    const DeliveryCounts expected{2, 2, 1};
    EXPECT_EQ(result.deliveries, expected);
    EXPECT_EQ(events.reported, std::vector{expected});

    // Nothing new in the next pass: nothing told, the counts start again from zero.
    transport->Answer("getNotifications", Reply::Status(0) + "<sms/>");
    EXPECT_EQ(pass.Run(kNow + 60, kNow + 525).deliveries, DeliveryCounts{});
    EXPECT_EQ(transport->Operations().size(), 4u);
    EXPECT_EQ(events.reported.size(), 1u);
}

TEST_F(PassTest, KeepAliveOnlyFromTheMomentItIsDue) {
    LogIn("600");
    EXPECT_FALSE(pass.Run(kNow + 524, kNow + 525).keptAlive);
    transport->Answer("KeepAlive", Reply::Status(26)); // a refusal is no failure of the pass
    EXPECT_TRUE(pass.Run(kNow + 525, kNow + 525).keptAlive);
    EXPECT_EQ(events.refreshed, 1);
    EXPECT_EQ(PostedAfterLogin(), Operations{"KeepAlive"});
}

namespace {

// A real stop event whose first wait after a start returns at once, so that the first pass
// comes without waiting a real second.
class FirstWaitShort : public StopEvent {
public:
    bool Wait(milliseconds timeout) override {
        const milliseconds wait = m_first ? milliseconds(0) : timeout;
        m_first = false;
        return StopEvent::Wait(wait);
    }
    void Reset() override {
        m_first = true;
        StopEvent::Reset();
    }

private:
    bool m_first = true;
};

} // namespace

TEST_F(WorkerTest, StopCancelsAHangingCallAndJoins) {
    auto hanging = std::make_shared<HangingTransport>();
    user.SetTransport(hanging);
    std::future<void> entered = hanging->Entered();
    BackgroundWorker worker(user, serviceLock, events, &clock, std::make_unique<FirstWaitShort>());
    worker.Start();
    EXPECT_TRUE(worker.IsRunning());
    entered.wait(); // keep-alive hangs: no session, so it is due at once
    worker.Stop();
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_TRUE(hanging->cancelled);
    EXPECT_EQ(hanging->posted, Operations{"KeepAlive"});
    EXPECT_EQ(events.refreshed, 0);

    // A stopped worker starts again with its calls no longer cancelled.
    entered = hanging->Entered();
    worker.Start();
    entered.wait();
    // Destroying the worker stops it the same way.
}

TEST_F(WorkerTest, StopDoesNotWaitForASilentService) {
    LoopbackServer silent({LoopbackServer::kSilent});
    user.SetTransport(std::make_shared<CurlTransport>(silent.ClientOptions()));
    BackgroundWorker worker(user, serviceLock, events, &clock, std::make_unique<FirstWaitShort>());
    worker.Start();
    while (silent.Requests().empty()) // keep-alive has reached the server, which says nothing
        std::this_thread::sleep_for(milliseconds(5));
    worker.Stop();
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_EQ(events.refreshed, 0);
}
