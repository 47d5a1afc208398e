#include "logic/ScheduledSmsEdit.h"

#include "../service/SessionFixture.h"
#include "ScriptedMessageBox.h"
#include "frontend/ImmediateCallRunner.h"
#include "logic/ProgramStrings.h"
#include "model/Utilities.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using Outcome = ScheduledSmsEdit::SaveOutcome;

std::string SentReply(const std::string& items) {
    return Reply::Status(0) + Reply::Token("T2") + "<recipients>" + items + "</recipients>";
}

ScheduledSms Message() {
    ScheduledSms message;
    message.messageId = 4242;
    message.schedule = {SessionFixture::kNow + 86400, 5, "Ranná", true};
    message.text = "Dobre rano\r\nsvet";
    message.recipients = {{"Jana", "421903000001"}, {"0903000002", "421903000002"}};
    message.states = {CSmsRecipientInfo::Delivered, CSmsRecipientInfo::Pending};
    return message;
}

class ScheduledEdit : public SessionFixture {
protected:
    void SetUp() override {
        LogIn();
        user.GetAddressBook().AddContact("Peter", "0903000003", "");
        user.GetAddressBook().AddContact("Eva", "0903000004", "0903000005");
        user.GetAddressBook().AddGroup("Rodina");
    }
    Outcome Save(const std::string& text) {
        std::optional<Outcome> outcome;
        edit.Save(text, [&](Outcome o) { outcome = o; });
        EXPECT_TRUE(outcome.has_value());
        return outcome.value_or(Outcome::Failed);
    }
    ParsedRequest LastRequest() const {
        return transport->Request(transport->Requests().size() - 1);
    }
    std::size_t Calls() const { return transport->Requests().size(); }

    ScriptedMessageBox boxes;
    ImmediateCallRunner runner;
    ScheduledSmsEdit edit{user, BuiltInProgramStrings(), boxes, runner, Message()};
};

} // namespace

TEST_F(ScheduledEdit, TheChecksBeforeAnyCall) {
    const std::size_t before = Calls();
    EXPECT_EQ(Save(" \r\n "), Outcome::Refused);
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{154}));
    edit.RemoveRecipient(1);
    edit.RemoveRecipient(0);
    edit.RemoveRecipient(5); // nothing there
    EXPECT_EQ(Save("Text"), Outcome::Refused);
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{154, 142}));
    EXPECT_EQ(Calls(), before);
}

TEST_F(ScheduledEdit, UnchangedClosesWithoutACall) {
    const std::size_t before = Calls();
    // The editor's line breaks and blanks at the ends are no change.
    EXPECT_EQ(Save("  Dobre rano\r\nsvet\r\n"), Outcome::Unchanged);
    // A name of its own is kept without a call: the service does not know it.
    edit.SetName("Iná");
    EXPECT_EQ(Save("Dobre rano\nsvet"), Outcome::Renamed);
    EXPECT_EQ(Calls(), before);
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(ScheduledEdit, ChangesCountAndTheScheduleGoesOnlyWhenChanged) {
    EXPECT_FALSE(edit.IsChanged(Message().text));
    edit.SetFlash(true);
    EXPECT_TRUE(edit.IsChanged(Message().text));
    edit.SetFlash(false);
    edit.SetReport(false);
    EXPECT_TRUE(edit.IsChanged(Message().text));
    edit.SetReport(true);
    EXPECT_FALSE(edit.IsScheduleChanged());

    transport->Answer("replaceSMS", SentReply("<item mobile=\"421903000001\"/>"
                                              "<item mobile=\"421903000002\"/>"));
    ASSERT_EQ(Save("Nový text"), Outcome::Replaced);
    ParsedRequest request = LastRequest();
    EXPECT_EQ(request.Operation(), "replaceSMS");
    EXPECT_EQ(request.Text("messageid"), "4242");
    EXPECT_FALSE(request.Find("service").attribute("deliverAt"));
    EXPECT_FALSE(request.Find("service").attribute("periodicity"));
    EXPECT_EQ(edit.Current().text, "Nový text");
    // Replaced recipients start again as waiting for delivery.
    EXPECT_EQ(edit.Current().states,
              (std::vector{CSmsRecipientInfo::Pending, CSmsRecipientInfo::Pending}));

    edit.SetSchedule({SessionFixture::kNow + 7200, 1, "", false});
    EXPECT_EQ(edit.Current().schedule.name, "Ranná"); // an empty name keeps the message's
    EXPECT_TRUE(edit.Current().schedule.report);      // the report is not the schedule's
    transport->Answer("replaceSMS", SentReply("<item mobile=\"421903000001\"/>"));
    ASSERT_EQ(Save("Dobre rano\r\nsvet"), Outcome::Replaced);
    request = LastRequest();
    EXPECT_EQ(request.Find("service").attribute("periodicity").value(), std::string("1"));
    EXPECT_TRUE(request.Find("service").attribute("deliverAt"));
    EXPECT_EQ(request.Text("text"), EncodeAmpChars("Dobre rano\nsvet"));
    // The recipient without a result is gone.
    EXPECT_EQ(edit.Current().recipients, (std::vector<Recipient>{{"Jana", "421903000001"}}));
}

TEST_F(ScheduledEdit, ARefusalOrAFailureKeepsTheMessage) {
    transport->Answer("replaceSMS", Reply::Status(67));
    EXPECT_EQ(Save("Nový"), Outcome::Failed);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Last().stringId, 367); // the service's own text for the status
    EXPECT_EQ(boxes.Last().icon, IMessageBox::Icon::Stop);
    transport->Fail(12029);
    EXPECT_EQ(Save("Nový"), Outcome::Failed);
    EXPECT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(edit.Current().text, Message().text);
    EXPECT_EQ(edit.Current().recipients, Message().recipients);
}

TEST_F(ScheduledEdit, RecipientsAddedAsOnTheComposePage) {
    using Add = ScheduledSmsEdit::AddOutcome;
    EXPECT_EQ(edit.AddRecipient(" 0903 000 006 "), Add::Added);
    EXPECT_EQ(edit.Current().recipients.back(), (Recipient{"0903000006", "421903000006"}));
    EXPECT_EQ(edit.AddRecipient("0903000006"), Add::AlreadyListed);
    EXPECT_EQ(edit.AddRecipient("peter"), Add::Added);
    EXPECT_EQ(edit.Current().recipients.back(), (Recipient{"Peter", "421903000003"}));
    // A contact with two numbers asks which; no answer adds nothing.
    std::optional<RecipientList::NumberChoice> answer = RecipientList::NumberChoice::Second;
    edit.SetNumberChooser([&](const CSmsAddressBookItem&) { return answer; });
    EXPECT_EQ(edit.AddRecipient("Eva"), Add::Added);
    EXPECT_EQ(edit.Current().recipients.back(), (Recipient{"Eva", "421903000005"}));
    answer.reset();
    EXPECT_EQ(edit.AddRecipient("Eva"), Add::Cancelled);
    EXPECT_TRUE(boxes.Shown().empty());
    // Groups and unknown names are refused with the message of a wrong entry.
    EXPECT_EQ(edit.AddRecipient("Rodina"), Add::NotFound);
    EXPECT_EQ(edit.AddRecipient("nikto"), Add::NotFound);
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{141, 141}));
    EXPECT_EQ(edit.Current().recipients.size(), 5u);
    EXPECT_EQ(edit.Current().states.size(), 5u);
}
