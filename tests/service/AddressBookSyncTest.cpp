#include "FakeObkService.h"
#include "ScriptedSyncUi.h"
#include "SyncTestBooks.h"

#include "model/CoreTexts.h"
#include "model/SmsAddressBook.h"
#include "model/Utilities.h"
#include "service/AddressBookSync.h"
#include "service/KvwsDbException.h"
#include "service/KvwsSoapException.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
using Lines = std::vector<std::string>;
using NumberChoice = IAddressBookSyncUi::NumberConflictChoice;
using NameChoice = IAddressBookSyncUi::NameConflictChoice;

namespace {

// Texts of the tests are written in UTF-8 and held as Windows-1250, like the program's.
std::string A(const char* utf8) {
    return Utf8ToAnsi(utf8);
}

class AddressBookSyncTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("QUILLON_ANSI_CODEPAGE", "1250", 1); }

    void Synchronize(CAddressBookSync::ManualSyncMode mode) {
        ui.mode = mode;
        CAddressBookSync(local, obk, ui).Synchronize();
    }

    Lines Local() const { return SyncTestBooks::Describe(local); }

    CSmsAddressBook local;
    CFakeObkService obk;
    CScriptedSyncUi ui;
};

TEST_F(AddressBookSyncTest, ObkToLocalReplacesTheBookAndAddsThePlus) {
    SyncTestBooks::Fill(local, {{"Old", "0903000000", ""}}, {{"Old", {"Old"}}});
    obk.aliases = {{"Jan", "421903123456"}, {"Eva", "421905000111"}};
    obk.groups = {{"Rodina", {"Jan", "Nobody"}}};

    Synchronize(CAddressBookSync::ObToQln);

    EXPECT_THAT(Local(), ElementsAre("Jan +421903123456", "Eva +421905000111", "[Rodina] Jan,"));
    EXPECT_THAT(obk.Calls(), IsEmpty());
    EXPECT_THAT(ui.events, ElementsAre("mode?", "progress on", "completed", "progress off"));
}

TEST_F(AddressBookSyncTest, UploadsTheTransliteratedNameCutTo15) {
    for (const auto mode : {CAddressBookSync::QlnToOb, CAddressBookSync::Merge}) {
        CSmsAddressBook book;
        CFakeObkService server;
        SyncTestBooks::Fill(book, {{A("Šimon Kováčik Nový"), "0903 123 456", ""}});
        ui.mode = mode;
        CAddressBookSync(book, server, ui).Synchronize();
        EXPECT_THAT(server.Calls(), ElementsAre("setAlias Simon Kovacik N 421903123456"));
    }
}

TEST_F(AddressBookSyncTest, LocalToObkWithEmptyFirstNumberUploadsAnEmptyNumber) {
    SyncTestBooks::Fill(local, {{"Jana", "", "0903123456"}});
    obk.aliases = {{"Janka", "421903123456"}};

    Synchronize(CAddressBookSync::QlnToOb);

    EXPECT_THAT(obk.Calls(), ElementsAre("deleteAlias Janka 421903123456", "setAlias Jana "));
    EXPECT_THAT(obk.aliases, ElementsAre(CFakeObkService::Alias{"Jana", ""}));
}

TEST_F(AddressBookSyncTest, EndingTheMergeAtTheFirstConflictLeavesBothBooks) {
    SyncTestBooks::Fill(local, {{"Jan", "0903123456", ""}, {"Eva", "0905111222", ""}});
    obk.aliases = {{"Jano", "421903123456"}, {"Eva", "421905999999"}};
    ui.numberAnswers = {NumberChoice::EndSync};

    Synchronize(CAddressBookSync::Merge);

    EXPECT_THAT(Local(), ElementsAre("Jan 0903123456", "Eva 0905111222"));
    EXPECT_THAT(obk.Calls(), IsEmpty());
    EXPECT_THAT(ui.events, ElementsAre("mode?", "progress on", "number conflict Jan / Jano",
                                       "ended", "progress off"));
}

TEST_F(AddressBookSyncTest, NumbersTakenBeforeTheMergeWasEndedStay) {
    SyncTestBooks::Fill(local, {{"Eva", "0905111222", ""}, {"Jan", "0903123456", ""}});
    obk.aliases = {{"Eva", "421905999999"}, {"Jano", "421903123456"}};
    ui.nameAnswers = {NameChoice::StoreAsPhone2};
    ui.numberAnswers = {NumberChoice::EndSync};

    Synchronize(CAddressBookSync::Merge);

    EXPECT_THAT(ui.events, Contains("name conflict Eva +421905999999 0905111222"));
    EXPECT_THAT(Local(), ElementsAre("Eva 0905111222, +421905999999", "Jan 0903123456"));
    EXPECT_THAT(obk.Calls(), IsEmpty());
    EXPECT_THAT(ui.events, Contains("ended"));
}

TEST_F(AddressBookSyncTest, NumberConflictChoices) {
    SyncTestBooks::Fill(local, {{"Jan", "0903123456", ""}});
    obk.aliases = {{"Jano", "421903123456"}};
    ui.numberAnswers = {NumberChoice::DeleteAlias};
    Synchronize(CAddressBookSync::Merge);
    // The deleted alias does not come back into the local book.
    EXPECT_THAT(obk.Calls(),
                ElementsAre("deleteAlias Jano 421903123456", "setAlias Jan 421903123456"));
    EXPECT_THAT(Local(), ElementsAre("Jan 0903123456"));

    CSmsAddressBook book;
    CFakeObkService server;
    SyncTestBooks::Fill(book, {{"Jan", "0903123456", ""}});
    server.aliases = {{"Jano", "421903123456"}};
    ui.numberAnswers = {NumberChoice::DeleteContact};
    CAddressBookSync(book, server, ui).Synchronize();
    EXPECT_THAT(server.Calls(), IsEmpty());
    EXPECT_THAT(SyncTestBooks::Describe(book), ElementsAre("Jano +421903123456"));
}

TEST_F(AddressBookSyncTest, BooksInStepSendNothing) {
    const std::string simon = A("Šimon Kováčik Nový");
    SyncTestBooks::Fill(local, {{"Jan", "0903123456", ""}, {simon, "+421905111222", ""}},
                        {{"Priatelia", {"Jan", simon}}});
    const Lines before = Local();
    obk.aliases = {{"Jan", "421903123456"}, {"Simon Kovacik N", "421905111222"}};
    obk.groups = {{"Priatelia", {"Jan", "Simon Kovacik N"}}};

    for (const auto mode : {CAddressBookSync::Merge, CAddressBookSync::QlnToOb}) {
        Synchronize(mode);
        EXPECT_THAT(obk.Calls(), IsEmpty());
        EXPECT_THAT(ui.events, Not(Contains("errors")));
        EXPECT_EQ(Local(), before);
    }
}

TEST_F(AddressBookSyncTest, GroupErrorTextIsOneLineOnlyWhenTheLocalBookReplacesTheObk) {
    SyncTestBooks::Fill(local, {{"Jan", "0903123456", ""}}, {{"Rodina", {"Jan"}}});
    obk.aliases = {{"Jan", "421903123456"}};
    obk.Refuse = [](const std::string& call) { return call.starts_with("setGroup") ? 26 : 0; };
    ui.statusText = [](int) { return A("Služba je zablokovaná\n\nE26"); };
    const std::string line = A("Chyba pri ukladaní skupiny \"Rodina\" na Portella. ");

    Synchronize(CAddressBookSync::QlnToOb);
    EXPECT_EQ(ui.errorLines, line + A("Služba je zablokovaná  E26\r\n"));

    ui.errorLines.clear();
    Synchronize(CAddressBookSync::Merge);
    EXPECT_EQ(ui.errorLines, line + A("Služba je zablokovaná\n\nE26\r\n"));
}

TEST_F(AddressBookSyncTest, RefusalsAreListedAndTheRunGoesOn) {
    const std::string simon = A("Šimon Kováčik Nový");
    SyncTestBooks::Fill(local, {{simon, "0903123456", ""}, {"Eva", "0905000000", ""}});
    obk.aliases = {{"Fero", "421907000000"}};
    obk.groups = {{"Stari", {"Fero"}}};
    obk.Refuse = [](const std::string& call) { return call.starts_with("setAlias Eva") ? 0 : 26; };

    Synchronize(CAddressBookSync::QlnToOb);
    EXPECT_THAT(obk.Calls(),
                ElementsAre("deleteAlias Fero 421907000000", "deleteGroup Stari",
                            "setAlias Simon Kovacik N 421903123456", "setAlias Eva 421905000000"));
    EXPECT_EQ(ui.errorLines, A("Chyba pri vymazávaní kontaktu \"Fero\" z Portella. E26\r\n"
                               "Chyba pri vymazávaní skupiny \"Stari\" z Portella. E26\r\n"
                               "Chyba pri ukladaní kontaktu \"Simon Kovacik N\" na Portella. "
                               "E26\r\n"));
    EXPECT_THAT(ui.events, Contains("completed"));

    // A merge names the contact by its own name.
    ui.errorLines.clear();
    Synchronize(CAddressBookSync::Merge);
    EXPECT_EQ(ui.errorLines, A("Chyba pri ukladaní kontaktu \"Šimon Kováčik Nový\" na "
                               "Portella. E26\r\n"));
}

TEST_F(AddressBookSyncTest, MergeJoinsTheGroupsOfBothBooks) {
    SyncTestBooks::Fill(local, {{"Jan", "0903123456", ""}, {"Eva", "0905111222", ""}},
                        {{"Rodina", {"Jan"}}});
    obk.aliases = {{"Jan", "421903123456"}, {"Eva", "421905111222"}, {"Fero", "421907000000"}};
    obk.groups = {{"Rodina", {"Eva", "Fero", "Nobody"}}, {"Praca", {"Jan"}}};

    Synchronize(CAddressBookSync::Merge);

    EXPECT_THAT(Local(), ElementsAre("Jan 0903123456", "Eva 0905111222", "Fero +421907000000",
                                     "[Rodina] Jan, Eva, Fero,", "[Praca] Jan,"));
    EXPECT_THAT(obk.Calls(), ElementsAre("setGroup Rodina: Jan, Eva, Fero"));
}

TEST_F(AddressBookSyncTest, LocalGroupsReplaceTheObkGroups) {
    // Group names are cut, then transliterated; members are transliterated, then cut.
    const std::string simon = A("Šimon Kováčik Nový");
    SyncTestBooks::Fill(local, {{"Jan", "0903123456", ""}, {simon, "0905111222", ""}},
                        {{A("Škola a priatelia"), {simon, "Jan"}}, {"Prazdna", {}}});
    obk.aliases = {{"Jan", "421903123456"}};
    obk.groups = {{"Stari", {"Jan"}}, {"Prazdna", {"Jan"}}};

    Synchronize(CAddressBookSync::QlnToOb);

    EXPECT_THAT(obk.Calls(),
                ElementsAre("deleteGroup Stari", "setAlias Simon Kovacik N 421905111222",
                            "setGroup Skola a priatel: Simon Kovacik N, Jan", "setGroup Prazdna:"));
}

// A server group may name a member for which the OBK has no alias.
TEST_F(AddressBookSyncTest, AServerMemberWithoutAliasIsReplacedButNotCopied) {
    const auto fill = [this] {
        local.RemoveAll();
        SyncTestBooks::Fill(local, {{"Eva", "0905111222", ""}}, {{"Rodina", {"Eva"}}});
        obk.aliases = {{"Eva", "421905111222"}};
        obk.groups = {{"Rodina", {"Eva", "Ghost"}}};
    };
    fill();
    Synchronize(CAddressBookSync::QlnToOb);
    EXPECT_THAT(obk.Calls(), ElementsAre("setGroup Rodina: Eva"));
    EXPECT_EQ(obk.groups, (std::vector<CFakeObkService::Group>{{"Rodina", {"Eva"}}}));

    fill();
    const std::size_t sent = obk.Calls().size();
    Synchronize(CAddressBookSync::Merge);
    EXPECT_EQ(obk.Calls().size(), sent) << "the merge has nothing to add";
    EXPECT_THAT(Local(), ElementsAre("Eva 0905111222", "[Rodina] Eva,"));

    fill();
    Synchronize(CAddressBookSync::ObToQln);
    EXPECT_THAT(Local(), ElementsAre("Eva +421905111222", "[Rodina] Eva,"));
}

TEST_F(AddressBookSyncTest, RefusedFetchRunsNoDirection) {
    SyncTestBooks::Fill(local, {{"Jan", "0903123456", ""}});
    obk.fetchStatus = 23;

    Synchronize(CAddressBookSync::ObToQln);

    EXPECT_THAT(Local(), ElementsAre("Jan 0903123456"));
    EXPECT_THAT(ui.events, ElementsAre("mode?", "progress on", "fetch refused 23", "progress off"));
}

TEST_F(AddressBookSyncTest, DuplicatesOrCancelStopBeforeTheFetch) {
    SyncTestBooks::Fill(local, {{"A", "0903123456", ""}, {"B", "00421903123456", ""}});
    obk.fetchStatus = 99; // a fetch would show up as a message
    Synchronize(CAddressBookSync::Merge);
    EXPECT_THAT(ui.events, ElementsAre("duplicates B / A"));

    ui.events.clear();
    local.RemoveAll();
    ui.mode.reset();
    CAddressBookSync(local, obk, ui).Synchronize();
    EXPECT_THAT(ui.events, ElementsAre("mode?"));
}

TEST_F(AddressBookSyncTest, ServiceFailuresEndTheRunWhereItWas) {
    SyncTestBooks::Fill(local, {{"Jan", "0903123456", ""}, {"Eva", "0905111222", ""}});
    obk.Refuse = [](const std::string& call) -> int {
        if (call.starts_with("setAlias Eva"))
            throw CKvwsSoapException(0, 21);
        return 0;
    };
    Synchronize(CAddressBookSync::Merge);
    EXPECT_THAT(obk.aliases, ElementsAre(CFakeObkService::Alias{"Jan", "421903123456"}));
    EXPECT_THAT(ui.events, ElementsAre("mode?", "progress on", "soap error 0/21", "progress off"));

    ui.events.clear();
    obk.Refuse = [](const std::string&) -> int { throw CKvwsDbException(); };
    Synchronize(CAddressBookSync::QlnToOb);
    EXPECT_THAT(ui.events, ElementsAre("mode?", "progress on", "db error", "progress off"));
}

TEST_F(AddressBookSyncTest, MessageTexts) {
    EXPECT_EQ(CAddressBookSync::DuplicatesMessage("B", "A"),
              A("Adresár obsahuje duplicitné záznamy.\nKontakty \"B\" a \"A\" majú zhodné "
                "telefónne číslo.\nSynchronizácia s Portella je možná až po odstránení "
                "duplikátov."));
    EXPECT_EQ(CAddressBookSync::FinishedMessage(true), A("Synchronizácia ukončená"));
    EXPECT_EQ(CAddressBookSync::FinishedMessage(false), A("Synchronizácia prerušená užívateľom"));
}

TEST_F(AddressBookSyncTest, TextsFollowTheCoreLanguageAndTakeNamesAsTheyAre) {
    LanguageResources english;
    english.strings = {{12, "Could not delete \"%s\" from Portella: %s\r\n"},
                       {11, "\"%s\" and \"%s\" share a number"},
                       {9, "Done"}};
    CoreTexts::UseLanguage(english);
    SyncTestBooks::Fill(local, {{"Jan", "0903123456", ""}});
    obk.aliases = {{"50%s %d", "421907000000"}};
    obk.Refuse = [](const std::string& call) { return call.starts_with("deleteAlias") ? 26 : 0; };

    Synchronize(CAddressBookSync::QlnToOb);
    const std::string ended = CAddressBookSync::FinishedMessage(false);
    const std::string duplicates = CAddressBookSync::DuplicatesMessage("%s", "B");
    const std::string completed = CAddressBookSync::FinishedMessage(true);
    CoreTexts::UseBuiltIn();

    EXPECT_EQ(ui.errorLines, "Could not delete \"50%s %d\" from Portella: E26\r\n");
    EXPECT_EQ(duplicates, "\"%s\" and \"B\" share a number");
    EXPECT_EQ(completed, "Done");
    EXPECT_EQ(ended, A("Synchronizácia prerušená užívateľom"));
}

TEST_F(AddressBookSyncTest, UnknownModeDoesNothingAndCompletes) {
    SyncTestBooks::Fill(local, {{"Jan", "0903123456", ""}});
    obk.aliases = {{"Eva", "421905111222"}};
    Synchronize(static_cast<CAddressBookSync::ManualSyncMode>(7));
    EXPECT_THAT(Local(), ElementsAre("Jan 0903123456"));
    EXPECT_THAT(obk.Calls(), IsEmpty());
    EXPECT_THAT(ui.events, Contains("completed"));
}

} // namespace
