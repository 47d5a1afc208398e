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

// jan, logged in to the simulator, with scheduled messages sent there and filed in the archive.
class SentItemsService : public ::testing::Test {
protected:
    void SetUp() override {
        jan.SetPassword("secret");
        jan.SetTransport(
            std::make_shared<CurlTransport>(TransportOptions{sim.Url(), sim.CaFile()}));
        ASSERT_EQ(jan.KvwsLogin(true), 0);
    }

    // Sends a scheduled message to Eva and files it as sent at sentTime; its message id.
    std::int64_t Schedule(const std::string& text, int periodicity, std::int64_t deliverAt,
                          std::int64_t sentTime, const std::string& name) {
        SmsSentInfoList sent;
        std::int64_t messageId = 0;
        EXPECT_EQ(jan.KvwsSendScheduledSms(text, false, false, true, periodicity, deliverAt,
                                           {"421905333444"}, sent, messageId),
                  0);
        item = jan.GetArchive().AddScheduledItem(text, sentTime, false, 1, true, periodicity,
                                                 deliverAt, messageId, name);
        item->AddRecipient("Eva", "421905333444", 0);
        return messageId;
    }

    TempDir simHome;
    ScopedDataHome dataHome;
    SimulatorProcess sim{QUILLON_SIM_PATH,
                         {"--state", (simHome.Path() / "sim").string(), "--admin", "--account",
                          "jan:secret:421905111222", "--start-time", std::to_string(kStart)}};
    CSmsUserInfo jan{"jan", "1.6", "QLN"};
    CSmsArchiveItem* item = nullptr; // the last one filed
};

TEST_F(SentItemsService, DeletingAScheduledMessageCancelsItAtTheService) {
    const std::int64_t messageId = Schedule("Pripomienka", 0, kStart + 3600, kStart, "Pripomienka");
    ASSERT_GT(messageId, 0);
    const std::string line = "scheduled=" + std::to_string(messageId);
    ASSERT_NE(sim.Admin("/admin/account/jan").find(line), std::string::npos);

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
TEST_F(SentItemsService, CancelAtTheSecondOfThreePeriodicMessagesKeepsTheSecondAndThird) {
    std::vector<std::string> lines;
    // The newest first, as the page sorts them: the first filed is the last row.
    for (int i = 0; i < 3; ++i)
        lines.push_back("scheduled=" +
                        std::to_string(Schedule("Denne", 5, kStart + 3600, kStart + i,
                                                "Správa " + std::to_string(i))));

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
TEST_F(SentItemsService, AChangedScheduledMessageIsReplacedAtTheService) {
    Schedule("Pripomienka", 0, kStart + 7200, kStart, "Pripomienka");

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
