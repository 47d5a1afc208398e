// Several programs hold objects of one user at once; each full save must keep what the others
// stored meanwhile. Two objects in one process stand for two programs: the file is where they
// meet either way.
#include "ProfileTestFolder.h"
#include "model/SmsConfig.h"
#include "model/SmsUserInfo.h"

#include <algorithm>

namespace {

class ProfileMergeTest : public ProfileFolderTest {
protected:
    static std::unique_ptr<CSmsUserInfo> Load() {
        auto user = CSmsUserInfo::GetUserInfo("alice", "1.1", "QLN");
        EXPECT_NE(user, nullptr);
        return user;
    }

    static void Send(CSmsUserInfo& user, const std::string& text, std::int64_t time,
                     std::int64_t smsId) {
        user.GetArchive().AddItem(text, "Eva", "421903111111", time, false, smsId, 1);
    }

    static void Delete(CSmsUserInfo& user, const std::string& text) {
        CSmsArchive& archive = user.GetArchive();
        for (int i = 0; i < archive.GetItemCount(); ++i) {
            if (archive.GetItem(i)->GetSmsText() == text)
                archive.DeleteItem(archive.GetItem(i));
        }
    }

    static std::vector<std::string> Texts(CSmsUserInfo& user) {
        std::vector<std::string> texts;
        for (int i = 0; i < user.GetArchive().GetItemCount(); ++i)
            texts.push_back(user.GetArchive().GetItem(i)->GetSmsText());
        return texts;
    }

    static std::vector<std::string> Contacts(CSmsUserInfo& user) {
        std::vector<std::string> names;
        const CSmsAddressBook& book = user.GetAddressBook();
        for (int i = 0; i < book.GetItemCount(); ++i)
            names.push_back(book.GetItem(i)->GetName());
        return names;
    }

    static std::vector<std::string> Members(CSmsUserInfo& user, const std::string& group) {
        const CSmsAddressBookGroup* found = user.GetAddressBook().GetGroupByName(group);
        return found ? found->GetMembers() : std::vector<std::string>{"(no group)"};
    }
};

TEST_F(ProfileMergeTest, MessagesFiledOrDeletedElsewhereStaySoAndDeletionsHereAreNotUndone) {
    {
        auto setup = Load();
        Send(*setup, "old 1", 100, 1);
        Send(*setup, "old 2", 200, 2);
        Send(*setup, "old 3", 300, 3);
        ASSERT_TRUE(setup->Save(false));
    }
    auto desktop = Load();
    auto cli = Load();

    Send(*cli, "from the cli", 500, 5);
    Delete(*cli, "old 1");
    ASSERT_TRUE(cli->Save(false));

    Send(*desktop, "from the desktop", 400, 4);
    Delete(*desktop, "old 2");
    ASSERT_TRUE(desktop->Save(false));

    const std::vector<std::string> expected{"from the cli", "from the desktop", "old 3"};
    EXPECT_EQ(Texts(*desktop), expected);
    EXPECT_EQ(Texts(*Load()), expected);

    // The next save of the other side brings nothing back either.
    ASSERT_TRUE(cli->Save(false));
    EXPECT_EQ(Texts(*Load()), expected);
}

TEST_F(ProfileMergeTest, DeliveryReportsFiledOnEitherSideAreKept) {
    {
        auto setup = Load();
        CSmsArchiveItem* group = setup->GetArchive().AddGroupItem("hi", 100, false, 1, "Rodina");
        group->AddRecipient("Eva", "421903111111", 11);
        group->AddRecipient("Jan", "421903222222", 12);
        Send(*setup, "single", 50, 13);
        ASSERT_TRUE(setup->Save(false));
    }
    auto desktop = Load();
    auto cli = Load();
    const CSmsArchiveItem* shown = desktop->GetArchive().GetItem(1); // "single", on a page
    cli->GetArchive().UpdateItem(11, CSmsRecipientInfo::Delivered, 150);
    cli->GetArchive().UpdateItem(13, CSmsRecipientInfo::NotDelivered, 160);
    ASSERT_TRUE(cli->Save(false));
    desktop->GetArchive().UpdateItem(12, CSmsRecipientInfo::Delivered, 170);
    ASSERT_TRUE(desktop->Save(false));

    auto stored = Load();
    EXPECT_EQ(Texts(*stored), (std::vector<std::string>{"hi", "single"}));
    ASSERT_EQ(stored->GetArchive().GetItemCount(), 2);
    EXPECT_EQ(stored->GetArchive().GetItem(0)->GetStatus(), CSmsRecipientInfo::Delivered);
    EXPECT_EQ(stored->GetArchive().GetItem(1)->GetStatus(), CSmsRecipientInfo::NotDelivered);
    EXPECT_EQ(stored->GetArchive().GetItem(0)->GetRecipient(0)->GetDeliveryTime(), 170);
    // The desktop's own item object took the report filed elsewhere.
    EXPECT_EQ(desktop->GetArchive().GetItem(1), shown);
    EXPECT_EQ(shown->GetStatus(), CSmsRecipientInfo::NotDelivered);
}

TEST_F(ProfileMergeTest, ContactsAndGroupsChangedOnBothSidesAreMergedByName) {
    {
        auto setup = Load();
        CSmsAddressBook& book = setup->GetAddressBook();
        book.AddContact("Jan", "0903111111", "");
        book.AddContact("Eva", "0903222222", "");
        book.AddContact("Ida", "0903333333", "");
        book.AddGroupMember(book.AddGroup("Rodina"), "Jan");
        book.AddGroupMember(book.AddGroup("Praca"), "Eva");
        ASSERT_TRUE(setup->Save(false));
    }
    auto desktop = Load();
    auto cli = Load();

    CSmsAddressBook& theirs = cli->GetAddressBook();
    theirs.AddContact("Ema", "0905111111", "");
    theirs.EditContactByID(theirs.GetItemByName("Jan")->GetID(), "Jano", "0903111111", "");
    theirs.EditContactByID(theirs.GetItemByName("Ida")->GetID(), "Ida", "0909999999", "");
    theirs.AddGroupMember(theirs.AddGroup("Klub"), "Ema");
    ASSERT_TRUE(cli->Save(false));

    CSmsAddressBook& ours = desktop->GetAddressBook();
    ours.AddContact("Oto", "0907111111", "");
    ours.DelContactByID(ours.GetItemByName("Eva")->GetID());
    ASSERT_TRUE(desktop->Save(false));

    for (const auto& user : {Load(), std::move(desktop)}) {
        std::vector<std::string> names = Contacts(*user);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"Ema", "Ida", "Jano", "Oto"}));
        EXPECT_EQ(user->GetAddressBook().GetItemByName("Ida")->GetPhone1(), "0909999999");
        EXPECT_EQ(Members(*user, "Rodina"), std::vector<std::string>{"Jano"});
        EXPECT_EQ(Members(*user, "Praca"), std::vector<std::string>{});
        EXPECT_EQ(Members(*user, "Klub"), std::vector<std::string>{"Ema"});
    }
}

TEST_F(ProfileMergeTest, SettingsAndCountsOfBothSidesAreKept) {
    auto desktop = Load();
    auto cli = Load();
    cli->SetMaxDays(30);
    cli->IncrementCounters(3);
    ASSERT_TRUE(cli->Save(false));
    desktop->SetDeliveryReport(1);
    desktop->IncrementCounters(2);
    ASSERT_TRUE(desktop->Save(false));

    auto stored = Load();
    EXPECT_EQ(stored->GetMaxDays(), 30u);
    EXPECT_EQ(stored->GetDeliveryReport(), 1);
    EXPECT_EQ(stored->GetSentTotal(), 5);
    EXPECT_EQ(stored->GetSentToday(), 5);
}

TEST_F(ProfileMergeTest, APasswordForgottenElsewhereIsNotStoredAgainButStaysForTheSession) {
    {
        auto setup = Load();
        setup->SetPassword("secret");
        ASSERT_TRUE(setup->Save(false));
    }
    auto desktop = Load();
    ASSERT_EQ(desktop->GetPassword(), "secret");
    ASSERT_TRUE(CSmsUserInfo::ResetPwd("alice"));
    desktop->IncrementCounters(1);
    ASSERT_TRUE(desktop->Save(false));
    EXPECT_EQ(desktop->GetPassword(), "secret");
    EXPECT_EQ(Load()->GetPassword(), "");
}

TEST_F(ProfileMergeTest, AFileThatCannotBeReadRemovesNothing) {
    auto desktop = Load();
    Send(*desktop, "mine", 100, 1);
    ASSERT_TRUE(desktop->Save(false));
    WriteBytes(ProfilePath("alice"), std::vector<unsigned char>(64, 0x5A));
    Send(*desktop, "mine too", 200, 2);
    ASSERT_TRUE(desktop->Save(false));
    EXPECT_EQ(Texts(*Load()), (std::vector<std::string>{"mine too", "mine"}));
}

TEST_F(ProfileMergeTest, AnUpdateChangesTheProfileAsItIsStoredNow) {
    auto desktop = Load();
    auto cli = Load();
    cli->GetAddressBook().AddContact("Eva", "0903111111", "");
    ASSERT_TRUE(cli->Save(false));

    bool added = true;
    ASSERT_TRUE(desktop->Update([&](CSmsUserInfo& user) {
        added = user.GetAddressBook().AddContact("Eva", "0905999999", "") >= 0;
    }));
    EXPECT_FALSE(added);
    EXPECT_EQ(Load()->GetAddressBook().GetItemByName("Eva")->GetPhone1(), "0903111111");

    // A change that fails writes nothing.
    EXPECT_THROW(desktop->Update([](CSmsUserInfo& user) {
        user.GetAddressBook().AddContact("Ida", "0903222222", "");
        throw std::runtime_error("refused");
    }),
                 std::runtime_error);
    EXPECT_EQ(Contacts(*Load()), std::vector<std::string>{"Eva"});
}

TEST_F(ProfileMergeTest, ARefreshBringsInWhatOthersStored) {
    auto poller = Load();
    auto cli = Load();
    Send(*cli, "sent meanwhile", 100, 1);
    ASSERT_TRUE(cli->Save(false));
    poller->Refresh();
    EXPECT_EQ(Texts(*poller), std::vector<std::string>{"sent meanwhile"});
}

class ConfigMergeTest : public ProfileFolderTest {};

TEST_F(ConfigMergeTest, AnInstanceWritesOnlyWhatItChangedWhenItGoes) {
    auto idle = std::make_unique<CSmsConfig>();
    auto confirming = std::make_unique<CSmsConfig>();
    {
        CSmsConfig settingsPage;
        settingsPage.SetAppMode(CSmsConfig::SingleUserSavedPwd);
        settingsPage.SetDefaultUser("alice");
        ASSERT_TRUE(settingsPage.Save(false));
    }
    idle.reset();
    confirming->SetConfirmExit(false);
    confirming.reset();

    const CSmsConfig stored;
    EXPECT_EQ(stored.GetAppMode(), CSmsConfig::SingleUserSavedPwd);
    EXPECT_EQ(stored.GetDefaultUser(), "alice");
    EXPECT_FALSE(stored.ConfirmExit());
}

} // namespace
