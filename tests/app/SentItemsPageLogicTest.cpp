#include "SentItemsFixture.h"

#include "frontend/ArchiveRows.h"
#include "logic/ProgramStrings.h"
#include "logic/SentItemsPageLogic.h"

namespace {

using Answer = IMessageBox::Answer;

// Notes what the logic told its view.
class RecordingObserver : public ISentItemsRowsObserver {
public:
    void BeginReset() override { events.push_back("reset"); }
    void EndReset() override {}
    void BeginRemove(int row) override { events.push_back("remove " + std::to_string(row)); }
    void EndRemove() override {}
    void Changed(int row) override { events.push_back("changed " + std::to_string(row)); }
    std::vector<std::string> events;
};

class SentItemsPageLogicTest : public SentItemsFixture {
protected:
    SentItemsPageLogicTest() { logic.SetObserver(&observer); }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int i = 0; i < logic.RowCount(); ++i)
            names.push_back(AnsiTextToUtf8(logic.Row(i).name));
        return names;
    }
    std::vector<int> AllRows() const {
        std::vector<int> rows;
        for (int i = 0; i < logic.RowCount(); ++i)
            rows.push_back(i);
        return rows;
    }

    SentItemsPageLogic logic{user, boxes, runner};
    RecordingObserver observer;
};

TEST_F(SentItemsPageLogicTest, RowsShowNameIconTimeAndTheTextOnOneLine) {
    Sent("Ahoj\r\nako sa máš?\nDobre", "Peter", 11);
    Group("Porada", "Kolegovia", 20);
    Scheduled("Budík", 500, 0);
    logic.Fill(false);

    ASSERT_EQ(logic.RowCount(), 3);
    // Newest first; all three were sent at the same second, so the archive's order stays.
    EXPECT_EQ(Names(), (std::vector<std::string>{"Budík", "Kolegovia", "Peter"}));
    EXPECT_EQ(logic.Row(0).icon, ArchiveRows::Scheduled);
    EXPECT_EQ(logic.Row(1).icon, ArchiveRows::Group);
    EXPECT_EQ(logic.Row(2).icon, ArchiveRows::Pending);
    EXPECT_EQ(AnsiTextToUtf8(logic.Row(2).text), "Ahoj ako sa máš? Dobre");
    EXPECT_EQ(logic.CountLabel(), "3/3");
}

TEST_F(SentItemsPageLogicTest, OnlyDeliveredShowsMessagesWithoutAReportButNotThoseStillOnTheWay) {
    Sent("bez potvrdenky", "A", 0);
    Sent("na ceste", "B", 12);
    Sent("doručená", "C", 13)->SetStatus(13, CSmsRecipientInfo::Delivered, kNow + 5);
    Scheduled("Plán", 501, 0);

    EXPECT_FALSE(logic.ChooseFilter(dialogs)); // cancelled
    dialogs.filterAnswer = ArchiveRows::OnlyDelivered;
    EXPECT_TRUE(logic.ChooseFilter(dialogs));
    EXPECT_EQ(dialogs.filterAskedWith, ArchiveRows::All);
    EXPECT_EQ(Names(), (std::vector<std::string>{"C", "A"}));
    EXPECT_EQ(logic.CountLabel(), "2/4");

    logic.SetFilter(ArchiveRows::OnlyUndelivered);
    EXPECT_EQ(Names(), (std::vector<std::string>{"B", "A"}));
    logic.SetFilter(ArchiveRows::OnlyScheduled);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Plán"}));
}

TEST_F(SentItemsPageLogicTest, SortsByEachColumnBothWays) {
    Sent("b text", "Zuzana", 1, kNow - 30);
    Sent("C text", "adam", 2, kNow - 10);
    Group("a text", "Skupina", 10, kNow - 20);
    logic.Fill(false);
    EXPECT_EQ(Names(), (std::vector<std::string>{"adam", "Skupina", "Zuzana"})); // newest first

    logic.SortBy(ArchiveRows::TimeColumn);
    EXPECT_TRUE(logic.Ascending());
    EXPECT_EQ(Names(), (std::vector<std::string>{"Zuzana", "Skupina", "adam"}));

    // A group sorts by an empty name; case does not count.
    logic.SortBy(ArchiveRows::NameColumn);
    EXPECT_TRUE(logic.Ascending());
    EXPECT_EQ(Names(), (std::vector<std::string>{"Skupina", "adam", "Zuzana"}));
    logic.SortBy(ArchiveRows::NameColumn);
    EXPECT_FALSE(logic.Ascending());
    EXPECT_EQ(Names(), (std::vector<std::string>{"Zuzana", "adam", "Skupina"}));

    logic.SortBy(ArchiveRows::TextColumn);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Skupina", "Zuzana", "adam"}));
    EXPECT_EQ(logic.SortColumn(), ArchiveRows::TextColumn);
}

TEST_F(SentItemsPageLogicTest, IncrementalFillTakesOnlyTheNewItems) {
    Sent("prvá", "A", 1, kNow - 10);
    logic.Fill(true); // the archive never counted: everything
    ASSERT_EQ(logic.RowCount(), 1);

    Sent("druhá", "B", 2);
    logic.Fill(true);
    EXPECT_EQ(Names(), (std::vector<std::string>{"B", "A"}));
    EXPECT_EQ(Archive().GetNewItemCount(), 0);
    logic.Fill(true);
    EXPECT_EQ(logic.RowCount(), 2);
}

TEST_F(SentItemsPageLogicTest, ADeliveryReportRedrawsItsRowOnly) {
    CSmsArchiveItem* item = Sent("správa", "A", 31);
    Sent("iná", "B", 32, kNow - 5);
    logic.Fill(false);
    observer.events.clear();

    item->SetStatus(31, CSmsRecipientInfo::Delivered, kNow + 60);
    logic.ItemChanged(*ArchiveItemKey::Of(*item));
    EXPECT_EQ(observer.events, (std::vector<std::string>{"changed 0"}));
    EXPECT_EQ(logic.Row(0).icon, ArchiveRows::Delivered);

    Archive().GetItem(1)->SetStatus(32, CSmsRecipientInfo::Undeliverable, kNow + 60);
    logic.ItemChanged(ArchiveItemKey{false, 32});
    EXPECT_EQ(logic.Row(1).icon, ArchiveRows::NotDelivered);
}

TEST_F(SentItemsPageLogicTest, ANotificationFollowsTheFilter) {
    CSmsArchiveItem* hidden = Sent("na ceste", "A", 41);
    CSmsArchiveItem* shown = Sent("bez potvrdenky", "B", 0);
    (void)shown;
    logic.SetFilter(ArchiveRows::OnlyDelivered);
    ASSERT_EQ(Names(), (std::vector<std::string>{"B"}));
    observer.events.clear();

    // Still not delivered: still no row.
    hidden->SetStatus(41, CSmsRecipientInfo::NotDelivered, kNow + 10);
    logic.ItemChanged(ArchiveItemKey{false, 41});
    EXPECT_EQ(Names(), (std::vector<std::string>{"B"}));
    EXPECT_TRUE(observer.events.empty() || observer.events == std::vector<std::string>{"reset"});

    // Delivered now: it comes into the list although the archive counts nothing new.
    hidden->SetStatus(41, CSmsRecipientInfo::Delivered, kNow + 20);
    logic.ItemChanged(ArchiveItemKey{false, 41});
    EXPECT_EQ(logic.RowCount(), 2);

    // Under "Iba nedoručené" a delivery takes the row away.
    logic.SetFilter(ArchiveRows::OnlyUndelivered);
    CSmsArchiveItem* waiting = Sent("čaká", "C", 42);
    logic.Fill(true);
    ASSERT_EQ(logic.RowOf(SentItemId::Of(*waiting)), 0);
    observer.events.clear();
    waiting->SetStatus(42, CSmsRecipientInfo::Delivered, kNow + 30);
    logic.ItemChanged(ArchiveItemKey{false, 42});
    EXPECT_EQ(observer.events, (std::vector<std::string>{"remove 0"}));
    EXPECT_EQ(logic.RowOf(SentItemId::Of(*waiting)), -1);
}

TEST_F(SentItemsPageLogicTest, DeletingOneAsksOnceWithNoAsDefault) {
    Sent("a", "A", 1);
    logic.Fill(false);
    logic.Delete({0}); // unscripted: the default button, No
    ASSERT_EQ(boxes.ShownIds(), std::vector<int>{ProgramString::DeleteOne});
    EXPECT_EQ(boxes.Last().buttons, IMessageBox::Buttons::YesNo);
    EXPECT_EQ(boxes.Last().defaultButton, Answer::No);
    EXPECT_EQ(Archive().GetItemCount(), 1);

    bool finished = false;
    boxes.AnswerNext(Answer::Yes);
    logic.Delete({0}, [&] { finished = true; });
    EXPECT_TRUE(finished);
    EXPECT_EQ(Archive().GetItemCount(), 0);
    EXPECT_EQ(logic.RowCount(), 0);
    EXPECT_EQ(Archive().GetNewItemCount(), 0);
    EXPECT_EQ(logic.CountLabel(), "0/0");
    EXPECT_TRUE(transport->Requests().empty());
}

// Three periodic messages, Cancel at the second: the first goes only when the service took the
// cancellation (0, or 69 when it had none), the other two stay.
class PeriodicDeleteTest : public SentItemsPageLogicTest,
                           public ::testing::WithParamInterface<std::pair<int, bool>> {};

TEST_P(PeriodicDeleteTest, CancelAtTheSecondKeepsTheRest) {
    const auto [status, deleted] = GetParam();
    Scheduled("tretia", 603, 1, kNow - 20);
    Scheduled("druhá", 602, 1, kNow - 10);
    Scheduled("prvá", 601, 1, kNow);
    logic.Fill(false);
    ASSERT_EQ(Names(), (std::vector<std::string>{"prvá", "druhá", "tretia"}));
    if (status < 0)
        transport->Fail(12);
    else
        transport->Answer("deleteSMS", Reply::Status(status) + Reply::Token("T2"));

    boxes.AnswerNext(Answer::Yes);    // delete three records?
    boxes.AnswerNext(Answer::Yes);    // the first
    boxes.AnswerNext(Answer::Cancel); // the second
    logic.Delete(AllRows());

    ASSERT_EQ(boxes.ShownIds(),
              (std::vector<int>{ProgramString::DeleteSeveral, ProgramString::DeletePeriodic,
                                ProgramString::DeletePeriodic}));
    EXPECT_NE(boxes.Shown()[0].text.find('3'), std::string::npos);
    EXPECT_NE(boxes.Shown()[1].text.find("prvá"), std::string::npos);
    EXPECT_EQ(boxes.Shown()[1].buttons, IMessageBox::Buttons::YesNoCancel);
    EXPECT_EQ(boxes.Shown()[1].defaultButton, Answer::No);
    ASSERT_EQ(transport->Operations(), std::vector<std::string>{"deleteSMS"});
    EXPECT_EQ(transport->Request(0).Text("messageid"), "601");
    EXPECT_EQ(Archive().GetItemCount(), deleted ? 2 : 3);
    EXPECT_EQ(logic.RowCount(), deleted ? 2 : 3);
    EXPECT_EQ(Names().back(), "tretia");
}

INSTANTIATE_TEST_SUITE_P(ServiceAnswers, PeriodicDeleteTest,
                         ::testing::Values(std::pair{0, true}, std::pair{69, true},
                                           std::pair{27, false}, std::pair{-1, false}));

TEST_F(SentItemsPageLogicTest, NoForOnePeriodicKeepsItAndGoesOn) {
    Sent("obyčajná", "A", 1, kNow - 10);
    Scheduled("denná", 700, 1);
    logic.Fill(false);
    boxes.AnswerNext(Answer::Yes);
    boxes.AnswerNext(Answer::No);
    logic.Delete(AllRows());
    EXPECT_EQ(Names(), std::vector<std::string>{"denná"});
    EXPECT_TRUE(transport->Requests().empty());

    // Alone it is asked with Yes and No only; a one-off message is not asked at all.
    boxes.Clear();
    boxes.AnswerNext(Answer::Yes);
    logic.Delete({0});
    EXPECT_EQ(boxes.Last().stringId, ProgramString::DeletePeriodic);
    EXPECT_EQ(boxes.Last().buttons, IMessageBox::Buttons::YesNo);
}

TEST_F(SentItemsPageLogicTest, AnEditedScheduledMessageGoesIntoTheArchive) {
    Scheduled("ranná", 800, 0);
    Sent("obyčajná", "A", 1, kNow - 10);
    logic.Fill(false);

    logic.ShowDetails(1, dialogs);
    EXPECT_EQ(dialogs.detailsShown, 1);
    EXPECT_EQ(dialogs.scheduledShown, 0);

    logic.ShowDetails(0, dialogs); // closed without a change
    EXPECT_EQ(dialogs.scheduledShown, 1);
    EXPECT_EQ(AnsiTextToUtf8(logic.Row(0).name), "ranná");
}

TEST_F(SentItemsPageLogicTest, ForwardTakesTheTextAndTheFlashFlag) {
    Archive().AddItem("blesk", "A", "421905000001", kNow, true, 5, 1);
    logic.Fill(false);
    std::string text;
    bool flash = false;
    ASSERT_TRUE(logic.ForwardText(0, text, flash));
    EXPECT_EQ(text, "blesk");
    EXPECT_TRUE(flash);
    EXPECT_FALSE(logic.ForwardText(1, text, flash));
}

TEST(SentItemsStatistics, TheLinkGoesToTheServicesHostWithTheTokenEncoded) {
    EXPECT_EQ(SentItemsPageLogic::StatisticsUrl("https://127.0.0.1:4443/sk/!kvws.sms", "AB12"),
              "https://127.0.0.1:4443/sk/kvws.stats?token=AB12");
    EXPECT_EQ(SentItemsPageLogic::StatisticsUrl("https://sms.velora.sk", "a b&c=d"),
              "https://sms.velora.sk/sk/kvws.stats?token=a%20b%26c%3Dd");
    EXPECT_EQ(SentItemsPageLogic::StatisticsUrl("", "AB12"), "");
}

} // namespace
