#include "ScriptedSyncUi.h"
#include "SessionFixture.h"
#include "SyncTestBooks.h"

#include "model/Utilities.h"

#include <gmock/gmock.h>

#include <cstdlib>
#include <thread>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::UnorderedElementsAre;

namespace {

std::string Attribute(const ParsedRequest& request, const char* element, const char* name) {
    return request.Find(element).attribute(name).value();
}

std::vector<std::string> Members(const ParsedRequest& request) {
    std::vector<std::string> members;
    for (pugi::xml_node alias : request.Find("group").children("alias"))
        members.push_back(alias.text().as_string());
    return members;
}

class ObkOperationsTest : public SessionFixture {
protected:
    void SetUp() override {
        setenv("QUILLON_ANSI_CODEPAGE", "1250", 1);
        LogIn();
    }
    ParsedRequest LastRequest() const {
        return transport->Request(transport->Requests().size() - 1);
    }
    static std::string A(const char* utf8) { return Utf8ToAnsi(utf8); }
};

TEST_F(ObkOperationsTest, FetchedBookHasAnsiNamesAndNumbersAsGiven) {
    transport->Answer("getAddressBook",
                      Reply::Status(0) + Reply::Token("T2") +
                          "<aliases><item mobile=\"421903123456\">Ján Novák</item>"
                          "<item>Bez čísla</item></aliases>"
                          "<groups><item name=\"Rodina Šťastná\"><alias>Ján Novák</alias>"
                          "<alias>Nikto</alias></item></groups>");
    CSmsAddressBook book;
    EXPECT_EQ(user.KvwsGetAddressBook(&book), 0);
    // The copy keeps a member that names no alias, as the service reported it.
    EXPECT_THAT(SyncTestBooks::Describe(book),
                ElementsAre(A("Ján Novák 421903123456"), A("Bez čísla "),
                            A("[Rodina Šťastná] Ján Novák, Nikto,")));
}

TEST_F(ObkOperationsTest, GroupNamesMakeTheSameRoundTripAsAliasNames) {
    const std::string group = A("Rodina Šťastná");
    transport->Answer("setGroup", Reply::Status(0));
    EXPECT_EQ(user.KvwsSetGroup(group, {A("Ján"), "Eva & Fero"}), 0);
    const std::string sent = transport->Requests().back();
    EXPECT_THAT(sent, HasSubstr("name=\"Rodina Šťastná\"")); // UTF-8 on the wire
    EXPECT_EQ(Attribute(LastRequest(), "group", "name"), "Rodina Šťastná");
    EXPECT_THAT(Members(LastRequest()), ElementsAre("Ján", "Eva & Fero"));

    // What the service gives back under that name is the same ANSI name.
    transport->Answer("getAddressBook", Reply::Status(0) + "<groups><item name=\"" +
                                            Attribute(LastRequest(), "group", "name") +
                                            "\"/></groups>");
    CSmsAddressBook book;
    ASSERT_EQ(user.KvwsGetAddressBook(&book), 0);
    ASSERT_EQ(book.GetGroupCount(), 1);
    EXPECT_EQ(book.GetGroup(0)->GetName(), group);

    transport->Answer("deleteGroup", Reply::Status(0));
    EXPECT_EQ(user.KvwsDeleteGroup(group), 0);
    EXPECT_EQ(LastRequest().Text("name"), "Rodina Šťastná");
}

TEST_F(ObkOperationsTest, AliasNamesAreEscapedAndNumbersSentAsGiven) {
    transport->Answer("setAlias", Reply::Status(35)).Answer("deleteAlias", Reply::Status(0));
    EXPECT_EQ(user.KvwsSetAlias(A("Ján+Eva"), "421903123456"), 35);
    EXPECT_EQ(LastRequest().Text("name"), "Ján%2BEva");
    EXPECT_EQ(Attribute(LastRequest(), "name", "mobile"), "421903123456");
    EXPECT_EQ(user.KvwsDeleteAlias("A&B", ""), 0);
    EXPECT_EQ(LastRequest().Text("name"), EncodeAmpChars("A&B"));
    EXPECT_EQ(LastRequest().Text("token"), "T1");
}

TEST_F(ObkOperationsTest, SynchronizeRunsOnTheUsersBookAndService) {
    SyncTestBooks::Fill(user.GetAddressBook(), {{A("Šimon Kováčik Nový"), "0903123456", ""}});
    transport
        ->Answer("getAddressBook", Reply::Status(0) +
                                       "<aliases><item mobile=\"421905000111\">Eva</item>"
                                       "</aliases>")
        .Answer("setAlias", Reply::Status(0));
    CScriptedSyncUi ui;
    ui.mode = CSmsUserInfo::ManualSyncMode::Merge;
    user.Synchronize(ui);
    EXPECT_THAT(transport->Operations(), ElementsAre("Login", "getAddressBook", "setAlias"));
    EXPECT_EQ(LastRequest().Text("name"), "Simon Kovacik N");
    EXPECT_THAT(SyncTestBooks::Describe(user.GetAddressBook()),
                ElementsAre(A("Šimon Kováčik Nový 0903123456"), "Eva +421905000111"));
    EXPECT_THAT(ui.events, ElementsAre("mode?", "progress on", "completed", "progress off"));
}

TEST_F(ObkOperationsTest, ReplacingTheObkRemovesAMemberThatNamesNoAlias) {
    SyncTestBooks::Fill(user.GetAddressBook(), {{"Eva", "0905111222", ""}}, {{"Rodina", {"Eva"}}});
    transport
        ->Answer("getAddressBook", Reply::Status(0) +
                                       "<aliases><item mobile=\"421905111222\">Eva</item></aliases>"
                                       "<groups><item name=\"Rodina\"><alias>Eva</alias>"
                                       "<alias>Ghost</alias></item></groups>")
        .Answer("setGroup", Reply::Status(0));
    CScriptedSyncUi ui;
    ui.mode = CSmsUserInfo::ManualSyncMode::QlnToOb;
    user.Synchronize(ui);
    EXPECT_THAT(transport->Operations(), ElementsAre("Login", "getAddressBook", "setGroup"));
    EXPECT_THAT(Members(LastRequest()), ElementsAre("Eva"));
}

// While the user is asked, another thread (the background worker taking in what other
// programs stored) changes the book: it can have the data lock, and its change stays.
class ChangingWhileAsked : public CScriptedSyncUi {
public:
    explicit ChangingWhileAsked(CSmsUserInfo& user) : m_user(user) {}
    std::optional<CAddressBookSync::ManualSyncMode> AskMode() override {
        std::thread other([this] {
            const auto lock = m_user.TryLockData();
            lockHad = lock.owns_lock();
            if (lockHad)
                m_user.GetAddressBook().AddContact("Jana", "0907000111", "");
        });
        other.join();
        return CScriptedSyncUi::AskMode();
    }
    bool lockHad = false;

private:
    CSmsUserInfo& m_user;
};

TEST_F(ObkOperationsTest, SynchronizeHoldsNoLockWhileTheUserIsAskedAndKeepsChangesMadeMeanwhile) {
    SyncTestBooks::Fill(user.GetAddressBook(), {{"Simon", "0903123456", ""}});
    transport->Answer("getAddressBook", Reply::Status(0) +
                                            "<aliases><item mobile=\"421905000111\">Eva</item>"
                                            "</aliases>");
    ChangingWhileAsked ui(user);
    ui.mode = CSmsUserInfo::ManualSyncMode::ObToQln;
    user.Synchronize(ui);
    EXPECT_TRUE(ui.lockHad);
    EXPECT_THAT(SyncTestBooks::Describe(user.GetAddressBook()),
                UnorderedElementsAre("Eva +421905000111", "Jana 0907000111"));
}

} // namespace
