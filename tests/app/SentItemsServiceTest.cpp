// The archive page against a real service over HTTPS (quillon-sim): deleting scheduled messages
// cancels them there, and changing one replaces it there.
#include "ScriptedMessageBox.h"
#include "SentItemsFixture.h"
#include "SimulatorProcess.h"

#include "controls/SmsEditCtrl.h"
#include "logic/SmsDetails.h"
#include "service/CurlTransport.h"
#include "service/ServiceLock.h"
#include "windows/ScheduledSmsDlg.h"
#include "windows/SentItemsPage.h"

#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace {

const std::int64_t kStart = LocalTime(2025, 3, 10, 12, 0);

TEST(SentItemsService, DeletingAScheduledMessageCancelsItAtTheService) {
    TempDir simHome;
    ScopedDataHome dataHome;
    SimulatorProcess sim(QUILLON_SIM_PATH,
                         {"--state", (simHome.Path() / "sim").string(), "--admin", "--account",
                          "jan:secret:421905111222", "--start-time", std::to_string(kStart)});
    CSmsUserInfo jan("jan", "1.6", "QLN");
    jan.SetPassword("secret");
    jan.SetTransport(std::make_shared<CurlTransport>(TransportOptions{sim.Url(), sim.CaFile()}));
    ASSERT_EQ(jan.KvwsLogin(true), 0);
    SmsSentInfoList sent;
    std::int64_t messageId = 0;
    ASSERT_EQ(jan.KvwsSendScheduledSms("Pripomienka", false, false, true, 0, kStart + 3600,
                                       {"421905333444"}, sent, messageId),
              0);
    ASSERT_GT(messageId, 0);
    const std::string line = "scheduled=" + std::to_string(messageId);
    ASSERT_NE(sim.Admin("/admin/account/jan").find(line), std::string::npos);
    CSmsArchiveItem* item = jan.GetArchive().AddScheduledItem(
        "Pripomienka", kStart, false, 1, true, 0, kStart + 3600, messageId, "Pripomienka");
    item->AddRecipient("Eva", "421905333444", 0);

    ScriptedMessageBox boxes;
    FakeSentItemsDialogs dialogs;
    CServiceLock serviceLock;
    SentItemsPage page(jan, serviceLock, boxes, dialogs);
    page.SetServiceUrl(sim.Url());
    page.show();
    auto* view = page.findChild<QTreeView*>("itemsTreeView");
    ASSERT_EQ(view->model()->rowCount(), 1);
    view->selectionModel()->select(view->model()->index(0, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    boxes.AnswerNext(IMessageBox::Answer::Yes);
    page.Delete();

    // The call runs off the window's thread; the row goes when the service agreed.
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->model()->rowCount() == 0; }, 30000));
    EXPECT_EQ(jan.GetArchive().GetItemCount(), 0);
    EXPECT_EQ(sim.Admin("/admin/account/jan").find(line), std::string::npos);
    EXPECT_EQ(page.StatisticsUrl().path(), "/sk/kvws.stats");
}

// Three periodic messages deleted at once, Cancel at the second: the first is cancelled at the
// service and leaves the archive, the second and third stay in both.
TEST(SentItemsService, CancelAtTheSecondOfThreePeriodicMessagesKeepsTheSecondAndThird) {
    TempDir simHome;
    ScopedDataHome dataHome;
    SimulatorProcess sim(QUILLON_SIM_PATH,
                         {"--state", (simHome.Path() / "sim").string(), "--admin", "--account",
                          "jan:secret:421905111222", "--start-time", std::to_string(kStart)});
    CSmsUserInfo jan("jan", "1.6", "QLN");
    jan.SetPassword("secret");
    jan.SetTransport(std::make_shared<CurlTransport>(TransportOptions{sim.Url(), sim.CaFile()}));
    ASSERT_EQ(jan.KvwsLogin(true), 0);
    std::vector<std::string> lines;
    for (int i = 0; i < 3; ++i) {
        SmsSentInfoList sent;
        std::int64_t messageId = 0;
        ASSERT_EQ(jan.KvwsSendScheduledSms("Denne", false, false, true, 5, kStart + 3600,
                                           {"421905333444"}, sent, messageId),
                  0);
        lines.push_back("scheduled=" + std::to_string(messageId));
        // The newest first, as the page sorts them: the first filed is the last row.
        CSmsArchiveItem* item =
            jan.GetArchive().AddScheduledItem("Denne", kStart + i, false, 1, true, 5, kStart + 3600,
                                              messageId, "Správa " + std::to_string(i));
        item->AddRecipient("Eva", "421905333444", 0);
    }

    ScriptedMessageBox boxes;
    FakeSentItemsDialogs dialogs;
    CServiceLock serviceLock;
    SentItemsPage page(jan, serviceLock, boxes, dialogs);
    page.show();
    auto* view = page.findChild<QTreeView*>("itemsTreeView");
    ASSERT_EQ(view->model()->rowCount(), 3);
    page.SelectAll();
    boxes.AnswerNext(IMessageBox::Answer::Yes);    // delete 3 items?
    boxes.AnswerNext(IMessageBox::Answer::Yes);    // ends the newest one's delivery?
    boxes.AnswerNext(IMessageBox::Answer::Cancel); // and the next one's: no more
    page.Delete();

    EXPECT_TRUE(QTest::qWaitFor([&] { return boxes.Shown().size() == 3; }, 30000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->model()->rowCount() == 2; }, 30000));
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{171, 212, 212}));
    EXPECT_EQ(jan.GetArchive().GetItemCount(), 2);
    const std::string account = sim.Admin("/admin/account/jan");
    EXPECT_EQ(account.find(lines[2]), std::string::npos) << "the newest, cancelled";
    EXPECT_NE(account.find(lines[1]), std::string::npos);
    EXPECT_NE(account.find(lines[0]), std::string::npos);
}

// The scheduled message dialog replaces a changed message at the service: the service keeps one
// scheduled message, and the dialog holds what the archive item becomes.
TEST(SentItemsService, AChangedScheduledMessageIsReplacedAtTheService) {
    TempDir simHome;
    ScopedDataHome dataHome;
    SimulatorProcess sim(QUILLON_SIM_PATH,
                         {"--state", (simHome.Path() / "sim").string(), "--admin", "--account",
                          "jan:secret:421905111222", "--start-time", std::to_string(kStart)});
    CSmsUserInfo jan("jan", "1.6", "QLN");
    jan.SetPassword("secret");
    jan.SetTransport(std::make_shared<CurlTransport>(TransportOptions{sim.Url(), sim.CaFile()}));
    ASSERT_EQ(jan.KvwsLogin(true), 0);
    SmsSentInfoList sent;
    std::int64_t messageId = 0;
    ASSERT_EQ(jan.KvwsSendScheduledSms("Pripomienka", false, false, true, 0, kStart + 7200,
                                       {"421905333444"}, sent, messageId),
              0);
    CSmsArchiveItem* item = jan.GetArchive().AddScheduledItem(
        "Pripomienka", kStart, false, 1, true, 0, kStart + 7200, messageId, "Pripomienka");
    item->AddRecipient("Eva", "421905333444", 0);

    ScriptedMessageBox boxes;
    ScheduledSmsDlg dialog(jan, boxes, ScheduledSms::Of(*item));
    dialog.show();
    dialog.findChild<CSmsEditCtrl*>("smsEditCtrl")->SetText("Pripomienka: porada o 10:00");
    QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
    // The call runs off the window's thread; the dialog closes once the service agreed.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.isVisible(); }, 30000));
    EXPECT_TRUE(boxes.Shown().empty());
    ASSERT_EQ(dialog.Outcome(), ScheduledSmsEdit::SaveOutcome::Replaced);
    const ScheduledSms& replaced = dialog.Editing().Current();
    EXPECT_EQ(replaced.text, "Pripomienka: porada o 10:00");
    EXPECT_EQ(replaced.recipients, (std::vector<Recipient>{{"Eva", "421905333444"}}));
    const std::string account = sim.Admin("/admin/account/jan");
    EXPECT_NE(account.find("scheduled="), std::string::npos);
}

} // namespace
