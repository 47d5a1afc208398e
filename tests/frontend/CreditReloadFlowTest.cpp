#include "frontend/CreditReloadFlow.h"
#include "frontend/ImmediateCallRunner.h"
#include "service/KvwsDbException.h"
#include "service/KvwsSoapException.h"

#include "FakeCreditAccount.h"
#include "ScriptedMessageBox.h"

#include <gtest/gtest.h>

namespace {

using Answer = IMessageBox::Answer;
using Icon = IMessageBox::Icon;
using Result = CreditReloadFlow::Result;

const StringTable kHost{
    {300, "Error sending request\n\nError E%d"},
    {341, "Credit can not be reloaded until one hour since last reload"},
    {345, "Recharge not possible\nCan't find out prepaid credit"},
    {165, "Služba je dočasne nedostupná"},
    {166, "Chyba pri komunikácii s Velora"},
};

class CreditReload : public testing::Test {
protected:
    CreditReload() {
        m_account.list = {{50, false, {{100, 0.5f, "EUR"}, {80, 0.99f, ""}}},
                          {100, false, {{190, 1.0f, "EUR"}}},
                          {500, true, {{900, 0.0f, "EUR"}}},
                          {200, false, {}}};
        m_flow.SetChangedHandler([this] { ++m_changes; });
    }

    const CreditDlgView& View() const { return m_flow.View(); }
    std::vector<unsigned> Amounts() const {
        std::vector<unsigned> amounts;
        for (const CreditItem& item : View().amounts)
            amounts.push_back(item.value);
        return amounts;
    }
    unsigned SelectedAmount() const { return View().amounts.at(View().amount).value; }
    void Select(unsigned amount) {
        for (std::size_t i = 0; i < View().amounts.size(); ++i) {
            if (View().amounts[i].value == amount)
                m_flow.OnSelchangeComboAmount(static_cast<int>(i));
        }
        ASSERT_EQ(SelectedAmount(), amount);
    }
    // Initialised, the request for 100 sent and answered with a check code.
    void Requested() {
        m_flow.OnInitDialog();
        Select(100);
        m_flow.OnButtonRecharge();
        ASSERT_FALSE(View().choosing);
        m_boxes.Clear();
    }

    FakeCreditAccount m_account;
    ScriptedMessageBox m_boxes;
    ImmediateCallRunner m_runner;
    CreditReloadFlow m_flow{m_account, ServiceErrorText(kHost), m_boxes, m_runner};
    int m_changes = 0;
};

TEST_F(CreditReload, StartsChoosingAmongTheAmountsForEveryone) {
    m_flow.OnInitDialog();
    EXPECT_EQ(m_account.listCalls, std::vector<bool>{false});
    EXPECT_EQ(Amounts(), (std::vector<unsigned>{50, 100, 200}));
    EXPECT_EQ(View().amounts[0].text, "50 PK");
    EXPECT_EQ(View().amount, 0);
    EXPECT_FALSE(View().club);
    EXPECT_TRUE(View().choosing);
    EXPECT_TRUE(View().CanReload());
    EXPECT_EQ(m_flow.GetRequestId(), 0);
    EXPECT_FALSE(m_flow.GetResult());
    EXPECT_GT(m_changes, 0) << "the window hears of the filled list";
    EXPECT_TRUE(m_boxes.Shown().empty());
}

TEST_F(CreditReload, TheClubBoxRefillsAmountsKeepingTheSelectedOneAndItsPoints) {
    m_flow.OnInitDialog();
    Select(100);
    m_flow.OnCheckKvclub(true);
    EXPECT_EQ(m_account.listCalls, (std::vector<bool>{false, true}));
    EXPECT_EQ(Amounts(), (std::vector<unsigned>{50, 100, 500, 200}));
    EXPECT_TRUE(View().club);
    EXPECT_EQ(SelectedAmount(), 100u) << "the amount stays selected";
    ASSERT_EQ(View().points.size(), 1u);
    EXPECT_EQ(View().points[0], (CreditItem{"190 bodov, doplatok 1.00 EUR bez DPH", 190}));
    EXPECT_EQ(View().point, 0);

    // With the box ticked, another amount brings its own options; a missing currency is "Sk".
    Select(50);
    ASSERT_EQ(View().points.size(), 2u);
    EXPECT_EQ(View().points[1], (CreditItem{"80 bodov, doplatok 0.99 Sk bez DPH", 80}));
    EXPECT_EQ(View().point, 0);
    m_flow.OnSelchangeComboPoints(1);
    EXPECT_EQ(View().point, 1);
    Select(200);
    EXPECT_TRUE(View().points.empty());
    EXPECT_EQ(View().point, -1);

    // Unticked: the amounts for everyone again, the same amount while it is offered.
    m_flow.OnCheckKvclub(false);
    EXPECT_EQ(m_account.listCalls.back(), false);
    EXPECT_EQ(Amounts(), (std::vector<unsigned>{50, 100, 200}));
    EXPECT_EQ(SelectedAmount(), 200u);
    EXPECT_FALSE(View().club);
}

TEST_F(CreditReload, AListWithoutTheSelectedAmountSelectsItsFirst) {
    m_flow.OnInitDialog();
    m_flow.OnCheckKvclub(true);
    Select(500);
    m_flow.OnCheckKvclub(false);
    EXPECT_EQ(Amounts(), (std::vector<unsigned>{50, 100, 200}));
    EXPECT_EQ(View().amount, 0);

    // An empty list selects nothing, and there is nothing to reload.
    m_account.list.clear();
    m_flow.OnCheckKvclub(true);
    EXPECT_EQ(View().amount, -1);
    EXPECT_FALSE(View().CanReload());
    m_flow.OnButtonRecharge();
    EXPECT_TRUE(m_account.asks.empty());
}

TEST_F(CreditReload, TheRequestSendsAmountAndPointsThenAwaitsTheCheckCode) {
    m_flow.OnInitDialog();
    m_flow.OnButtonRecharge();
    ASSERT_EQ(m_account.asks.size(), 1u);
    EXPECT_EQ(m_account.asks[0].amount, 50);
    EXPECT_EQ(m_account.asks[0].points, 0) << "paid in money without the club box";
    EXPECT_EQ(m_boxes.ShownIds(), std::vector<int>{4});
    EXPECT_FALSE(View().choosing);
    EXPECT_FALSE(View().CanReload());
    EXPECT_EQ(m_flow.GetRequestId(), 4711);
    // The choice is fixed while verifying.
    m_flow.OnCheckKvclub(true);
    m_flow.OnSelchangeComboAmount(1);
    EXPECT_EQ(m_account.listCalls.size(), 1u);
    EXPECT_EQ(View().amount, 0);
}

TEST_F(CreditReload, ARefusedRequestShowsItsTextAndKeepsChoosing) {
    m_flow.OnInitDialog();
    m_account.askStatuses = {41, 47};
    m_flow.OnButtonRecharge();
    EXPECT_EQ(m_boxes.Last().stringId, 341);
    EXPECT_EQ(m_boxes.Last().icon, Icon::Stop);
    m_flow.OnButtonRecharge();
    EXPECT_EQ(m_boxes.Last().stringId, 300);
    EXPECT_EQ(m_boxes.Last().text, "Error sending request\n\nError E47");
    EXPECT_TRUE(View().choosing);
    EXPECT_EQ(m_flow.GetRequestId(), 0);
    EXPECT_FALSE(m_flow.GetResult());
}

TEST_F(CreditReload, CloseAsksOnlyWhileARequestIsPending) {
    m_flow.OnInitDialog();
    EXPECT_TRUE(m_flow.OnCancel());
    EXPECT_TRUE(m_boxes.Shown().empty());
    EXPECT_EQ(m_flow.GetResult(), Result::Cancel);

    CreditReloadFlow pending(m_account, ServiceErrorText(kHost), m_boxes, m_runner);
    pending.OnInitDialog();
    pending.OnButtonRecharge();
    m_boxes.Clear();
    EXPECT_FALSE(pending.OnCancel()) << "No is the default";
    EXPECT_EQ(m_boxes.Last().stringId, 3);
    EXPECT_EQ(m_boxes.Last().defaultButton, Answer::No);
    EXPECT_EQ(m_boxes.Last().icon, Icon::Question);
    EXPECT_FALSE(pending.GetResult());
    m_boxes.AnswerNext(Answer::Yes);
    EXPECT_TRUE(pending.OnCancel());
    EXPECT_EQ(pending.GetResult(), Result::Cancel);
}

TEST_F(CreditReload, TheRightCodeConfirmsTheReload) {
    Requested();
    m_flow.OnButtonCheck();
    EXPECT_EQ(m_boxes.ShownIds(), std::vector<int>{5}) << "an empty code is not sent";
    EXPECT_EQ(m_boxes.Last().icon, Icon::Exclamation);
    EXPECT_TRUE(m_account.checks.empty());

    m_flow.OnChangeCode("AB12CD34EF56GH78IJ90KL");
    EXPECT_EQ(View().code, "AB12CD34EF56GH78IJ90") << "at most 20 characters";
    m_flow.OnButtonCheck();
    ASSERT_EQ(m_account.checks.size(), 1u);
    EXPECT_EQ(m_account.checks[0].code, "AB12CD34EF56GH78IJ90");
    EXPECT_EQ(m_account.checks[0].transaction, 4711);
    EXPECT_EQ(m_boxes.Last().stringId, 6);
    EXPECT_EQ(m_flow.GetResult(), Result::Ok);
}

TEST_F(CreditReload, AWrongCodeAnsweredYesStartsOverWithoutAPendingRequest) {
    Requested();
    m_flow.OnChangeCode("wrong");
    m_account.checkStatuses = {CreditReloadFlow::kWrongCode};
    m_boxes.AnswerNext(Answer::Yes);
    m_flow.OnButtonCheck();
    EXPECT_EQ(m_boxes.Last().stringId, 7);
    EXPECT_EQ(m_boxes.Last().icon, Icon::Question);
    EXPECT_TRUE(View().choosing);
    EXPECT_TRUE(View().CanReload());
    EXPECT_TRUE(View().code.empty());
    EXPECT_EQ(m_flow.GetRequestId(), 0);
    EXPECT_FALSE(m_flow.GetResult());
    m_boxes.Clear();
    EXPECT_TRUE(m_flow.OnCancel());
    EXPECT_TRUE(m_boxes.Shown().empty()) << "nothing pending, nothing asked";
}

TEST_F(CreditReload, AWrongCodeAnsweredNoOrAnotherRefusalEndsTheDialog) {
    Requested();
    m_flow.OnChangeCode("wrong");
    m_account.checkStatuses = {CreditReloadFlow::kWrongCode};
    m_boxes.AnswerNext(Answer::No);
    m_flow.OnButtonCheck();
    EXPECT_EQ(m_flow.GetResult(), Result::Cancel);

    CreditReloadFlow other(m_account, ServiceErrorText(kHost), m_boxes, m_runner);
    other.OnInitDialog();
    other.OnButtonRecharge();
    other.OnChangeCode("code");
    m_account.checkStatuses = {45};
    other.OnButtonCheck();
    EXPECT_EQ(m_boxes.Last().stringId, 345);
    EXPECT_EQ(m_boxes.Last().icon, Icon::Stop);
    EXPECT_EQ(other.GetResult(), Result::Cancel);
}

TEST_F(CreditReload, AFailedListEndsTheDialogAtStartButNotLater) {
    m_account.failNext = std::make_exception_ptr(CKvwsDbException());
    m_flow.OnInitDialog();
    EXPECT_EQ(m_boxes.Last().text, "Služba je dočasne nedostupná");
    EXPECT_EQ(m_flow.GetResult(), Result::Cancel);

    CreditReloadFlow later(m_account, ServiceErrorText(kHost), m_boxes, m_runner);
    later.OnInitDialog();
    later.OnSelchangeComboAmount(1);
    m_account.failNext = std::make_exception_ptr(CKvwsSoapException(0, 21));
    later.OnCheckKvclub(true);
    EXPECT_EQ(m_boxes.Last().stringId, 166) << "the host has no text for transport code 21";
    EXPECT_FALSE(later.View().club) << "the lists stay with the box that chose them";
    EXPECT_EQ(later.View().amounts.size(), 3u);
    EXPECT_EQ(later.View().amount, 1);
    EXPECT_FALSE(later.GetResult());
}

TEST_F(CreditReload, FailedStepsAreReportedAndLeaveTheDialogChoosing) {
    m_flow.OnInitDialog();
    m_account.failNext = std::make_exception_ptr(CKvwsSoapException(150, 0));
    m_flow.OnButtonRecharge();
    EXPECT_EQ(m_boxes.Last().text, "Error sending request\n\nError E150");
    EXPECT_EQ(m_boxes.Last().icon, Icon::Stop);
    EXPECT_TRUE(View().choosing);
    EXPECT_FALSE(m_flow.GetResult());

    m_flow.OnButtonRecharge();
    m_flow.OnChangeCode("code");
    m_account.failNext = std::make_exception_ptr(CKvwsDbException());
    m_flow.OnButtonCheck();
    EXPECT_EQ(m_boxes.Last().stringId, 165);
    EXPECT_EQ(m_flow.GetRequestId(), 0);
    EXPECT_TRUE(View().choosing) << "no check code can be sent without the request's number";
    EXPECT_TRUE(View().code.empty());
    EXPECT_FALSE(m_flow.GetResult());
}

} // namespace
