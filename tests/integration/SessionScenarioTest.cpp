// The user object against quillon-sim over HTTPS: the road of one message from login to its
// delivery reports, scheduled messages, and a session that expires under way. The simulator's
// clock and the client's stand still and are moved together.
#include "SimulatorProcess.h"
#include "TestSupport.h"

#include "model/SmsUserInfo.h"
#include "service/CurlTransport.h"
#include "service/NotificationPoller.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const std::int64_t kStart = LocalTime(2025, 3, 10, 12, 0);
const std::string kDelivered = "421905111001";
const std::string kFails = "421905111666";
const std::string kExpires = "421905111999";

class SessionScenario : public testing::Test {
protected:
    SessionScenario()
        : m_clock(kStart),
          m_sim(QUILLON_SIM_PATH,
                {"--state", (m_home.Path() / "sim").string(), "--admin", "--account",
                 "jan:secret:421905111222", "--start-time", std::to_string(kStart),
                 "--delivery-after", "60", "--token-validity", "300"}),
          m_user("jan", "1.1.0", "QLN") {
        m_user.SetPassword("secret");
        m_user.SetTransport(
            std::make_shared<CurlTransport>(TransportOptions{m_sim.Url(), m_sim.CaFile()}));
    }

    // Moves the client's and the simulator's clocks on.
    void Advance(std::int64_t seconds) {
        m_clock.Advance(seconds);
        m_sim.Admin("/admin/advance?seconds=" + std::to_string(seconds), true);
    }

    std::string AccountState() { return m_sim.Admin("/admin/account/jan"); }

    TempDir m_home;
    ScopedDataHome m_dataHome;
    FixedClock m_clock;
    SimulatorProcess m_sim;
    CSmsUserInfo m_user;
};

const CSmsRecipientInfo& RecipientOf(CSmsArchive& archive, const std::string& number) {
    for (int i = 0; i < archive.GetItemCount(); ++i) {
        CSmsArchiveItem& item = *archive.GetItem(i);
        for (int r = 0; r < item.GetRecipientCount(); ++r) {
            if (item.GetRecipient(r)->GetTranslatedNr() == number)
                return *item.GetRecipient(r);
        }
    }
    throw std::runtime_error("no recipient " + number);
}

} // namespace

TEST_F(SessionScenario, MessageIsSentFiledAndItsReportsArriveOverTime) {
    ASSERT_EQ(m_user.KvwsLogin(true), 0);
    EXPECT_EQ(m_user.GetPhoneNr(), "421905111222");
    EXPECT_EQ(m_user.GetTokenValidity(), 300);
    ASSERT_EQ(m_user.KvwsGetServices(), 0);
    EXPECT_TRUE(m_user.IsPostpaidSvcActive());

    SmsSentInfoList sent;
    ASSERT_EQ(m_user.KvwsSendSms("Hello & <welcome>", false, false, true,
                                 {kDelivered, kFails, kExpires}, sent),
              0);
    ASSERT_EQ(sent.size(), 3u);
    CSmsArchive& archive = m_user.GetArchive();
    for (const _smsSentInfo& info : sent) {
        EXPECT_GT(info.smsId, 0);
        archive.AddItem("Hello & <welcome>", info.number, info.number, m_clock.Now(), false,
                        info.smsId, 1);
    }

    CNotificationPoller poller(m_user);
    std::vector<ArchiveItemKey> changed;
    poller.SetOnItemChanged([&](const ArchiveItemKey& key) { changed.push_back(key); });
    // Too early for a query; then asked while the SMS are still on their way.
    Advance(10);
    poller.Poll(m_clock.Now());
    EXPECT_EQ(archive.GetItem(0)->GetLastQueryTime(), 0);
    Advance(25);
    poller.Poll(m_clock.Now());
    EXPECT_EQ(archive.GetItem(0)->GetLastQueryTime(), m_clock.Now());
    EXPECT_TRUE(changed.empty());
    EXPECT_EQ(RecipientOf(archive, kDelivered).GetStatus(), CSmsRecipientInfo::Pending);
    // The next query is due as long after the last one as that was after sending.
    Advance(35);
    poller.Poll(m_clock.Now());
    EXPECT_EQ(changed.size(), 3u);
    EXPECT_EQ(RecipientOf(archive, kDelivered).GetStatus(), CSmsRecipientInfo::Delivered);
    EXPECT_EQ(RecipientOf(archive, kDelivered).GetDeliveryTime(), kStart + 60);
    EXPECT_EQ(RecipientOf(archive, kFails).GetStatus(), CSmsRecipientInfo::NotDelivered);
    EXPECT_EQ(RecipientOf(archive, kExpires).GetStatus(), CSmsRecipientInfo::Expired);

    // The poll saved the profile: a fresh load sees the reports.
    const auto stored = CSmsUserInfo::GetUserInfo("jan", "1.1.0", "QLN");
    EXPECT_EQ(RecipientOf(stored->GetArchive(), kDelivered).GetStatus(),
              CSmsRecipientInfo::Delivered);
}

TEST_F(SessionScenario, ScheduledMessageIsPlacedReplacedReportedAndDeleted) {
    ASSERT_EQ(m_user.KvwsLogin(true), 0);
    SmsSentInfoList sent;
    std::int64_t messageId = 0;
    // The service wants at least 15 minutes.
    EXPECT_EQ(m_user.KvwsSendScheduledSms("Soon", false, false, true, 0, kStart + 600, {kDelivered},
                                          sent, messageId),
              67);
    ASSERT_EQ(m_user.KvwsSendScheduledSms("Standup", false, false, true, 5, kStart + 3600,
                                          {kDelivered, kFails}, sent, messageId),
              0);
    EXPECT_GT(messageId, 0);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].smsId, 0);

    // New text and recipients, the same schedule; then a new schedule.
    sent.clear();
    ASSERT_EQ(m_user.KvwsReplaceSms("Standup moved", false, false, true, nullptr, nullptr,
                                    {kExpires}, sent, messageId),
              0);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].number, kExpires);
    const int daily = 5;
    const std::int64_t later = kStart + 7200;
    sent.clear();
    ASSERT_EQ(m_user.KvwsReplaceSms("Standup moved", false, false, true, &daily, &later,
                                    {kDelivered}, sent, messageId),
              0);

    // Before its time the message has no reports; a minute after the first delivery it has.
    SmsSchedDlvrInfoList reports;
    ASSERT_EQ(m_user.KvwsGetNotificationsSched(messageId, reports), 0);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].status, 0);
    Advance(7200 + 60);
    reports.clear();
    ASSERT_EQ(m_user.KvwsGetNotificationsSched(messageId, reports), 0);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].number, kDelivered);
    EXPECT_EQ(reports[0].status, 1);
    EXPECT_EQ(reports[0].timeDelivered, later + 60);

    // A periodic message stays placed until deleted; deleted once, it is unknown.
    EXPECT_EQ(m_user.KvwsDeleteSms(static_cast<std::uint64_t>(messageId)), 0);
    EXPECT_EQ(m_user.KvwsDeleteSms(static_cast<std::uint64_t>(messageId)), 69);
}

TEST_F(SessionScenario, ExpiredSessionIsRenewedInsideTheNextCall) {
    ASSERT_EQ(m_user.KvwsLogin(true), 0);
    const std::string first = m_user.GetToken();
    Advance(301);
    SmsSentInfoList sent;
    EXPECT_EQ(m_user.KvwsSendSms("Still there", false, false, false, {kDelivered}, sent), 0);
    EXPECT_EQ(sent.size(), 1u);
    EXPECT_NE(m_user.GetToken(), first);
    EXPECT_FALSE(m_user.IsTokenExpired());
    // A keep-alive within the validity keeps the token.
    Advance(200);
    const std::string second = m_user.GetToken();
    EXPECT_EQ(m_user.KvwsKeepAlive(), 0);
    Advance(200);
    EXPECT_EQ(m_user.KvwsGetObk(), 0);
    EXPECT_EQ(m_user.GetToken(), second);
    // After logout the token is gone; the next call logs in again.
    EXPECT_EQ(m_user.KvwsLogout(), 0);
    EXPECT_TRUE(m_user.GetToken().empty());
    EXPECT_EQ(m_user.KvwsGetObk(), 0);
    EXPECT_FALSE(m_user.GetToken().empty());
}

TEST_F(SessionScenario, RefusalsAreReturnedAndLockOutTheAccount) {
    m_user.SetPassword("wrong");
    EXPECT_EQ(m_user.KvwsLogin(true), 11);
    EXPECT_TRUE(m_user.GetToken().empty());
    m_user.SetPassword("secret");
    ASSERT_EQ(m_user.KvwsLogin(true), 0);
    SmsSentInfoList sent;
    EXPECT_EQ(m_user.KvwsSendSms("x", false, false, false, {"421944123456"}, sent), 22);
    EXPECT_EQ(m_user.KvwsSendSms("x", false, false, false, {}, sent), 28);
    EXPECT_TRUE(sent.empty());
    m_user.SetPassword("wrong");
    for (int attempt = 0; attempt < 3; ++attempt)
        m_user.KvwsLogin(true);
    m_user.SetPassword("secret");
    EXPECT_EQ(m_user.KvwsLogin(true), 12);
}
