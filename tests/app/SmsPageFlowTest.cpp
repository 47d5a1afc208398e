#include "ScriptedMessageBox.h"
#include "SessionFixture.h"

#include "frontend/CharacterFilter.h"
#include "frontend/ImmediateCallRunner.h"
#include "logic/ISmsPageDialogs.h"
#include "logic/ProgramStrings.h"
#include "logic/SmsPageFlow.h"
#include "model/SmsAddressBook.h"
#include "model/SmsArchive.h"
#include "model/SmsArchiveItem.h"
#include "model/Utilities.h"

#include <algorithm>
#include <filesystem>

namespace {

using Strings = std::vector<std::string>;

class ScriptedPageDialogs : public ISmsPageDialogs {
public:
    std::optional<RecipientList::NumberChoice> number;
    std::optional<std::vector<RecipientEntry>> chosen;
    std::optional<ScheduleChoice> schedule;
    int numberAsked = 0;
    int scheduleAsked = 0;

    std::optional<RecipientList::NumberChoice> ChooseNumber(const CSmsAddressBookItem&) override {
        ++numberAsked;
        return number;
    }
    std::optional<std::vector<RecipientEntry>>
    ChooseRecipients(const std::vector<RecipientEntry>&) override {
        return chosen;
    }
    std::optional<ScheduleChoice> ChooseSchedule(std::int64_t) override {
        ++scheduleAsked;
        return schedule;
    }
};

class RecordingView : public ISmsPageView {
public:
    ComposedMessage message{"Ahoj", false, 1, false};
    std::vector<RecipientEntry> entries;
    Strings history;
    int cleared = 0;
    int creditChanges = 0;
    std::vector<bool> sending;

    ComposedMessage Message() const override { return message; }
    void ShowEntries(const std::vector<RecipientEntry>& shown) override { entries = shown; }
    void ShowHistory(const Strings& shown) override { history = shown; }
    void ShowSending(bool on) override { sending.push_back(on); }
    void ClearMessage(int) override { ++cleared; }
    void CreditChanged() override { ++creditChanges; }
};

Strings Recipients(const ParsedRequest& request) {
    Strings numbers;
    for (pugi::xml_node item : request.Find("recipients").children())
        numbers.push_back(item.text().as_string());
    return numbers;
}

std::string SentItem(const std::string& number, std::int64_t smsId) {
    return "<item mobile=\"" + number + "\"><smsid>" + std::to_string(smsId) + "</smsid></item>";
}

std::string SentReply(const std::string& items, const std::string& statusAttributes = {}) {
    return Reply::Status(0, statusAttributes) + Reply::Token("T2") + "<recipients>" + items +
           "</recipients>";
}

class SmsPageFlowTest : public SessionFixture {
protected:
    void SetUp() override {
        LogIn();
        CSmsAddressBook& book = user.GetAddressBook();
        book.AddContact("Eva", "0903111111", "");
        book.AddContact("Jana", "0903222222", "0903333333");
        book.AddContact("Zlé", "12", "");
        book.AddGroup("Rodina");
        book.AddGroupMember("Rodina", "Eva");
        book.AddGroupMember("Rodina", "Zlé");
        flow.Initialise();
    }

    ParsedRequest LastRequest() const {
        return transport->Request(transport->Requests().size() - 1);
    }
    void AnswerSend(const std::string& items) {
        transport->Answer("sendSMS", SentReply(items))
            .Answer("getOBK", Reply::Status(0) + "<OBK>20</OBK>");
    }
    bool ProfileSaved() const {
        for (const auto& file : std::filesystem::recursive_directory_iterator(dataHome.Path()))
            if (file.path().extension() == ".dat" && file.path().stem() == "jan.novak")
                return true;
        return false;
    }
    std::vector<const CSmsArchiveItem*> Items() {
        std::vector<const CSmsArchiveItem*> items;
        for (int i = 0; i < user.GetArchive().GetItemCount(); ++i)
            items.push_back(user.GetArchive().GetItem(i));
        return items;
    }

    ScriptedMessageBox boxes;
    ScriptedPageDialogs dialogs;
    ImmediateCallRunner runner;
    RecordingView view;
    SmsPageFlow flow{user, boxes, dialogs, runner, view, ProgramStrings()};
};

TEST_F(SmsPageFlowTest, TypedRecipientsFollowTheAddRules) {
    using R = SmsPageFlow::AddResult;
    EXPECT_EQ(flow.AddTyped("  0903 123 456 "), R::Added);
    EXPECT_EQ(flow.AddTyped("0903 123 456"), R::AlreadyListed);
    EXPECT_EQ(flow.AddTyped("rodina"), R::Added); // a group, ignoring case
    EXPECT_EQ(flow.AddTyped("Eva"), R::Added);
    EXPECT_TRUE(boxes.Shown().empty());

    EXPECT_EQ(flow.AddTyped("Nikto"), R::NotFound);
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{141}));
    EXPECT_EQ(boxes.Last().icon, IMessageBox::Icon::Exclamation);

    ASSERT_EQ(view.entries.size(), 3u);
    EXPECT_EQ(view.entries[0].kind, RecipientEntry::Number);
    EXPECT_EQ(view.entries[1].kind, RecipientEntry::Group);
    EXPECT_EQ(view.entries[2].kind, RecipientEntry::Contact);
    // The history names what was added, newest first.
    ASSERT_GE(view.history.size(), 3u);
    EXPECT_EQ(view.history[0], "Eva");
    EXPECT_EQ(view.history[1], "Rodina");
}

TEST_F(SmsPageFlowTest, AContactWithTwoNumbersAsksWhichOne) {
    EXPECT_EQ(flow.AddTyped("Jana"), SmsPageFlow::AddResult::NotChosen);
    EXPECT_TRUE(flow.Entries().empty());
    dialogs.number = RecipientList::NumberChoice::Second;
    EXPECT_EQ(flow.AddTyped("Jana"), SmsPageFlow::AddResult::Added);
    ASSERT_EQ(flow.Entries().size(), 1u);
    EXPECT_TRUE(flow.Entries()[0].IsSecondNumber());
    dialogs.number = RecipientList::NumberChoice::First;
    EXPECT_EQ(flow.AddTyped("Jana"), SmsPageFlow::AddResult::Added);
    EXPECT_EQ(dialogs.numberAsked, 3);
    EXPECT_EQ(flow.Entries().size(), 2u);
}

TEST_F(SmsPageFlowTest, NothingToSendStopsBeforeTheService) {
    view.message.text = " \r\n ";
    flow.AddTyped("0903123456");
    flow.Send();
    view.message.text = "Ahoj";
    flow.RemoveAt(0);
    flow.Send();
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{154, 142}));
    EXPECT_EQ(transport->Operations(), (Strings{"Login"}));
}

TEST_F(SmsPageFlowTest, SendToGroupContactAndNumbersFilesEachWithItsId) {
    user.SetDeliveryReport(1);
    flow.AddTyped("Rodina");
    flow.AddTyped("Eva");
    flow.AddTyped("0903111111"); // the same number as Eva's: sent twice
    view.message.text = " Riadok\r\ndruhy ";
    AnswerSend(SentItem("421903111111", 11) + SentItem("421903111111", 12) +
               SentItem("421903111111", 13) + SentItem("421900000009", 19));
    flow.Send();

    const ParsedRequest request = transport->Request(1);
    // The group's member with an invalid number is left out.
    EXPECT_EQ(Recipients(request), (Strings{"421903111111", "421903111111", "421903111111"}));
    EXPECT_EQ(request.Text("text"), EncodeAmpChars("Riadok\ndruhy"));
    EXPECT_EQ(transport->Operations().back(), "getOBK");

    const auto items = Items();
    ASSERT_EQ(items.size(), 4u);
    std::vector<std::pair<std::string, std::int64_t>> filed;
    for (const CSmsArchiveItem* item : items)
        for (int i = 0; i < item->GetRecipientCount(); ++i)
            filed.emplace_back(item->GetRecipient(i)->GetOrigNr(),
                               item->GetRecipient(i)->GetSmsId());
    // The contact, the group's member with a result, the typed number, and the result that
    // matched no entry.
    std::sort(filed.begin(), filed.end());
    EXPECT_EQ(filed, (std::vector<std::pair<std::string, std::int64_t>>{
                         {"+421900000009", 19}, {"0903111111", 13}, {"Eva", 11}, {"Eva", 12}}));
    EXPECT_EQ(items[0]->GetSmsText(), "Riadok\r\ndruhy");

    EXPECT_TRUE(ProfileSaved());
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{167}));
    EXPECT_EQ(view.creditChanges, 1);
    EXPECT_EQ(view.cleared, 1);
    EXPECT_TRUE(flow.Entries().empty());
    EXPECT_EQ(view.sending, (std::vector<bool>{true, false}));
}

TEST_F(SmsPageFlowTest, ArchivingOffFilesNothingAndDoesNotSave) {
    user.SetDoArchive(0);
    user.SetDeliveryReport(1);
    flow.AddTyped("0903123456");
    AnswerSend(SentItem("421903123456", 5));
    flow.Send();
    EXPECT_EQ(LastRequest().Operation(), "getOBK");
    EXPECT_EQ(transport->Request(1).Find("service").attribute("notification").value(),
              std::string("false"));
    EXPECT_TRUE(Items().empty());
    EXPECT_FALSE(ProfileSaved());
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{167}));
}

TEST_F(SmsPageFlowTest, RefusedOrFailedSendKeepsThePage) {
    flow.AddTyped("0903123456");
    transport->Answer("sendSMS", Reply::Status(97));
    flow.Send();
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Last().icon, IMessageBox::Icon::Exclamation);
    EXPECT_EQ(boxes.Last().text, "Požiadavku nebolo možné uskutočniť\n\nChyba E97");

    transport->Fail(21);
    flow.Send();
    EXPECT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(flow.Entries().size(), 1u);
    EXPECT_EQ(view.cleared, 0);
    EXPECT_TRUE(Items().empty());
    EXPECT_FALSE(flow.IsSending());
}

TEST_F(SmsPageFlowTest, AFailedCreditRefreshStillFilesTheMessage) {
    flow.AddTyped("0903123456");
    transport->Answer("sendSMS", SentReply(SentItem("421903123456", 5))).Fail(21);
    flow.Send();
    EXPECT_EQ(Items().size(), 1u);
    EXPECT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.ShownIds().back(), 167);
    EXPECT_EQ(view.creditChanges, 0);
}

TEST_F(SmsPageFlowTest, SendLaterCancelledSendsNothingAndKeepsThePage) {
    view.message.sendLater = true;
    flow.AddTyped("0903123456");
    flow.Send();
    EXPECT_EQ(dialogs.scheduleAsked, 1);
    EXPECT_EQ(transport->Operations(), (Strings{"Login"}));
    EXPECT_EQ(flow.Entries().size(), 1u);
    EXPECT_EQ(view.cleared, 0);
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(SmsPageFlowTest, SendLaterFilesOneScheduledItem) {
    view.message.sendLater = true;
    dialogs.schedule = ScheduleChoice{kNow + 3600, 5, "Pripomienka"};
    flow.AddTyped("Eva");
    flow.AddTyped("0903123456");
    transport
        ->Answer("sendSMS", SentReply("<item mobile=\"421903111111\"/>"
                                      "<item mobile=\"421903123456\"/>"
                                      "<item mobile=\"421900000009\"/>",
                                      "messageid=\"77\""))
        .Answer("getOBK", Reply::Status(0) + "<OBK>3</OBK>");
    flow.Send();
    EXPECT_EQ(transport->Request(1).Find("service").attribute("periodicity").value(),
              std::string("5"));
    const auto items = Items();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->GetMessageId(), 77);
    Strings names;
    for (int i = 0; i < items[0]->GetRecipientCount(); ++i)
        names.push_back(items[0]->GetRecipient(i)->GetOrigNr());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Strings{"+421900000009", "0903123456", "Eva"}));
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{214}));
    EXPECT_EQ(view.cleared, 1);
}

TEST_F(SmsPageFlowTest, DeletedGroupsAndContactsAreNamedAndSkipped) {
    flow.AddTyped("Rodina");
    flow.AddTyped("Eva");
    flow.AddTyped("0903123456");
    CSmsAddressBook& book = user.GetAddressBook();
    book.DelGroupByID(book.GetGroupByName("Rodina")->GetID());
    book.DelContactByID(book.GetItemByName("Eva")->GetID());
    AnswerSend(SentItem("421903123456", 5));
    flow.Send();
    EXPECT_EQ(Recipients(transport->Request(1)), (Strings{"421903123456"}));
    ASSERT_GE(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[0].text, "Skupina [Rodina] bola vymazaná z adresára");
    EXPECT_EQ(boxes.Shown()[1].text, "Kontakt [Eva] bol vymazaný z adresára");
}

TEST_F(SmsPageFlowTest, EnterKeyModes) {
    flow.AddTyped("0903123456");
    transport->Answer("sendSMS", Reply::Status(28)).Answer("sendSMS", Reply::Status(28));
    // Mode 0: Enter breaks the line, Ctrl+Enter sends.
    EXPECT_TRUE(flow.OnEditorKey(CharacterFilter::Enter));
    EXPECT_FALSE(flow.OnEditorKey(CharacterFilter::CtrlEnter));
    EXPECT_EQ(transport->Operations().size(), 2u);
    EXPECT_FALSE(flow.OnEditorKey(CharacterFilter::Escape));
    EXPECT_TRUE(flow.OnEditorKey(CharacterFilter::Tab));
    // Mode 1: the other way round.
    user.SetEnterKeyMode(CSmsUserInfo::EnterSends);
    EXPECT_TRUE(flow.OnEditorKey(CharacterFilter::CtrlEnter));
    EXPECT_FALSE(flow.OnEditorKey(CharacterFilter::Enter));
    EXPECT_EQ(transport->Operations().size(), 3u);
    // Any other mode swallows both.
    user.SetEnterKeyMode(7);
    EXPECT_FALSE(flow.OnEditorKey(CharacterFilter::Enter));
    EXPECT_FALSE(flow.OnEditorKey(CharacterFilter::CtrlEnter));
    EXPECT_EQ(transport->Operations().size(), 3u);
}

TEST_F(SmsPageFlowTest, EnterInTheRecipientField) {
    transport->Answer("sendSMS", Reply::Status(28));
    flow.OnRecipientEnter("0903123456", true); // Ctrl+Enter with text adds
    EXPECT_EQ(flow.Entries().size(), 1u);
    flow.OnRecipientEnter("  ", true); // an empty field sends in mode 0
    EXPECT_EQ(transport->Operations().size(), 2u);
    user.SetEnterKeyMode(CSmsUserInfo::EnterSends);
    flow.OnRecipientEnter("", true);
    EXPECT_EQ(transport->Operations().size(), 2u);
}

TEST_F(SmsPageFlowTest, ChooserAndLinkNumbersChangeTheEntries) {
    flow.AddTyped("Eva");
    flow.ChooseFromBook(); // cancelled
    EXPECT_EQ(flow.Entries().size(), 1u);
    dialogs.chosen = std::vector<RecipientEntry>{RecipientEntry::OfNumber("0903999999")};
    flow.ChooseFromBook();
    ASSERT_EQ(view.entries.size(), 1u);
    EXPECT_EQ(view.entries[0].name, "0903999999");
    flow.AddNumbers({"+421903888888", "nie", "0903999999"});
    EXPECT_EQ(flow.Entries().size(), 2u);
}

} // namespace
