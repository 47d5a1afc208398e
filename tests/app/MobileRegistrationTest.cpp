#include "FakeMobileAccount.h"
#include "ScriptedMessageBox.h"
#include "frontend/ImmediateCallRunner.h"
#include "logic/MobileRegistrationFlow.h"
#include "logic/ProgramStrings.h"
#include "service/KvwsDbException.h"
#include "service/KvwsSoapException.h"

#include <gtest/gtest.h>

namespace {

using Answer = IMessageBox::Answer;
using Icon = IMessageBox::Icon;
using State = MobileRegDlgView::State;
using Result = MobileRegistrationFlow::Result;

class MobileRegistrationTest : public ::testing::Test {
protected:
    MobileRegistrationTest() {
        flow.SetChangedHandler([this] { ++changes; });
    }

    void SendRequestFor(const std::string& number) {
        flow.OnChangeNumber(number);
        flow.OnSendRequest();
    }

    FakeMobileAccount account;
    ScriptedMessageBox boxes;
    ImmediateCallRunner runner;
    MobileRegistrationFlow flow{account, ProgramStrings(), boxes, runner};
    int changes = 0;
};

TEST_F(MobileRegistrationTest, ARequestThenTheRightCheckStringRegistersTheNumber) {
    SendRequestFor(" 0903 123 456 ");
    // The service gets the number in its international form.
    ASSERT_EQ(account.asks, std::vector<std::string>{"421903123456"});
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{197});
    EXPECT_EQ(boxes.Last().icon, Icon::Information);
    EXPECT_EQ(flow.View().state, State::WaitingForCode);
    EXPECT_EQ(flow.GetRequestId(), 815);
    // The number can no longer change once the request is out.
    flow.OnChangeNumber("0911 000 000");
    flow.OnSendRequest();
    EXPECT_EQ(account.asks.size(), 1u);

    flow.OnChangeCode("ABC123");
    flow.OnVerify();
    ASSERT_EQ(account.checks.size(), 1u);
    EXPECT_EQ(account.checks[0].code, "ABC123");
    EXPECT_EQ(account.checks[0].transaction, 815);
    EXPECT_EQ(boxes.Last().stringId, 199);
    EXPECT_EQ(flow.GetResult(), Result::Ok);
    EXPECT_EQ(flow.View().state, State::Closed);
    EXPECT_EQ(account.phoneNr, "421903123456");
    EXPECT_GT(changes, 1);
}

TEST_F(MobileRegistrationTest, EmptyFieldsAreRefusedWithoutCallingTheService) {
    SendRequestFor("   ");
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{198});
    EXPECT_EQ(boxes.Last().icon, Icon::Exclamation);
    EXPECT_TRUE(account.asks.empty());
    // Verify does nothing before a request.
    flow.OnVerify();
    EXPECT_TRUE(account.checks.empty());

    SendRequestFor("0903123456");
    flow.OnVerify();
    EXPECT_EQ(boxes.Last().stringId, 200);
    EXPECT_EQ(boxes.Last().icon, Icon::Exclamation);
    EXPECT_TRUE(account.checks.empty());
    EXPECT_FALSE(flow.GetResult());
}

TEST_F(MobileRegistrationTest, ANumberThatIsNotValidGoesAsTypedAndItsRefusalIsShown) {
    account.askStatuses = {49};
    SendRequestFor("09a");
    EXPECT_EQ(account.asks, std::vector<std::string>{"09a"});
    EXPECT_EQ(boxes.Last().stringId, 349);
    EXPECT_EQ(boxes.Last().icon, Icon::Stop);
    EXPECT_EQ(flow.View().state, State::EnteringNumber);
    EXPECT_EQ(flow.GetRequestId(), 0);
    EXPECT_FALSE(flow.GetResult());
}

TEST_F(MobileRegistrationTest, AWrongCheckStringAnsweredYesStartsOver) {
    account.checkStatuses = {MobileRegistrationFlow::kWrongCode};
    SendRequestFor("0903123456");
    flow.OnChangeCode("WRONG");
    boxes.AnswerNext(Answer::Yes);
    flow.OnVerify();
    EXPECT_EQ(boxes.Last().stringId, 193);
    EXPECT_EQ(boxes.Last().buttons, IMessageBox::Buttons::YesNo);
    EXPECT_EQ(flow.View().state, State::EnteringNumber);
    EXPECT_EQ(flow.View().code, "");
    EXPECT_EQ(flow.GetRequestId(), 0);
    EXPECT_FALSE(flow.GetResult());
    EXPECT_EQ(account.phoneNr, "");
    // With no request pending, closing does not ask.
    boxes.Clear();
    EXPECT_TRUE(flow.OnClose());
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(flow.GetResult(), Result::Cancel);
}

TEST_F(MobileRegistrationTest, AWrongCheckStringAnsweredNoOrAnotherRefusalCancels) {
    account.checkStatuses = {MobileRegistrationFlow::kWrongCode};
    SendRequestFor("0903123456");
    flow.OnChangeCode("WRONG");
    boxes.AnswerNext(Answer::No);
    flow.OnVerify();
    EXPECT_EQ(flow.GetResult(), Result::Cancel);

    FakeMobileAccount other;
    other.checkStatuses = {48};
    MobileRegistrationFlow second(other, ProgramStrings(), boxes, runner);
    second.OnChangeNumber("0903123456");
    second.OnSendRequest();
    second.OnChangeCode("X");
    second.OnVerify();
    EXPECT_EQ(boxes.Last().stringId, 348);
    EXPECT_EQ(second.GetResult(), Result::Cancel);
    EXPECT_EQ(other.phoneNr, "");
}

TEST_F(MobileRegistrationTest, ClosingWhileARequestIsPendingAsksWithNoAsDefault) {
    SendRequestFor("0903123456");
    boxes.Clear();
    EXPECT_FALSE(flow.OnClose()); // unscripted: the default, No
    EXPECT_EQ(boxes.Last().stringId, 196);
    EXPECT_EQ(boxes.Last().defaultButton, Answer::No);
    EXPECT_FALSE(flow.GetResult());
    boxes.AnswerNext(Answer::Yes);
    EXPECT_TRUE(flow.OnClose());
    EXPECT_EQ(flow.GetResult(), Result::Cancel);
}

TEST_F(MobileRegistrationTest, AFailedCallIsShownAndDropsThePendingRequest) {
    account.failNext = std::make_exception_ptr(CKvwsDbException());
    SendRequestFor("0903123456");
    EXPECT_EQ(boxes.Last().stringId, 165);
    EXPECT_EQ(flow.View().state, State::EnteringNumber);

    SendRequestFor("0903123456");
    ASSERT_EQ(flow.GetRequestId(), 815);
    account.failNext = std::make_exception_ptr(CKvwsSoapException(0, 21));
    flow.OnChangeCode("ABC");
    flow.OnVerify();
    EXPECT_EQ(boxes.Last().text, ProgramStrings().GetUtf8(421).value());
    EXPECT_EQ(boxes.Last().icon, Icon::Stop);
    EXPECT_EQ(flow.GetRequestId(), 0);
    EXPECT_EQ(flow.View().state, State::EnteringNumber);
    EXPECT_FALSE(flow.GetResult());
}

TEST_F(MobileRegistrationTest, TheCheckStringIsCutToTwentyCharacters) {
    SendRequestFor("0903123456");
    flow.OnChangeCode(std::string(25, 'x'));
    EXPECT_EQ(flow.View().code, std::string(20, 'x'));
}

} // namespace
