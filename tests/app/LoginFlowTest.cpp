#include "logic/LoginFlow.h"
#include "ScriptedMessageBox.h"
#include "ScriptedTransport.h"
#include "TestSupport.h"
#include "frontend/ImmediateCallRunner.h"
#include "logic/ProgramStrings.h"
#include "model/SmsConfig.h"
#include "model/SmsUserInfo.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

namespace {

using Answer = IMessageBox::Answer;
using Icon = IMessageBox::Icon;

// Login dialogs that answer from a script and record what they were shown.
class ScriptedLoginDialogs : public ILoginDialogs {
public:
    std::deque<std::optional<LoginDlgAnswer>> answers;
    std::vector<LoginDlgView> shown;
    bool registrationOk = true;
    int registrations = 0;
    SaNotice::Answer saAnswer;
    int saShown = 0;

    std::optional<LoginDlgAnswer> ShowLogin(const LoginDlgView& view) override {
        shown.push_back(view);
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool ShowMobileRegistration(CSmsUserInfo&) override {
        ++registrations;
        return registrationOk;
    }
    SaNotice::Answer ShowSa() override {
        ++saShown;
        return saAnswer;
    }
};

LoginDlgAnswer Typed(std::string name, std::string password) {
    return {std::move(name), std::move(password), true};
}

std::string LoginOk(const std::string& mobile = "421903123456") {
    return Reply::Status(0) + (mobile.empty() ? "" : "<mobile>" + mobile + "</mobile>") +
           Reply::Token("T1");
}

std::string Services(bool obk, bool postpaid) {
    auto item = [](int type, bool on) {
        return "<item type=\"" + std::to_string(type) + "\" enabled=\"" + (on ? "true" : "false") +
               "\"/>";
    };
    return Reply::Status(0) + "<services>" + item(0, obk) + item(1, postpaid) + "</services>";
}

class LoginFlowTest : public ::testing::Test {
protected:
    // Users made for a name, with the passwords their profiles hold.
    std::unique_ptr<CSmsUserInfo> MakeUser(const std::string& name) {
        made.push_back(name);
        auto user = std::make_unique<CSmsUserInfo>(name, "1.6", "QLN");
        user->SetTransport(transport);
        if (const auto stored = storedPasswords.find(name); stored != storedPasswords.end())
            user->SetPassword(stored->second);
        return user;
    }

    bool Login(LoginSettings settings = {}) {
        flow = std::make_unique<LoginFlow>(
            settings, [this](const std::string& name) { return MakeUser(name); }, dialogs,
            ProgramStrings(), boxes, runner);
        std::optional<bool> done;
        flow->Run([&](bool ok) { done = ok; });
        EXPECT_EQ(done, flow->GetResult());
        EXPECT_EQ(transport->Unused(), 0u);
        return done.value_or(false);
    }

    std::string SentPassword(std::size_t request) const {
        return transport->Request(request).Text("Password");
    }

    ScopedDataHome dataHome;
    FixedClock clock{1110456000};
    std::shared_ptr<ScriptedTransport> transport = std::make_shared<ScriptedTransport>();
    ScriptedLoginDialogs dialogs;
    ScriptedMessageBox boxes;
    ImmediateCallRunner runner;
    std::map<std::string, std::string> storedPasswords;
    std::vector<std::string> made;
    std::unique_ptr<LoginFlow> flow;
};

TEST_F(LoginFlowTest, AWrongPasswordIsShownAndTheDialogComesBackUntilTheRightOne) {
    dialogs.answers = {Typed("  jan.novak ", "zle"), Typed("jan.novak", "dobre")};
    transport->Answer("Login", Reply::Status(10))
        .Answer("Login", LoginOk())
        .Answer("getServices", Services(false, true));
    ASSERT_TRUE(Login());
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{310});
    EXPECT_EQ(boxes.Last().icon, Icon::Stop);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    // The second time the dialog has the trimmed name and shows that a password is held.
    EXPECT_EQ(dialogs.shown[1].name, "jan.novak");
    EXPECT_EQ(dialogs.shown[1].password, LoginFlow::kHeldPassword);
    EXPECT_EQ(SentPassword(0), "zle");
    EXPECT_EQ(SentPassword(1), "dobre");
    EXPECT_EQ(transport->Request(0).Text("LoginName"), "jan.novak");
    // One user object for both attempts, handed over with the result.
    EXPECT_EQ(made, std::vector<std::string>{"jan.novak"});
    EXPECT_EQ(dialogs.saShown, 0);
    auto user = flow->TakeUser();
    ASSERT_TRUE(user);
    EXPECT_EQ(user->GetPassword(), "dobre");
    EXPECT_EQ(flow->GetUser(), nullptr);
}

TEST_F(LoginFlowTest, TheHeldPasswordStaysUnlessTheFieldWasEditedAndANewNameMakesANewUser) {
    dialogs.answers = {Typed("jan", "tajne"), LoginDlgAnswer{"JAN", "******", false},
                       Typed("eva", "ine")};
    transport->Answer("Login", Reply::Status(11))
        .Answer("Login", Reply::Status(11))
        .Answer("Login", LoginOk())
        .Answer("getServices", Services(false, true));
    ASSERT_TRUE(Login());
    EXPECT_EQ(SentPassword(0), "tajne");
    EXPECT_EQ(SentPassword(1), "tajne"); // not "******"
    // The same name in other letter case keeps the user; another name replaces it.
    EXPECT_EQ(made, (std::vector<std::string>{"jan", "eva"}));
    EXPECT_EQ(flow->GetUser()->GetName(), "eva");
    EXPECT_EQ(SentPassword(2), "ine");
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{311, 311}));
}

TEST_F(LoginFlowTest, NameAndPasswordAreCutToThirtyCharacters) {
    dialogs.answers = {Typed(std::string(35, 'n'), std::string(40, 'p'))};
    transport->Answer("Login", LoginOk()).Answer("getServices", Services(false, true));
    ASSERT_TRUE(Login());
    EXPECT_EQ(made, std::vector<std::string>{std::string(30, 'n')});
    EXPECT_EQ(SentPassword(0), std::string(30, 'p'));
}

TEST_F(LoginFlowTest, AnOutdatedVersionEndsTheLogin) {
    dialogs.answers = {Typed("jan", "x"), Typed("jan", "y")};
    transport->Answer("Login", Reply::Status(LoginFlow::kWrongVersion));
    EXPECT_FALSE(Login());
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{366});
    EXPECT_EQ(dialogs.shown.size(), 1u);
    // The user object stays for the logout that follows a failed login.
    EXPECT_NE(flow->GetUser(), nullptr);
}

TEST_F(LoginFlowTest, CancellingTheDialogFailsWithoutCallingTheService) {
    EXPECT_FALSE(Login());
    EXPECT_TRUE(transport->Requests().empty());
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(flow->GetUser(), nullptr);
}

TEST_F(LoginFlowTest, WithAStoredPasswordTheSingleUserLogsInWithoutTheDialog) {
    storedPasswords["jan"] = "ulozene";
    transport->Answer("Login", LoginOk()).Answer("getServices", Services(false, true));
    ASSERT_TRUE(Login({CSmsConfig::SingleUserSavedPwd, "jan", false}));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(SentPassword(0), "ulozene");
}

TEST_F(LoginFlowTest, AStoredPasswordTheServiceRefusesBringsTheDialogWithTheNameAndItsPassword) {
    storedPasswords["jan"] = "stare";
    dialogs.answers = {Typed("jan", "nove")};
    transport->Answer("Login", Reply::Status(10))
        .Answer("Login", LoginOk())
        .Answer("getServices", Services(false, true));
    ASSERT_TRUE(Login({CSmsConfig::SingleUserSavedPwd, "jan", false}));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].name, "jan");
    EXPECT_EQ(dialogs.shown[0].password, LoginFlow::kHeldPassword);
    EXPECT_FALSE(dialogs.shown[0].focusPassword);
    EXPECT_EQ(SentPassword(1), "nove");
    EXPECT_EQ(made.size(), 1u);
}

TEST_F(LoginFlowTest, WhatTheDialogStartsWithFollowsTheModeAndTheFirstAttempt) {
    // A single user without a stored password: the name is offered, the password focused.
    dialogs.answers = {Typed("jan", "x")};
    transport->Answer("Login", Reply::Status(10));
    EXPECT_FALSE(Login({CSmsConfig::SingleUserSavedPwd, "jan", false}));
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].name, "jan");
    EXPECT_EQ(dialogs.shown[0].password, "");
    EXPECT_FALSE(dialogs.shown[0].focusPassword); // mode 2 focuses the name

    dialogs.shown.clear();
    dialogs.answers = {Typed("jan", "x")};
    transport->Answer("Login", Reply::Status(10));
    EXPECT_FALSE(Login({CSmsConfig::SingleUser, "jan", false}));
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_TRUE(dialogs.shown[0].focusPassword);
    EXPECT_FALSE(dialogs.shown[1].focusPassword);

    // Several users: no one is offered.
    dialogs.shown.clear();
    EXPECT_FALSE(Login({CSmsConfig::MultiUser, "jan", false}));
    EXPECT_EQ(dialogs.shown.at(0).name, "");
    EXPECT_FALSE(dialogs.shown.at(0).focusPassword);
}

TEST_F(LoginFlowTest, ASecondCopyOffersNoUserEvenWithAStoredPassword) {
    storedPasswords["jan"] = "ulozene";
    EXPECT_FALSE(Login({CSmsConfig::SingleUserSavedPwd, "jan", true}));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].name, "");
    EXPECT_EQ(dialogs.shown[0].password, "");
    EXPECT_TRUE(made.empty());
}

TEST_F(LoginFlowTest, AnAccountWithoutANumberIsAskedToRegisterIt) {
    dialogs.answers = {Typed("jan", "x")};
    transport->Answer("Login", LoginOk(""));
    boxes.AnswerNext(Answer::No);
    EXPECT_FALSE(Login());
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{192});
    EXPECT_EQ(boxes.Last().icon, Icon::Question);
    EXPECT_EQ(dialogs.registrations, 0);

    boxes.Clear();
    dialogs.answers = {Typed("jan", "x")};
    dialogs.registrationOk = false;
    transport->Answer("Login", LoginOk(""));
    boxes.AnswerNext(Answer::Yes);
    EXPECT_FALSE(Login());
    EXPECT_EQ(dialogs.registrations, 1);

    dialogs.answers = {Typed("jan", "x")};
    dialogs.registrationOk = true;
    transport->Answer("Login", LoginOk("")).Answer("getServices", Services(false, true));
    boxes.AnswerNext(Answer::Yes);
    EXPECT_TRUE(Login());
    EXPECT_EQ(dialogs.registrations, 2);
}

TEST_F(LoginFlowTest, TheNoticeAndThePortalCreditFollowTheServices) {
    dialogs.answers = {Typed("jan", "x")};
    dialogs.saAnswer = {true, true};
    transport->Answer("Login", LoginOk())
        .Answer("getServices", Services(true, false))
        .Answer("getOBK", Reply::Status(0) + "<OBK>25</OBK>");
    ASSERT_TRUE(Login());
    EXPECT_EQ(dialogs.saShown, 1);
    EXPECT_EQ(flow->GetUser()->ShowSA(), 0);
    EXPECT_EQ(flow->GetUser()->GetObk(), 25);
    EXPECT_EQ(transport->Operations(),
              (std::vector<std::string>{"Login", "getServices", "getOBK"}));
}

TEST_F(LoginFlowTest, WithNeitherPostpaidNorPortalServiceTheLoginFailsSilently) {
    dialogs.answers = {Typed("jan", "x")};
    transport->Answer("Login", LoginOk()).Answer("getServices", Services(false, false));
    EXPECT_FALSE(Login());
    EXPECT_TRUE(boxes.Shown().empty());
    // The notice was still offered; closed without OK, it leaves the setting alone.
    EXPECT_EQ(dialogs.saShown, 1);
    EXPECT_EQ(flow->GetUser()->ShowSA(), 1);
}

TEST_F(LoginFlowTest, AFailedCallIsShownAndEndsTheLogin) {
    dialogs.answers = {Typed("jan", "x"), Typed("jan", "x")};
    transport->Fail(21);
    EXPECT_FALSE(Login());
    EXPECT_EQ(boxes.Last().text, ProgramStrings().GetUtf8(421).value());
    EXPECT_EQ(dialogs.shown.size(), 1u);

    boxes.Clear();
    dialogs.answers = {Typed("jan", "x")};
    transport->Answer("Login", LoginOk()).Answer("getServices", Reply::Status(-1));
    EXPECT_FALSE(Login());
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{165});
}

TEST_F(LoginFlowTest, ARefusedServiceListIsShownAndTheKnownFlagsDecide) {
    dialogs.answers = {Typed("jan", "x")};
    transport->Answer("Login", LoginOk()).Answer("getServices", Reply::Status(27));
    EXPECT_FALSE(Login());
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{327});
}

} // namespace
