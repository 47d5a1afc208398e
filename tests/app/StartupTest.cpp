#include "logic/CommandLine.h"
#include "logic/StartupDecisions.h"

#include "model/SmsConfig.h"
#include "model/SmsUserInfo.h"
#include "platform/Paths.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>

namespace {

StartupSettings Settings(int appMode, const std::string& defaultUser = "", bool minToTray = false) {
    return {appMode, defaultUser, minToTray};
}

TEST(CommandLine, OnlyTheMinFlagInAnyCaseStartsMinimised) {
    EXPECT_FALSE(ParseCommandLine({}).startMinimised);
    EXPECT_TRUE(ParseCommandLine({"-min"}).startMinimised);
    EXPECT_TRUE(ParseCommandLine({" -min"}).startMinimised);
    EXPECT_TRUE(ParseCommandLine({"-MIN "}).startMinimised);
    EXPECT_TRUE(ParseCommandLine({"sms:0903123456", "-Min"}).startMinimised);
    EXPECT_FALSE(ParseCommandLine({"min"}).startMinimised);
    EXPECT_FALSE(ParseCommandLine({"-minimal"}).startMinimised);
    EXPECT_FALSE(ParseCommandLine({"--min"}).startMinimised);
    EXPECT_FALSE(ParseCommandLine({"-mi"}).startMinimised);

    const char* argv[] = {"quillon", "-min", nullptr};
    EXPECT_TRUE(ParseCommandLine(2, argv).startMinimised);
    // The program's own name is no flag.
    const char* named[] = {"-min"};
    EXPECT_FALSE(ParseCommandLine(1, named).startMinimised);
}

TEST(CommandLine, StartedMinimisedWithoutAConfigurationFolderEndsAtOnce) {
    ScopedDataHome home;
    CommandLine minimised;
    minimised.startMinimised = true;
    EXPECT_FALSE(ConfigFolderExists());
    EXPECT_TRUE(EndsAtOnce(minimised, ConfigFolderExists()));
    EXPECT_FALSE(EndsAtOnce(CommandLine{}, ConfigFolderExists()));

    GetConfigDir(true, false);
    EXPECT_TRUE(ConfigFolderExists());
    EXPECT_FALSE(EndsAtOnce(minimised, ConfigFolderExists()));
}

TEST(CommandLine, AFileInPlaceOfTheConfigurationFolderIsNoFolder) {
    ScopedDataHome home;
    std::string folder = GetConfigDir(false, false);
    folder.pop_back();
    std::filesystem::create_directories(std::filesystem::path(folder).parent_path());
    std::ofstream(folder) << "x";
    EXPECT_FALSE(ConfigFolderExists());
}

TEST(StartupDecisions, ASecondCopyWarnsAndLogsInWithAnEmptyNameEvenForOneUser) {
    const StartupSettings single = Settings(CSmsConfig::SingleUser, "jano");
    EXPECT_FALSE(WarnsOfOtherCopy(0));
    EXPECT_TRUE(WarnsOfOtherCopy(1));
    EXPECT_TRUE(WarnsOfOtherCopy(3));

    EXPECT_EQ(LoginStartFor(single, 0), (LoginStart{"jano", "jano"}));
    EXPECT_EQ(LoginStartFor(single, 1), LoginStart{});
    // The stored-password user is not logged in by himself either.
    EXPECT_EQ(LoginStartFor(Settings(CSmsConfig::SingleUserSavedPwd, "jano"), 2), LoginStart{});
    // Several users: the name field stays empty, the default user still counts.
    EXPECT_EQ(LoginStartFor(Settings(CSmsConfig::MultiUser, "jano"), 0), (LoginStart{"jano", ""}));
}

TEST(StartupDecisions, TheFirstFocusIsThePasswordOnlyForTheNamedSingleUserAtFirst) {
    const StartupSettings single = Settings(CSmsConfig::SingleUser, "jano");
    EXPECT_EQ(FirstFocus(single, true, true), LoginField::Password);
    EXPECT_EQ(FirstFocus(single, false, true), LoginField::Name);
    EXPECT_EQ(FirstFocus(single, true, false), LoginField::Name);
    EXPECT_EQ(FirstFocus(Settings(CSmsConfig::SingleUserSavedPwd, "jano"), true, true),
              LoginField::Name);
    EXPECT_EQ(FirstFocus(Settings(CSmsConfig::MultiUser), true, true), LoginField::Name);
}

TEST(StartupDecisions, MinimisedIntoTheTrayIsTheOnlyStartWithoutSplash) {
    const StartupSettings tray = Settings(0, "", true);
    const StartupSettings noTray = Settings(0, "", false);
    EXPECT_FALSE(ShowsSplash(true, tray));
    EXPECT_TRUE(StartsHidden(true, tray));
    // "-min" while MinToTray is off: splash and a window shown normally.
    EXPECT_TRUE(ShowsSplash(true, noTray));
    EXPECT_FALSE(StartsHidden(true, noTray));
    EXPECT_TRUE(ShowsSplash(false, tray));
    EXPECT_FALSE(StartsHidden(false, tray));
}

TEST(StartupDecisions, OnlyTheStoredPasswordUserKeepsSavePassword) {
    EXPECT_FALSE(KeepsSavePasswordAfterLogin(Settings(CSmsConfig::MultiUser)));
    EXPECT_FALSE(KeepsSavePasswordAfterLogin(Settings(CSmsConfig::SingleUser)));
    EXPECT_TRUE(KeepsSavePasswordAfterLogin(Settings(CSmsConfig::SingleUserSavedPwd)));

    const StartupSettings saved = Settings(CSmsConfig::SingleUserSavedPwd, "jano");
    EXPECT_TRUE(KeepsSavePasswordAtExit(saved, "jano"));
    // Exact comparison: another case is another user.
    EXPECT_FALSE(KeepsSavePasswordAtExit(saved, "Jano"));
    EXPECT_FALSE(KeepsSavePasswordAtExit(saved, "fero"));
    EXPECT_FALSE(KeepsSavePasswordAtExit(Settings(CSmsConfig::SingleUserSavedPwd), "jano"));
    EXPECT_FALSE(KeepsSavePasswordAtExit(Settings(CSmsConfig::SingleUser, "jano"), "jano"));
    EXPECT_FALSE(KeepsSavePasswordAtExit(Settings(CSmsConfig::MultiUser, "jano"), "jano"));
}

TEST(StartupDecisions, ArchiveCleanUpTakesTheLimitOfItsMode) {
    EXPECT_EQ(ArchiveCleanupFor(CSmsUserInfo::AutoDelOff, 30, 500), ArchiveCleanup{});
    EXPECT_EQ(ArchiveCleanupFor(CSmsUserInfo::AutoDelByDays, 30, 500),
              (ArchiveCleanup{true, 30, true}));
    EXPECT_EQ(ArchiveCleanupFor(CSmsUserInfo::AutoDelByCount, 30, 500),
              (ArchiveCleanup{true, 500, false}));
    // Any other non-zero mode counts items, as the archive settings read it.
    EXPECT_EQ(ArchiveCleanupFor(7, 30, 500), (ArchiveCleanup{true, 500, false}));
    // A huge stored limit stays huge instead of turning negative.
    EXPECT_EQ(ArchiveCleanupFor(CSmsUserInfo::AutoDelByCount, 0, 4000000000u).limit, INT_MAX);
}

} // namespace
