// The credit reload logic with a real user object against quillon-sim over HTTPS: club points,
// a wrong check code, the right one, and the refusal of a second reload within the hour.
#include "SimulatorProcess.h"
#include "TestSupport.h"

#include "frontend/CreditReloadFlow.h"
#include "frontend/ImmediateCallRunner.h"
#include "frontend/UserCreditAccount.h"
#include "model/SmsUserInfo.h"
#include "service/CurlTransport.h"

#include "ScriptedMessageBox.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

using ::testing::HasSubstr;

namespace {

const StringTable kHost{{300, "Error sending request\n\nError E%d"},
                        {341, "Credit can not be reloaded until one hour since last reload"},
                        {165, "Služba je dočasne nedostupná"},
                        {166, "Chyba pri komunikácii s Velora"}};

TEST(CreditReloadScenario, ClubPointsWrongCodeRightCodeThenTooSoon) {
    TempDir home;
    SimulatorProcess sim(QUILLON_SIM_PATH, {"--state", (home.Path() / "sim").string(), "--admin",
                                            "--account", "demo:demo-secret:421905123456,club=500"});
    CSmsUserInfo user("demo", "1.1.0", "QLN");
    user.SetPassword("demo-secret");
    user.SetTransport(std::make_shared<CurlTransport>(TransportOptions{sim.Url(), sim.CaFile()}));
    ASSERT_EQ(user.KvwsLogin(true), 0);

    UserCreditAccount account(user);
    ScriptedMessageBox boxes;
    ImmediateCallRunner runner;
    CreditReloadFlow flow(account, ServiceErrorText(kHost), boxes, runner);
    flow.OnInitDialog();
    ASSERT_FALSE(flow.GetResult()) << boxes.Last().text;
    EXPECT_EQ(flow.View().amounts.size(), 3u);
    flow.OnCheckKvclub(true);
    ASSERT_EQ(flow.View().amounts.size(), 4u);
    ASSERT_EQ(flow.View().points.size(), 2u) << "the options of the first amount, 50";
    EXPECT_EQ(flow.View().points[1].text, "80 bodov, doplatok 0.99 EUR bez DPH");
    flow.OnSelchangeComboPoints(1);

    flow.OnButtonRecharge();
    ASSERT_EQ(boxes.ShownIds(), std::vector<int>{4}) << boxes.Last().text;
    flow.OnChangeCode("WRONG");
    boxes.AnswerNext(IMessageBox::Answer::Yes);
    flow.OnButtonCheck();
    EXPECT_EQ(boxes.Last().stringId, 7);
    EXPECT_EQ(flow.GetRequestId(), 0);

    flow.OnButtonRecharge();
    const std::string codes = sim.Admin("/admin/codes/demo");
    std::smatch code;
    ASSERT_TRUE(
        std::regex_search(codes, code, std::regex(std::to_string(flow.GetRequestId()) + " (\\S+)")))
        << codes;
    flow.OnChangeCode(code[1].str());
    flow.OnButtonCheck();
    EXPECT_EQ(boxes.Last().stringId, 6);
    EXPECT_EQ(flow.GetResult(), CreditReloadFlow::Result::Ok);
    EXPECT_THAT(sim.Admin("/admin/account/demo"), HasSubstr("club=420\n"));

    CreditReloadFlow again(account, ServiceErrorText(kHost), boxes, runner);
    again.OnInitDialog();
    again.OnButtonRecharge();
    EXPECT_EQ(boxes.Last().stringId, 341);
    EXPECT_TRUE(again.View().choosing);
    EXPECT_FALSE(again.GetResult());
}

} // namespace
