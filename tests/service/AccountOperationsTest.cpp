#include "SessionFixture.h"

#include "model/Utilities.h"
#include "service/KvwsDbException.h"
#include "service/KvwsSoapException.h"

#include <gmock/gmock.h>

#include <cstdlib>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

std::string Attribute(const ParsedRequest& request, const char* element, const char* name) {
    return request.Find(element).attribute(name).value();
}

// The credit list of a reply: 5 (two club-point options), 10 for club members only, 20, and an
// amount beyond 16 bits.
const char kCreditList[] =
    "<creditList>"
    "<item value=\"5\" clubMemberOnly=\"false\">"
    "<item addCharge=\"1.5\" currency=\"EUR\">100</item><item addCharge=\"0\">200</item></item>"
    "<item value=\"10\" clubMemberOnly=\"true\"/>"
    "<item value=\"20\" clubMemberOnly=\"false\"/>"
    "<item value=\"70000\" clubMemberOnly=\"false\"/>"
    "</creditList>";

class AccountOperationsTest : public SessionFixture {
protected:
    void SetUp() override {
        setenv("QUILLON_ANSI_CODEPAGE", "1250", 1);
        LogIn();
    }
    ParsedRequest LastRequest() const {
        return transport->Request(transport->Requests().size() - 1);
    }
};

TEST_F(AccountOperationsTest, CreditListIsFetchedOnceAndFilteredForClubMembers) {
    transport->Answer("ask4CreditList", Reply::Status(0) + Reply::Token("T2") + kCreditList);
    std::vector<unsigned> amounts{99};
    user.GetAvailableCredits(false, amounts);
    EXPECT_THAT(amounts, ElementsAre(5u, 20u));
    user.GetAvailableCredits(true, amounts);
    EXPECT_THAT(amounts, ElementsAre(5u, 10u, 20u));
    EXPECT_EQ(transport->Requests().size(), 2u); // the login and one list
    EXPECT_EQ(LastRequest().Text("token"), "T1");

    const CreditInfoArray* options = user.GetCreditInfo(5);
    ASSERT_NE(options, nullptr);
    ASSERT_EQ(options->size(), 2u);
    EXPECT_EQ((*options)[0].points, 100);
    EXPECT_FLOAT_EQ((*options)[0].addCharge, 1.5f);
    EXPECT_EQ((*options)[0].currency, "EUR");
    EXPECT_EQ((*options)[1].points, 200);
    EXPECT_EQ((*options)[1].currency, "");
    EXPECT_THAT(*user.GetCreditInfo(10), IsEmpty());
    EXPECT_EQ(user.GetCreditInfo(7), nullptr);
    EXPECT_EQ(user.GetCreditInfo(70000 % 65536), nullptr);
}

TEST_F(AccountOperationsTest, AnEmptyCreditListIsNotAskedForAgainButARefusedOneIs) {
    transport->Answer("ask4CreditList", Reply::Status(26));
    std::vector<unsigned> amounts{99};
    user.GetAvailableCredits(true, amounts);
    EXPECT_THAT(amounts, IsEmpty());

    transport->Answer("ask4CreditList", Reply::Status(0) + "<creditList/>");
    user.GetAvailableCredits(true, amounts);
    user.GetAvailableCredits(true, amounts);
    EXPECT_THAT(transport->Operations(), ElementsAre("Login", "ask4CreditList", "ask4CreditList"));
}

TEST_F(AccountOperationsTest, AFailedCreditListLeavesTheAmountsAlone) {
    transport->Fail(21);
    std::vector<unsigned> amounts{99};
    EXPECT_THROW(user.GetAvailableCredits(true, amounts), CKvwsSoapException);
    EXPECT_THAT(amounts, ElementsAre(99u));
}

TEST_F(AccountOperationsTest, RechargeSendsClubPointsOnlyWhenThereAreAny) {
    transport->Answer("ask4CreditRecharge", Reply::Status(0, "id=\"7001\"") + Reply::Token("T2"));
    std::int64_t transaction = 0;
    EXPECT_EQ(user.KvwsAsk4CreditRecharge(5, 0, transaction), 0);
    EXPECT_EQ(transaction, 7001);
    EXPECT_EQ(LastRequest().Text("credit"), "5");
    EXPECT_TRUE(LastRequest().Find("credit").attribute("clubMemberPoints").empty());

    transport->Answer("ask4CreditRecharge", Reply::Status(46, "id=\"7002\""));
    EXPECT_EQ(user.KvwsAsk4CreditRecharge(5, 200, transaction), 46);
    EXPECT_EQ(Attribute(LastRequest(), "credit", "clubMemberPoints"), "200");
    EXPECT_EQ(transaction, 7001); // a refusal leaves it

    transport->Answer("CreditRecharge", Reply::Status(0) + Reply::Token("T3"));
    EXPECT_EQ(user.KvwsCreditRecharge("a+b", 7001), 0);
    EXPECT_EQ(LastRequest().Text("code"), EncodeAmpChars("a+b"));
    EXPECT_EQ(Attribute(LastRequest(), "code", "id"), "7001");
    EXPECT_EQ(LastRequest().Text("token"), "T2");
    EXPECT_EQ(user.GetToken(), "T3");
}

TEST_F(AccountOperationsTest, ServiceActivationTermsGetWindowsLineEnds) {
    transport->Answer("ask4ServiceActivation",
                      Reply::Status(0, "id=\"12\"") + "<EULA>Podmienky\nČlánok 1\n</EULA>");
    std::string eula;
    std::int64_t transaction = 0;
    EXPECT_EQ(user.KvwsAsk4ServiceActivation(2, "SMTP", eula, transaction), 0);
    EXPECT_EQ(eula, Utf8ToAnsi("Podmienky\r\nČlánok 1\r\n"));
    EXPECT_EQ(transaction, 12);
    EXPECT_EQ(LastRequest().Text("service"), "SMTP");
    EXPECT_EQ(Attribute(LastRequest(), "service", "type"), "2");

    transport->Answer("ServiceActivation", Reply::Status(58));
    EXPECT_EQ(user.KvwsServiceActivation("X1", 12), 58);
    transport->Answer("ServiceDeactivation", Reply::Status(0));
    EXPECT_EQ(user.KvwsServiceDeactivation(1, "POSTPAID"), 0);
    EXPECT_EQ(LastRequest().Text("service"), "POSTPAID");
    EXPECT_EQ(Attribute(LastRequest(), "service", "type"), "1");
}

TEST_F(AccountOperationsTest, MobileRegistrationLeavesTheStoredNumber) {
    transport->Answer("ask4MobileRegistration", Reply::Status(0, "id=\"33\""));
    std::int64_t transaction = 0;
    EXPECT_EQ(user.KvwsAsk4MobileRegistration("+421 905 111 222", transaction), 0);
    EXPECT_EQ(LastRequest().Text("mobile"), "+421 905 111 222");
    EXPECT_EQ(transaction, 33);
    transport->Answer("MobileRegistration", Reply::Status(0));
    EXPECT_EQ(user.KvwsMobileRegistration("C0DE", 33), 0);
    EXPECT_EQ(user.GetPhoneNr(), "421903123456");
}

TEST_F(AccountOperationsTest, ExpiredSessionIsRenewedOnce) {
    transport->Answer("ask4MobileRegistration", Reply::Status(21))
        .Answer("Login", Reply::Status(0) + Reply::Token("T9"))
        .Answer("ask4MobileRegistration", Reply::Status(48));
    std::int64_t transaction = 5;
    EXPECT_EQ(user.KvwsAsk4MobileRegistration("0905111222", transaction), 48);
    EXPECT_EQ(LastRequest().Text("token"), "T9");
    EXPECT_EQ(transaction, 5);
}

TEST_F(AccountOperationsTest, UserRegistrationGoesWithoutTokenAndRenewal) {
    user.SetName(Utf8ToAnsi("Ján&Co"));
    user.SetPhoneNr("421905111222");
    transport->Answer("ask4UserRegistration",
                      Reply::Status(0, "id=\"90\"") + "<EULA>Riadok 1\nRiadok 2</EULA>");
    std::string eula;
    std::int64_t transaction = 0;
    EXPECT_EQ(user.KvwsAsk4UserRegistration(eula, transaction), 0);
    EXPECT_EQ(eula, "Riadok 1\nRiadok 2");
    EXPECT_EQ(transaction, 90);
    const ParsedRequest ask = LastRequest();
    EXPECT_FALSE(ask.Has("token"));
    EXPECT_EQ(ask.Text("LoginName"), EncodeAmpChars("Ján&Co"));
    EXPECT_EQ(ask.Text("Password"), "secret");
    EXPECT_EQ(ask.Text("Mobile"), "421905111222");

    // Session statuses are returned like any refusal: no re-login.
    transport->Answer("ask4UserRegistration", Reply::Status(21));
    EXPECT_EQ(user.KvwsAsk4UserRegistration(eula, transaction), 21);
    transport->Answer("ask4UserRegistration", Reply::Status(-1));
    EXPECT_THROW(user.KvwsAsk4UserRegistration(eula, transaction), CKvwsDbException);
    EXPECT_THAT(transport->Operations(),
                ElementsAre("Login", "ask4UserRegistration", "ask4UserRegistration",
                            "ask4UserRegistration"));
}

TEST_F(AccountOperationsTest, UserRegistrationOpensASessionOnlyWhenConfirmed) {
    transport->Answer("UserRegistration", Reply::Status(58));
    EXPECT_EQ(user.KvwsUserRegistration("wrong", 90), 58);
    EXPECT_EQ(user.GetToken(), "");
    EXPECT_EQ(user.GetTokenExpiry(), 0);
    EXPECT_FALSE(LastRequest().Has("token"));
    EXPECT_EQ(Attribute(LastRequest(), "code", "id"), "90");

    transport->Answer("UserRegistration", Reply::Status(0) + Reply::Token("NEW", "300"));
    EXPECT_EQ(user.KvwsUserRegistration("right", 90), 0);
    EXPECT_EQ(user.GetToken(), "NEW");
    EXPECT_EQ(user.GetTokenExpiry(), kNow + 300);
}

} // namespace
