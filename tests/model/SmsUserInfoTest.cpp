#include "model/SmsUserInfo.h"
#include "ProfileTestFolder.h"
#include "model/Utilities.h"
#include "model/UtilitiesInternal.h"
#include "model/XmlText.h"

#include <pugixml.hpp>

#include <cerrno>
#include <climits>
#include <system_error>

namespace {

class UserInfoTest : public ProfileFolderTest {
protected:
    static std::unique_ptr<CSmsUserInfo> Load(const std::string& name = "alice") {
        auto user = CSmsUserInfo::GetUserInfo(name, "1.1", "QLN");
        EXPECT_NE(user, nullptr);
        return user;
    }

    // A profile file holding one user with the given "Prefs" children.
    static void WritePrefs(const std::string& prefs, const std::string& name = "alice") {
        WriteContainer(ProfilePath(name), "<?xml version=\"1.0\"?><KvSmsDa><User Name=\"" + name +
                                              "\"><Prefs>" + prefs + "</Prefs></User></KvSmsDa>");
    }

    static bool IsNewUser(CSmsUserInfo& user) {
        return user.GetDoArchive() == 1 && user.ShowSA() == 1 && user.GetSentTotal() == 0 &&
               user.GetArchive().GetItemCount() == 0 && user.GetAddressBook().GetItemCount() == 0 &&
               user.GetHistory().empty() && user.GetPassword().empty();
    }

    static std::vector<std::string> ChildNames(const pugi::xml_node& node) {
        std::vector<std::string> names;
        for (const pugi::xml_node& child : node.children())
            names.push_back(child.name());
        return names;
    }

    static std::vector<std::string> HistoryTexts(CSmsUserInfo& user) {
        std::vector<std::string> texts;
        for (const auto& entry : user.GetHistory())
            texts.push_back(entry->GetText());
        return texts;
    }

    static void AddHistory(CSmsUserInfo& user, const std::string& text, std::int64_t time) {
        CSmsArchive::InsertHistory(user.GetHistory(), std::make_unique<CSmsHistoryItem>(text, time),
                                   CSmsArchive::MaxHistoryItems);
    }
};

TEST_F(UserInfoTest, ANewUserHasTheDefaults) {
    const auto user = Load();
    EXPECT_EQ(user->GetName(), "alice");
    EXPECT_TRUE(IsNewUser(*user));
    EXPECT_EQ(user->GetDeliveryReport(), 0);
    EXPECT_EQ(user->UseOBK(), 0);
    EXPECT_EQ(user->ShowNotice(), 0);
    EXPECT_EQ(user->GetAutoDelMode(), CSmsUserInfo::AutoDelOff);
    EXPECT_EQ(user->GetEnterKeyMode(), CSmsUserInfo::EnterNewLine);
    EXPECT_EQ(user->GetConflictMode(), 0);
    EXPECT_EQ(user->GetMaxDays() + user->GetMaxItems(), 0u);
    EXPECT_EQ(user->GetLastNoticeTime(), 0);
    EXPECT_TRUE(user->IsPasswordSaved());
}

TEST_F(UserInfoTest, AWholeProfileComesBackAsItWasSaved) {
    const FixedClock clock(LocalTime(2026, 5, 4, 10, 0));
    const std::string accented = "\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2"; // Žluťoučký kůň
    {
        auto user = Load();
        user->SetPassword("p\xE1ss w=rd");
        user->SetDeliveryReport(1);
        user->SetDoArchive(0);
        user->SetUseOBK(1);
        user->SetShowNotice(1);
        user->SetShowSA(0);
        user->SetAutoDelMode(CSmsUserInfo::AutoDelByCount);
        user->SetEnterKeyMode(CSmsUserInfo::EnterSends);
        user->SetConflictMode(4);
        user->SetMaxDays(30);
        user->SetMaxItems(500);
        user->SetLastNoticeTime(LocalTime(2026, 5, 1));
        user->IncrementCounters(7);
        user->GetArchive().AddItem("Ahoj\r\n" + accented, "0903123456", "421903123456",
                                   LocalTime(2026, 5, 3), false, 77, 1);
        user->GetAddressBook().AddContact(accented, "0903123456", "");
        user->GetAddressBook().AddContact(" ", "0905", "");
        user->GetAddressBook().AddGroup("Rodina");
        user->GetAddressBook().AddGroupMember(0, accented);
        AddHistory(*user, accented, 100);
        AddHistory(*user, "0903123456", 200);
        ASSERT_TRUE(user->Save(false));
    }
    const auto user = Load();
    EXPECT_EQ(user->GetPassword(), "p\xE1ss w=rd");
    EXPECT_EQ(user->GetDeliveryReport(), 1);
    EXPECT_EQ(user->GetDoArchive(), 0);
    EXPECT_EQ(user->UseOBK(), 1);
    EXPECT_EQ(user->ShowNotice(), 1);
    EXPECT_EQ(user->ShowSA(), 0);
    EXPECT_EQ(user->GetAutoDelMode(), CSmsUserInfo::AutoDelByCount);
    EXPECT_EQ(user->GetEnterKeyMode(), CSmsUserInfo::EnterSends);
    EXPECT_EQ(user->GetConflictMode(), 4);
    EXPECT_EQ(user->GetMaxDays(), 30u);
    EXPECT_EQ(user->GetMaxItems(), 500u);
    EXPECT_EQ(user->GetLastNoticeTime(), LocalTime(2026, 5, 1));
    EXPECT_EQ(user->GetSentToday(), 7);
    EXPECT_EQ(user->GetSentTotal(), 7);
    ASSERT_EQ(user->GetArchive().GetItemCount(), 1);
    EXPECT_EQ(user->GetArchive().GetItem(0)->GetSmsText(), "Ahoj\r\n" + accented);
    CSmsAddressBook& book = user->GetAddressBook();
    ASSERT_EQ(book.GetItemCount(), 2);
    EXPECT_EQ(book.GetItem(0)->GetName(), accented);
    EXPECT_EQ(book.GetItem(1)->GetName(), " ");
    ASSERT_EQ(book.GetGroupCount(), 1);
    EXPECT_EQ(book.GetGroup(0)->GetMembers(), std::vector<std::string>{accented});
    EXPECT_EQ(HistoryTexts(*user), (std::vector<std::string>{"0903123456", accented}));

    // The layout, and every text valid UTF-8.
    const std::string xml = ReadContainer(ProfilePath("alice"));
    EXPECT_TRUE(IsValidUtf8(xml));
    EXPECT_EQ(xml.find("p\xC3\xA1ss"), std::string::npos); // the password is not in plain text
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(xml.c_str()));
    const pugi::xml_node stored = document.child("KvSmsDa").child("User");
    EXPECT_STREQ(stored.attribute("Name").value(), "alice");
    EXPECT_EQ(ChildNames(stored),
              (std::vector<std::string>{"Archive", "AddressBook", "History", "Prefs"}));
    EXPECT_EQ(ChildNames(stored.child("Prefs")),
              (std::vector<std::string>{"Archive", "DeliveryReport", "UseOBK", "ShowNotice",
                                        "ShowSA", "Today", "Total", "DateToday", "DateNotice",
                                        "EnterKeyMode", "ConflictMode", "Password", "AutoDelete"}));
    EXPECT_STREQ(stored.child("Prefs").child("AutoDelete").attribute("Mode").value(), "2");
    EXPECT_EQ(ChildNames(stored.child("Prefs").child("AutoDelete")),
              (std::vector<std::string>{"MaxItems", "MaxDays"}));
}

TEST_F(UserInfoTest, DamagedOrForeignFilesGiveANewUser) {
    WritePrefs("<Total>7</Total>");
    const std::vector<unsigned char> good = ReadBytes(ProfilePath("alice"));
    EXPECT_EQ(Load()->GetSentTotal(), 7); // the files below differ from this one only as named

    EXPECT_TRUE(IsNewUser(*Load("Alice")));
    EXPECT_TRUE(IsNewUser(*Load("alice ")));

    std::vector<unsigned char> bytes = good;
    bytes.push_back(0);
    std::vector<unsigned char> truncated(good.begin(), good.end() - 8);
    std::vector<unsigned char> garbage(good.size(), 0xA5);
    std::vector<unsigned char> enormous = good;
    DecipherBuffer(enormous.data(), 8);
    enormous[0] = enormous[1] = enormous[2] = enormous[3] = 0xFF;
    EncipherBuffer(enormous.data(), 8);
    for (const auto& content :
         {bytes, truncated, garbage, enormous, std::vector<unsigned char>()}) {
        WriteBytes(ProfilePath("alice"), content);
        EXPECT_TRUE(IsNewUser(*Load()));
    }

    std::string deep = "<KvSmsDa><User Name=\"alice\">";
    for (int i = 0; i < 100000; ++i)
        deep += "<Prefs>";
    for (const std::string& xml :
         {std::string("<Other><User Name=\"alice\"><Prefs><Total>7</Total></Prefs></User></Other>"),
          std::string("<KvSmsDa><User Name=\"alice\"><Prefs><Total>7</Total></Prefs>"), deep,
          std::string("not xml at all"), std::string()}) {
        WriteContainer(ProfilePath("alice"), xml);
        EXPECT_TRUE(IsNewUser(*Load()));
    }
}

TEST_F(UserInfoTest, StoredSettingsAreClampedOnReading) {
    WritePrefs("<Archive>5</Archive><Today>abc</Today><Total>99999999999</Total>"
               "<EnterKeyMode>3</EnterKeyMode><ConflictMode>7</ConflictMode>"
               "<DateToday>-5</DateToday><DateNotice>4102444800</DateNotice>"
               "<AutoDelete Mode=\"7\"><MaxItems>-1</MaxItems><MaxDays>5000</MaxDays></AutoDelete>"
               "<Unknown>1</Unknown>");
    auto user = Load();
    EXPECT_EQ(user->GetDoArchive(), 5);
    EXPECT_EQ(user->GetSentTotal(), 0);
    EXPECT_EQ(user->GetEnterKeyMode(), 0);
    EXPECT_EQ(user->GetConflictMode(), 0);
    EXPECT_EQ(user->GetMaxItems(), 10000u);
    EXPECT_EQ(user->GetMaxDays(), 1000u);
    EXPECT_EQ(user->GetAutoDelMode(), 7);
    EXPECT_EQ(user->GetLastNoticeTime(), 4102444800); // past 2038
    EXPECT_FALSE(user->IsToday());

    WritePrefs("<ConflictMode>4</ConflictMode><EnterKeyMode>1</EnterKeyMode>"
               "<AutoDelete><MaxItems>10000</MaxItems><MaxDays>99999999999</MaxDays></AutoDelete>");
    user = Load();
    EXPECT_EQ(user->GetConflictMode(), 4);
    EXPECT_EQ(user->GetEnterKeyMode(), 1);
    EXPECT_EQ(user->GetMaxItems(), 10000u);
    EXPECT_EQ(user->GetMaxDays(), 1000u);
}

TEST_F(UserInfoTest, ThePasswordIsStoredOnlyWhenAskedAndAlwaysComesBack) {
    // A plain password that also reads as enciphered text: stored as it stands, it would come
    // back as something else.
    std::string tricky;
    for (int i = 1000000; i < 2000000 && tricky.empty(); ++i) {
        const std::string candidate = "CorrectHorseBatteryStaple" + std::to_string(i);
        if (!DecipherBase64Text(candidate).empty())
            tricky = candidate;
    }
    ASSERT_FALSE(tricky.empty());
    auto user = Load();
    user->SetPassword(tricky);
    ASSERT_TRUE(user->Save(false));
    EXPECT_EQ(Load()->GetPassword(), tricky);

    user->SavePassword(false);
    ASSERT_TRUE(user->Save(false));
    EXPECT_EQ(ReadContainer(ProfilePath("alice")).find("Password"), std::string::npos);
    EXPECT_EQ(Load()->GetPassword(), "");

    // Earlier files: the password as it is, or enciphered.
    WritePrefs("<Password>plain secret</Password>");
    EXPECT_EQ(Load()->GetPassword(), "plain secret");
    unsigned char block[8] = {'s', 'e', 'c', 'r', 'e', 't', 0, 0};
    EncipherBuffer(block, sizeof(block));
    WritePrefs("<Password>" + Base64Encode(block, sizeof(block)) + "</Password>");
    EXPECT_EQ(Load()->GetPassword(), "secret");

    ASSERT_TRUE(CSmsUserInfo::ResetPwd("alice"));
    EXPECT_EQ(Load()->GetPassword(), "");
}

TEST_F(UserInfoTest, CountersFollowTheLocalCalendarDay) {
    // The night when summer time starts in Central Europe.
    FixedClock clock(LocalTime(2026, 3, 28, 23, 30));
    WritePrefs("<Today>4</Today><Total>10</Total><DateToday>" +
               std::to_string(LocalTime(2026, 3, 27, 12, 0)) + "</DateToday>");
    auto user = Load();
    EXPECT_FALSE(user->IsToday());
    user->IncrementCounters(3);
    EXPECT_EQ(user->GetSentToday(), 3);
    EXPECT_EQ(user->GetSentTotal(), 13);
    user->IncrementCounters(2);
    EXPECT_EQ(user->GetSentToday(), 5);

    clock.Set(LocalTime(2026, 3, 29, 0, 10));
    EXPECT_FALSE(user->IsToday());
    EXPECT_EQ(user->GetSentToday(), 0);
    user->IncrementCounters(1);
    clock.Set(LocalTime(2026, 3, 29, 23, 59));
    EXPECT_TRUE(user->IsToday());
    EXPECT_EQ(user->GetSentToday(), 1);
    EXPECT_EQ(user->GetSentTotal(), 16);

    user->ResetCounter();
    EXPECT_EQ(user->GetSentTotal(), 0);
    EXPECT_EQ(user->GetSentToday(), 1);

    WritePrefs("<Total>2147483647</Total>");
    user = Load();
    user->IncrementCounters(5);
    EXPECT_EQ(user->GetSentTotal(), INT_MAX);
}

TEST_F(UserInfoTest, PartialSavesKeepWhatTheFullSaverStored) {
    const FixedClock clock(LocalTime(2026, 6, 1, 12, 0));
    auto desktop = Load();
    auto toolbar = Load();

    desktop->GetArchive().AddItem("from the desktop", "0903111111", "421903111111",
                                  LocalTime(2026, 6, 1, 11, 0), false, 1, 1);
    desktop->GetAddressBook().AddContact("Jan", "0903111111", "");
    desktop->SetMaxDays(30);
    AddHistory(*desktop, "0903111111", 10);
    ASSERT_TRUE(desktop->Save(false));

    AddHistory(*toolbar, "0905222222", 20);
    toolbar->IncrementCounters(2);
    toolbar->SetEnterKeyMode(CSmsUserInfo::EnterSends);
    toolbar->SetShowSA(0);
    toolbar->SetUseOBK(1);
    toolbar->SetDeliveryReport(1); // not one of the fields a partial save stores
    toolbar->SetPassword("pw");
    ASSERT_TRUE(toolbar->Save(true));

    auto stored = Load();
    ASSERT_EQ(stored->GetArchive().GetItemCount(), 1);
    EXPECT_EQ(stored->GetArchive().GetItem(0)->GetSmsText(), "from the desktop");
    EXPECT_EQ(stored->GetAddressBook().GetItemCount(), 1);
    EXPECT_EQ(stored->GetMaxDays(), 30u);
    EXPECT_EQ(stored->GetDeliveryReport(), 0);
    EXPECT_EQ(stored->GetSentTotal(), 2);
    EXPECT_EQ(stored->GetEnterKeyMode(), CSmsUserInfo::EnterSends);
    EXPECT_EQ(stored->ShowSA(), 0);
    EXPECT_EQ(stored->UseOBK(), 1);
    EXPECT_EQ(stored->GetPassword(), "pw");
    EXPECT_EQ(HistoryTexts(*stored), (std::vector<std::string>{"0905222222", "0903111111"}));

    // A full save takes the history and the counts other processes stored.
    AddHistory(*desktop, "0907333333", 30);
    ASSERT_TRUE(desktop->Save(false));
    EXPECT_EQ(HistoryTexts(*desktop),
              (std::vector<std::string>{"0907333333", "0905222222", "0903111111"}));
    stored = Load();
    EXPECT_EQ(stored->GetSentTotal(), 2);
    EXPECT_EQ(stored->GetEnterKeyMode(), CSmsUserInfo::EnterSends);
    EXPECT_EQ(HistoryTexts(*stored), HistoryTexts(*desktop));
}

TEST_F(UserInfoTest, LegacyProfilesAreReadAndWrittenToTheCurrentFolder) {
    WriteContainer(ProfilePath("alice", true),
                   "<KvSmsDa><User Name=\"alice\"><Prefs><Total>9</Total></Prefs></User>"
                   "</KvSmsDa>");
    const std::vector<unsigned char> legacy = ReadBytes(ProfilePath("alice", true));
    auto user = Load();
    EXPECT_EQ(user->GetSentTotal(), 9);
    user->IncrementCounters(1);
    ASSERT_TRUE(user->Save(false));
    EXPECT_EQ(ReadBytes(ProfilePath("alice", true)), legacy);
    EXPECT_EQ(Load()->GetSentTotal(), 10);
    EXPECT_NE(ReadContainer(ProfilePath("alice")).find("<Total>10</Total>"), std::string::npos);
}

TEST_F(UserInfoTest, AFailedSaveIsReportedAndLeavesTheOldProfile) {
    WritePrefs("<Total>3</Total>");
    auto user = Load();
    for (int i = 0; i < 3000; ++i)
        user->GetArchive().AddItem("message " + std::to_string(i * 2654435761u), "0903", "421903",
                                   1000 + i, false, i, 1);
    bool saved = true;
    WithSmallFileLimit([&] { saved = user->Save(false); });

    EXPECT_FALSE(saved);
    EXPECT_EQ(user->GetLastSaveError().reason, SaveError::Reason::IoError);
    EXPECT_EQ(user->GetLastSaveError().path, ProfilePath("alice"));
    auto stored = Load();
    EXPECT_EQ(stored->GetSentTotal(), 3);
    EXPECT_EQ(stored->GetArchive().GetItemCount(), 0);
    // The next save that succeeds has no reason left.
    EXPECT_TRUE(user->Save(false));
    EXPECT_FALSE(user->GetLastSaveError().Failed());

    // A name that would leave the profile folder has no file at all.
    auto outside = Load("../config");
    EXPECT_FALSE(outside->Save(false));
    EXPECT_EQ(outside->GetLastSaveError().reason, SaveError::Reason::IoError);
    EXPECT_FALSE(std::filesystem::exists(GetConfigDir(false, false) + "config.dat"));
}

// Both kinds of save tell why they failed: here the profile folder cannot be made, as a file
// stands in its place.
TEST_F(UserInfoTest, AFailedSaveTellsWhy) {
    auto user = Load();
    const std::string folder = GetConfigDir(true, false) + "UserData";
    WriteBytes(folder, {1});
    const SaveError noFolder{SaveError::Reason::NoFolder, folder + "/",
                             std::generic_category().message(ENOTDIR)};
    EXPECT_FALSE(user->Save(false));
    EXPECT_EQ(user->GetLastSaveError(), noFolder);
    EXPECT_FALSE(user->Save(true));
    EXPECT_EQ(user->GetLastSaveError(), noFolder);
    EXPECT_FALSE(CSmsUserInfo::ResetPwd("alice"));

    std::filesystem::remove(folder);
    std::filesystem::create_directories(ProfilePath("alice"));
    EXPECT_FALSE(user->Save(false));
    EXPECT_EQ(user->GetLastSaveError(),
              (SaveError{SaveError::Reason::RenameFailed, ProfilePath("alice"),
                         std::generic_category().message(EISDIR)}));
}

} // namespace
