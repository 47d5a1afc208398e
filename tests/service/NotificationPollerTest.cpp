#include "SessionFixture.h"

#include "model/LocalCalendar.h"
#include "service/KeepAliveTiming.h"
#include "service/KvwsSoapException.h"
#include "service/NotificationPoller.h"

#include <algorithm>
#include <future>
#include <thread>

namespace {

constexpr std::int64_t kSent = SessionFixture::kNow;
constexpr std::int64_t kHour = 3600;

std::vector<std::int64_t> DueSms(const CSmsArchive& archive, std::int64_t now) {
    std::vector<std::int64_t> ids;
    for (const _smsDeliveryInfo& record : CNotificationPoller::FindDue(archive, now).sms)
        ids.push_back(record.smsId);
    return ids;
}

std::vector<std::int64_t> DueScheduled(const CSmsArchive& archive, std::int64_t now) {
    return CNotificationPoller::FindDue(archive, now).scheduled;
}

using Ids = std::vector<std::int64_t>;

} // namespace

class PollDecisionTest : public ::testing::Test {
protected:
    CSmsArchiveItem* Scheduled(int periodicity, std::int64_t deliverAt, bool notify,
                               std::int64_t messageId = 500) {
        CSmsArchiveItem* item = archive.AddScheduledItem("Hi", kSent, false, 1, notify, periodicity,
                                                         deliverAt, messageId, "");
        item->AddRecipient("0903000001", "421903000001", 0);
        return item;
    }
    CSmsArchive archive;
};

TEST_F(PollDecisionTest, ImmediateMessageAfter30SecondsThenDoublingThenEvery12Hours) {
    CSmsArchiveItem* item = archive.AddItem("Hi", "a", "421903000001", kSent, false, 100, 1);
    EXPECT_EQ(DueSms(archive, kSent + 29), Ids{});
    EXPECT_EQ(DueSms(archive, kSent + 30), Ids{100});

    item->SetLastQueryTime(kSent + 30);
    EXPECT_EQ(DueSms(archive, kSent + 59), Ids{});
    EXPECT_EQ(DueSms(archive, kSent + 60), Ids{100});
    item->SetLastQueryTime(kSent + 60);
    EXPECT_EQ(DueSms(archive, kSent + 119), Ids{});
    EXPECT_EQ(DueSms(archive, kSent + 120), Ids{100});

    // Past the three days of the notification window: every 12 hours at the latest.
    item->SetLastQueryTime(kSent + 200000);
    EXPECT_EQ(DueSms(archive, kSent + 259200), Ids{});
    EXPECT_EQ(DueSms(archive, kSent + 259201), Ids{100});
    item->SetLastQueryTime(kSent + 259201);
    EXPECT_EQ(DueSms(archive, kSent + 259201 + 12 * kHour - 1), Ids{});
    EXPECT_EQ(DueSms(archive, kSent + 259201 + 12 * kHour), Ids{100});
}

TEST_F(PollDecisionTest, OnlyWaitingRecipientsWithAnIdAreAskedFor) {
    CSmsArchiveItem* group = archive.AddGroupItem("Hi", kSent, false, 1, "Friends");
    group->AddRecipient("a", "1", 11);
    group->AddRecipient("b", "2", 0); // no id, no report possible
    group->AddRecipient("c", "3", 13);
    group->AddRecipient("d", "4", 14);
    group->GetRecipient(0)->SetStatus(CSmsRecipientInfo::Delivered, kSent + 5); // d
    archive.AddItem("Hi", "e", "5", kSent, false, 0, 1);
    EXPECT_EQ(DueSms(archive, kSent + 30), (Ids{13, 11}));

    for (int i = 0; i < group->GetRecipientCount(); ++i)
        group->GetRecipient(i)->SetStatus(CSmsRecipientInfo::Expired, 0);
    EXPECT_EQ(DueSms(archive, kSent + 30), Ids{});
}

TEST_F(PollDecisionTest, OneOffScheduledMessage) {
    const std::int64_t deliverAt = kSent + kHour;
    CSmsArchiveItem* item = Scheduled(CSmsScheduleInfo::Once, deliverAt, true);
    Scheduled(CSmsScheduleInfo::Once, deliverAt, false, 501); // no delivery report wanted
    EXPECT_EQ(DueScheduled(archive, deliverAt + 59), Ids{});
    EXPECT_EQ(DueScheduled(archive, deliverAt + 60), Ids{500});
    item->SetLastQueryTime(deliverAt + 60);
    EXPECT_EQ(DueScheduled(archive, deliverAt + 119), Ids{});
    EXPECT_EQ(DueScheduled(archive, deliverAt + 120), Ids{500});

    item->UpdateSchDlvrStatus("421903000001", 1, deliverAt + 10);
    EXPECT_EQ(DueScheduled(archive, deliverAt + 120), Ids{}); // nothing pending any more
}

TEST_F(PollDecisionTest, PeriodicMessageIsAskedForAfterEachOccurrence) {
    const std::int64_t first = kSent + kHour;
    CSmsArchiveItem* item = Scheduled(CSmsScheduleInfo::Daily, first, true);
    Scheduled(CSmsScheduleInfo::Daily, first, true); // same message id: one query
    EXPECT_EQ(DueScheduled(archive, first + 60), Ids{500});

    // Delivered after the first occurrence: quiet until the next one.
    for (CSmsArchiveItem* each : {item, archive.GetItem(0)})
        each->UpdateSchDlvrStatus("421903000001", 1, first + 30);
    item->SetLastQueryTime(first + 60);
    EXPECT_EQ(DueScheduled(archive, first + 23 * kHour), Ids{});
    EXPECT_EQ(DueScheduled(archive, first + 24 * kHour + 59), Ids{});
    EXPECT_EQ(DueScheduled(archive, first + 24 * kHour + 60), Ids{500});
}

TEST(KeepAliveTimingTest, LastEighthOfTheValidityWithinOneToSixtySeconds) {
    EXPECT_EQ(KeepAliveTiming::Compute(10000, 600, 9900).refreshAt, 9925);
    EXPECT_EQ(KeepAliveTiming::Compute(10000, 600, 9900).waitSeconds, 25);
    EXPECT_EQ(KeepAliveTiming::Compute(10000, 600, 9000).waitSeconds, 60);
    EXPECT_EQ(KeepAliveTiming::Compute(10000, 600, 9925).waitSeconds, 1);
    EXPECT_EQ(KeepAliveTiming::Compute(10000, 600, 9990).waitSeconds, 1);
    EXPECT_EQ(KeepAliveTiming::Compute(10000, 7, 0).refreshAt, 10000);
    EXPECT_EQ(KeepAliveTiming::Compute(0, 0, 9990).waitSeconds, 1); // no session
}

TEST(ServiceLockTest, CallAfterAnOpenedLinkWaitsOnce) {
    std::vector<std::chrono::milliseconds> waits;
    CServiceLock lock([&waits](std::chrono::milliseconds delay) { waits.push_back(delay); });
    lock.LockForCall();
    {
        const auto held = lock.Lock();
        lock.SetLinkOpened();
    }
    lock.LockForCall();
    lock.LockForCall();
    EXPECT_EQ(waits, std::vector<std::chrono::milliseconds>{CServiceLock::LinkDelay});
}

class PollPassTest : public SessionFixture {
protected:
    void SetUp() override {
        LogIn();
        // Reported by key; found again here as a window would.
        poller.SetOnItemChanged([this](const ArchiveItemKey& key) {
            const auto lock = archive().TryLock();
            changed.push_back(key.Find(archive()));
        });
        poller.SetOnQueried([this] { ++queried; });
    }
    CSmsArchive& archive() { return user.GetArchive(); }

    CNotificationPoller poller{user};
    std::vector<CSmsArchiveItem*> changed;
    int queried = 0;
};

TEST_F(PollPassTest, DeliveryStatesAreFiledAndEveryAnsweredItemGetsItsQueryTime) {
    CSmsArchiveItem* delivered = archive().AddItem("A", "a", "1", kSent, false, 100, 1);
    CSmsArchiveItem* waiting = archive().AddItem("B", "b", "2", kSent, false, 200, 1);
    transport->Answer("getNotifications",
                      Reply::Status(0) +
                          "<sms><item status=\"1\" delivered=\"10.03.2005 "
                          "13:00:05\">100</item><item status=\"0\">200</item></sms>");
    const auto result = poller.Poll(kSent + 30);
    EXPECT_FALSE(result.skipped);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(queried, 1);
    EXPECT_EQ(changed, std::vector<CSmsArchiveItem*>{delivered});
    EXPECT_EQ(delivered->GetStatus(), CSmsRecipientInfo::Delivered);
    EXPECT_EQ(delivered->GetRecipient(0)->GetDeliveryTime(), LocalTime(2005, 3, 10, 13, 0, 5));
    EXPECT_EQ(delivered->GetLastQueryTime(), kSent + 30);
    EXPECT_EQ(waiting->GetLastQueryTime(), kSent + 30);

    // Only the waiting one is asked for next time, once its interval has passed.
    EXPECT_FALSE(poller.Poll(kSent + 59).saved);
    transport->Answer("getNotifications", Reply::Status(0) + "<sms/>");
    poller.Poll(kSent + 60);
    ASSERT_EQ(transport->Requests().size(), 3u);
    EXPECT_EQ(transport->Request(2).Find("sms").select_nodes("*").size(), 1u);
    EXPECT_EQ(transport->Request(2).Text("id"), "200");
}

TEST_F(PollPassTest, ScheduledRecipientsAreMatchedByNumber) {
    CSmsArchiveItem* item =
        archive().AddScheduledItem("S", kSent, false, 1, true, 0, kSent + kHour, 700, "");
    item->AddRecipient("0903000001", "421903000001", 0);
    item->AddRecipient("0903000002", "421903000002", 0);
    transport->Answer("getNotifications", Reply::Status(0) +
                                              "<sms><item status=\"1\" mobile=\"421903000002\" "
                                              "delivered=\"10.03.2005 13:10:00\">0</item>"
                                              "<item status=\"-2\">0</item></sms>");
    EXPECT_TRUE(poller.Poll(kSent + kHour + 60).saved);
    EXPECT_EQ(transport->Request(1).Find("sms").attribute("messageid").as_llong(), 700);
    EXPECT_EQ(item->GetRecipient(0)->GetStatus(), CSmsRecipientInfo::Delivered);
    EXPECT_EQ(item->GetRecipient(1)->GetStatus(), CSmsRecipientInfo::Pending);
    EXPECT_EQ(item->GetLastQueryTime(), kSent + kHour + 60);
    EXPECT_EQ(changed, std::vector<CSmsArchiveItem*>{item});
}

TEST_F(PollPassTest, FailuresChangeNothingAreRetriedNextPassAndTellWhy) {
    CSmsArchiveItem* item = archive().AddItem("A", "a", "1", kSent, false, 100, 1);
    transport->Answer("getNotifications", Reply::Status(26)).Fail(21);
    const auto refused = poller.Poll(kSent + 30);
    EXPECT_FALSE(refused.saved);
    EXPECT_EQ(refused.refusal, 26);
    EXPECT_FALSE(refused.error);
    const auto unreachable = poller.Poll(kSent + 31);
    EXPECT_FALSE(unreachable.saved);
    EXPECT_EQ(unreachable.refusal, 0);
    ASSERT_TRUE(unreachable.error);
    try {
        std::rethrow_exception(unreachable.error);
    } catch (const CKvwsSoapException& error) {
        EXPECT_EQ(error.GetTransportCode(), 21);
    }
    EXPECT_EQ(item->GetLastQueryTime(), 0);
    EXPECT_EQ(queried, 0);
    EXPECT_EQ(transport->Requests().size(), 3u);
}

TEST_F(PollPassTest, FirstFailureOfAPassIsKeptAndTheOtherQueriesStillRun) {
    archive().AddItem("A", "a", "1", kSent, false, 100, 1);
    CSmsArchiveItem* item =
        archive().AddScheduledItem("S", kSent, false, 1, true, 0, kSent - 60, 700, "");
    item->AddRecipient("0903000001", "421903000001", 0);
    transport->Answer("getNotifications", Reply::Status(27))
        .Answer("getNotifications", Reply::Status(0) + "<sms/>");
    const auto pass = poller.Poll(kSent + 30);
    EXPECT_EQ(pass.refusal, 27);
    EXPECT_TRUE(pass.saved);
    EXPECT_EQ(item->GetLastQueryTime(), kSent + 30);

    // A pass without a failure says so, also when the poller failed before.
    transport->Answer("getNotifications", Reply::Status(0) + "<sms/>");
    EXPECT_FALSE(poller.Poll(kSent + 60).Failed());
}

TEST_F(PollPassTest, BusyArchiveSkipsThePass) {
    archive().AddItem("A", "a", "1", kSent, false, 100, 1);
    std::promise<void> locked, release;
    std::thread holder([&] {
        std::lock_guard<CSmsArchive::Mutex> lock(archive().GetMutex());
        locked.set_value();
        release.get_future().wait();
    });
    locked.get_future().wait();
    EXPECT_TRUE(poller.Poll(kSent + 30).skipped);
    release.set_value();
    holder.join();
    EXPECT_EQ(transport->Requests().size(), 1u); // the login only
}

TEST_F(PollPassTest, RecipientsReachingAFinalStateAreToldOnceEach) {
    std::vector<CSmsRecipientInfo::DeliveryStatus> reached;
    poller.SetOnReachedFinal(
        [&reached](CSmsRecipientInfo::DeliveryStatus status) { reached.push_back(status); });
    CSmsArchiveItem* group = archive().AddGroupItem("G", kSent, false, 1, "Friends");
    for (const std::int64_t id : {101, 102, 103, 104})
        group->AddRecipient("n", std::to_string(id), id);
    // A repeated record, one still waiting, one the archive does not hold.
    transport->Answer("getNotifications", Reply::Status(0) + "<sms><item status=\"1\">101</item>"
                                                             "<item status=\"1\">101</item>"
                                                             "<item status=\"-1\">102</item>"
                                                             "<item status=\"-3\">103</item>"
                                                             "<item status=\"0\">104</item>"
                                                             "<item status=\"1\">999</item></sms>");
    poller.Poll(kSent + 30);
    std::sort(reached.begin(), reached.end()); // asked for in the archive's order
    using Statuses = std::vector<CSmsRecipientInfo::DeliveryStatus>;
    EXPECT_EQ(reached, (Statuses{CSmsRecipientInfo::Undeliverable, CSmsRecipientInfo::NotDelivered,
                                 CSmsRecipientInfo::Delivered}));
}

TEST_F(PollPassTest, AReportAlreadyFiledIsNotNewButALaterOccurrencesIs) {
    std::vector<CSmsRecipientInfo::DeliveryStatus> reached;
    poller.SetOnReachedFinal(
        [&reached](CSmsRecipientInfo::DeliveryStatus status) { reached.push_back(status); });
    const std::int64_t first = kSent + kHour;
    CSmsArchiveItem* periodic = archive().AddScheduledItem("P", kSent, false, 1, true,
                                                           CSmsScheduleInfo::Daily, first, 700, "");
    periodic->AddRecipient("a", "421903000001", 0);
    periodic->AddRecipient("b", "421903000002", 0);
    const auto answer = [](std::int64_t delivered, int secondStatus) {
        return Reply::Status(0) + "<sms><item status=\"1\" mobile=\"421903000001\" delivered=\"" +
               FormatLocalTime(delivered, "%d.%m.%Y %H:%M:%S") + "\">0</item><item status=\"" +
               std::to_string(secondStatus) + "\" mobile=\"421903000002\">0</item></sms>";
    };
    using Statuses = std::vector<CSmsRecipientInfo::DeliveryStatus>;
    // The second recipient still waits, so the first one's report comes again.
    transport->Answer("getNotifications", answer(first + 30, 0))
        .Answer("getNotifications", answer(first + 30, -2))
        .Answer("getNotifications", answer(first + 24 * kHour + 30, -2));
    poller.Poll(first + 60);
    EXPECT_EQ(reached, Statuses{CSmsRecipientInfo::Delivered});
    reached.clear();
    poller.Poll(first + 120);
    EXPECT_EQ(reached, Statuses{CSmsRecipientInfo::Expired});
    // The next day's occurrence was delivered anew; the expiry stands as it was.
    reached.clear();
    poller.Poll(first + 24 * kHour + 60);
    EXPECT_EQ(reached, Statuses{CSmsRecipientInfo::Delivered});
    EXPECT_EQ(transport->Requests().size(), 4u);
}
