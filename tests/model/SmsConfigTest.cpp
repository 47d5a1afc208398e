#include "model/SmsConfig.h"
#include "ProfileTestFolder.h"
#include "model/CoreLibrary.h"
#include "model/StoredFileNotice.h"
#include "model/UtilitiesInternal.h"
#include "model/XmlText.h"

#include <cerrno>
#include <system_error>

namespace {

class ConfigTest : public ProfileFolderTest {
protected:
    static void WriteSettings(const std::string& settings, bool legacy = false) {
        WriteContainer(ConfigPath(legacy),
                       "<?xml version=\"1.0\"?><KvSmsDa>" + settings + "</KvSmsDa>");
    }

    static bool HasDefaults(const CSmsConfig& config) {
        return config.GetAppMode() == CSmsConfig::MultiUser && config.GetDefaultUser().empty() &&
               !config.GetAutoLogout() && config.GetLogoutDelay() == 1 && !config.GetMinToTray() &&
               config.ConfirmExit() && config.GetLcid() == 0 && config.GetDesktopNotifications();
    }
};

TEST_F(ConfigTest, WithoutAFileTheDefaultsStay) {
    const CSmsConfig config;
    EXPECT_TRUE(HasDefaults(config));
}

TEST_F(ConfigTest, AllFieldsComeBackAndTheFileIsReadFromTheLegacyFolderWhenMissing) {
    const std::string name = "J\xE1n \x8E"; // Ján Ž
    WriteSettings("<Settings><AppMode>2</AppMode><DefaultUser>" + AnsiToXmlText(name) +
                      "</DefaultUser><AutoLogout>5</AutoLogout><LogoutDelay>15</LogoutDelay>"
                      "<SysTray>1</SysTray><ConfirmExit>0</ConfirmExit><LCID>1050</LCID>"
                      "</Settings>",
                  true);
    { const CSmsConfig unchanged; } // writes nothing
    EXPECT_FALSE(std::filesystem::exists(ConfigPath()));
    {
        CSmsConfig config;
        EXPECT_EQ(config.GetAppMode(), CSmsConfig::SingleUserSavedPwd);
        EXPECT_EQ(config.GetDefaultUser(), name);
        EXPECT_TRUE(config.GetAutoLogout());
        EXPECT_EQ(config.GetLogoutDelay(), 15);
        EXPECT_TRUE(config.GetMinToTray());
        EXPECT_FALSE(config.ConfirmExit());
        EXPECT_EQ(config.GetLcid(), 1050);
        config.SetLcid(1051);
    } // writes the current file

    const std::string xml = ReadContainer(ConfigPath());
    EXPECT_TRUE(IsValidUtf8(xml));
    EXPECT_NE(
        xml.find("<Settings><AppMode>2</AppMode><DefaultUser>J\xC3\xA1n \xC5\xBD</DefaultUser>"
                 "<AutoLogout>1</AutoLogout><LogoutDelay>15</LogoutDelay><SysTray>1</SysTray>"
                 "<ConfirmExit>0</ConfirmExit><LCID>1051</LCID>"
                 "<DesktopNotifications>1</DesktopNotifications></Settings>"),
        std::string::npos);
    const CSmsConfig again;
    EXPECT_EQ(again.GetDefaultUser(), name);
    EXPECT_EQ(again.GetLcid(), 1051);
}

TEST_F(ConfigTest, StoredValuesAreClamped) {
    WriteSettings("<Settings><AppMode>3</AppMode><LogoutDelay>90</LogoutDelay>"
                  "<LCID>-1</LCID><SysTray>x</SysTray></Settings>");
    CSmsConfig config;
    EXPECT_EQ(config.GetAppMode(), CSmsConfig::MultiUser);
    EXPECT_EQ(config.GetLogoutDelay(), 60);
    EXPECT_EQ(config.GetLcid(), 0xFFFF);
    EXPECT_FALSE(config.GetMinToTray());

    WriteSettings("<Settings><AppMode>-1</AppMode><LogoutDelay>-1</LogoutDelay></Settings>");
    config = CSmsConfig();
    EXPECT_EQ(config.GetAppMode(), CSmsConfig::MultiUser);
    EXPECT_EQ(config.GetLogoutDelay(), 60);
}

TEST_F(ConfigTest, OnlyASettingsFirstChildIsRead) {
    WriteSettings("<!-- note --><Other/><Settings><AppMode>1</AppMode></Settings>");
    EXPECT_TRUE(HasDefaults(CSmsConfig()));
    WriteContainer(ConfigPath(), "<Config><Settings><AppMode>1</AppMode></Settings></Config>");
    EXPECT_TRUE(HasDefaults(CSmsConfig()));
    WriteSettings("<!-- note --><Settings><AppMode>1</AppMode></Settings>");
    EXPECT_EQ(CSmsConfig().GetAppMode(), CSmsConfig::SingleUser);
}

TEST_F(ConfigTest, SettingsTextsMustBeShorterThanTwentyTimesTheFile) {
    std::string filler;
    for (int i = 0; i < 2000; ++i)
        filler += "<Pad/>";
    WriteSettings("<Settings><AppMode>1</AppMode>" + filler + "</Settings>");
    EXPECT_TRUE(HasDefaults(CSmsConfig()));
    EXPECT_FALSE(ReadContainer(ConfigPath(), 200).empty());
}

TEST_F(ConfigTest, SaveStoresOnlyItsPartOverWhatTheFileHolds) {
    WriteSettings("<Settings><LCID>1051</LCID><SysTray>1</SysTray><LogoutDelay>5</LogoutDelay>"
                  "<ConfirmExit>0</ConfirmExit></Settings>");
    CSmsConfig mine;
    mine.SetAutoLogout(true);
    mine.SetLogoutDelay(20);
    mine.SetLcid(1033);
    mine.SetMinToTray(false);
    mine.SetConfirmExit(true);
    mine.SetDefaultUser("bob");
    mine.SetAppMode(CSmsConfig::SingleUser);
    ASSERT_TRUE(mine.Save(true));
    {
        const CSmsConfig stored;
        EXPECT_TRUE(stored.GetAutoLogout());
        EXPECT_EQ(stored.GetLogoutDelay(), 20);
        EXPECT_EQ(stored.GetLcid(), 1051);
        EXPECT_TRUE(stored.GetMinToTray());
        EXPECT_FALSE(stored.ConfirmExit());
        EXPECT_EQ(stored.GetDefaultUser(), "bob");
        EXPECT_EQ(stored.GetAppMode(), CSmsConfig::SingleUser);
    }
    mine.SetAutoLogout(false);
    ASSERT_TRUE(mine.Save(false));
    const CSmsConfig stored;
    EXPECT_TRUE(stored.GetAutoLogout());
    EXPECT_EQ(stored.GetLcid(), 1033);
    EXPECT_FALSE(stored.GetMinToTray());
    EXPECT_FALSE(stored.ConfirmExit());

    std::filesystem::remove(ConfigPath());
    std::filesystem::create_directory(ConfigPath()); // the file cannot be replaced
    EXPECT_FALSE(mine.Save(true));
    EXPECT_EQ(mine.GetLastSaveError(), (SaveError{SaveError::Reason::RenameFailed, ConfigPath(),
                                                  std::generic_category().message(EISDIR)}));
    std::filesystem::remove(ConfigPath());
    EXPECT_TRUE(mine.Save(true));
    EXPECT_FALSE(mine.GetLastSaveError().Failed());
}

TEST_F(ConfigTest, DesktopNotificationsAreOnUnlessTurnedOffAndSavedWithTheWindowFields) {
    // Files written before the choice existed lack the element.
    WriteSettings("<Settings><AppMode>1</AppMode></Settings>");
    CSmsConfig mine;
    EXPECT_TRUE(mine.GetDesktopNotifications());
    mine.SetDesktopNotifications(false);
    ASSERT_TRUE(mine.Save(true));
    EXPECT_TRUE(CSmsConfig().GetDesktopNotifications());
    ASSERT_TRUE(mine.Save(false));
    EXPECT_FALSE(CSmsConfig().GetDesktopNotifications());

    WriteSettings("<Settings><DesktopNotifications>7</DesktopNotifications></Settings>");
    EXPECT_TRUE(CSmsConfig().GetDesktopNotifications());
    WriteSettings("<Settings><DesktopNotifications>0</DesktopNotifications></Settings>");
    EXPECT_FALSE(CSmsConfig().GetDesktopNotifications());
}

// ... and are kept beside the file that the next write makes.
TEST_F(ConfigTest, DamagedFilesLeaveTheDefaults) {
    FixedClock clock(LocalTime(2026, 1, 2, 3, 4, 5));
    const std::vector<unsigned char> good =
        PackStoredText("<KvSmsDa><Settings><AppMode>1</AppMode></Settings></KvSmsDa>");
    std::vector<unsigned char> odd = good;
    odd.pop_back();
    TakeStoredFileNotices();
    for (const auto& bytes : {odd, std::vector<unsigned char>(good.size(), 0x3C),
                              PackStoredText("<KvSmsDa><Other/><Settings/></KvSmsDa>"),
                              PackStoredText("<Settings>"), std::vector<unsigned char>()}) {
        WriteBytes(ConfigPath(), bytes);
        EXPECT_TRUE(HasDefaults(CSmsConfig()));
        const std::vector<StoredFileNotice> notices = TakeStoredFileNotices();
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_EQ(notices[0].path, ConfigPath());
        EXPECT_TRUE(notices[0].keptAs.starts_with(ConfigPath() + ".damaged-2026010"));
        EXPECT_EQ(ReadBytes(notices[0].keptAs), bytes);
        clock.Advance(1);
    }
    WriteBytes(ConfigPath(), good);
    EXPECT_EQ(CSmsConfig().GetAppMode(), CSmsConfig::SingleUser);
}

TEST_F(ConfigTest, TheLibraryReadsTheSettingsAtLoadAndWritesThemAtUnload) {
    QuillonCoreDetach();
    EXPECT_EQ(CSmsConfig::GetInstance(), nullptr);
    std::filesystem::remove(ConfigPath());

    QuillonCoreAttach();
    ASSERT_NE(CSmsConfig::GetInstance(), nullptr);
    EXPECT_TRUE(HasDefaults(*CSmsConfig::GetInstance()));
    CSmsConfig::GetInstance()->SetConfirmExit(false);
    CSmsConfig::GetInstance()->SetDefaultUser("\x8E"
                                              "ofia");
    QuillonCoreDetach();
    EXPECT_EQ(CSmsConfig::GetInstance(), nullptr);

    QuillonCoreAttach();
    ASSERT_NE(CSmsConfig::GetInstance(), nullptr);
    EXPECT_FALSE(CSmsConfig::GetInstance()->ConfirmExit());
    EXPECT_EQ(CSmsConfig::GetInstance()->GetDefaultUser(), "\x8E"
                                                           "ofia");

    // A new instance is made from what the old one wrote.
    CSmsConfig::GetInstance()->SetLcid(1029);
    EXPECT_EQ(CSmsConfig::CreateInstance()->GetLcid(), 1029);
}

// The unload at process exit comes after the static and thread-local objects are destroyed; it
// still takes the lock and converts the name.
TEST_F(ConfigTest, TheSettingsAreWrittenWhenTheProcessExits) {
    std::filesystem::remove(ConfigPath());
    CSmsConfig::CreateInstance();
    EXPECT_EXIT(
        {
            CSmsConfig::GetInstance()->SetDefaultUser("\x8E"
                                                      "ofia");
            CSmsConfig::GetInstance()->SetLcid(1051);
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
    const CSmsConfig stored;
    EXPECT_EQ(stored.GetDefaultUser(), "\x8E"
                                       "ofia");
    EXPECT_EQ(stored.GetLcid(), 1051);
}

} // namespace
