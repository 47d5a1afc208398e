#include "SettingsCommand.h"
#include "ExitCode.h"

#include "model/SmsConfig.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

ParsedArgs Args(const std::vector<std::string>& args) {
    return SettingsParser().Parse(args);
}

TEST(SettingsCommand, SetsTheLoginOfTheDesktopProgramAndKeepsItInTheFile) {
    ScopedDataHome home;
    {
        CSmsConfig config;
        EXPECT_FALSE(ApplySettings(Args({}), config)) << "nothing given, nothing changed";
        EXPECT_TRUE(ApplySettings(
            Args({"--app-mode", "2", "--default-user", "demo", "--min-to-tray", "on"}), config));
        ASSERT_TRUE(config.Save(false));
    }
    const CSmsConfig stored;
    EXPECT_EQ(stored.GetAppMode(), CSmsConfig::SingleUserSavedPwd);
    EXPECT_EQ(stored.GetDefaultUser(), "demo");
    EXPECT_TRUE(stored.GetMinToTray());
    EXPECT_EQ(DescribeSettings(stored), "app mode: 2\ndefault user: demo\nminimise to tray: on\n");
}

TEST(SettingsCommand, ABadValueChangesNothing) {
    ScopedDataHome home;
    CSmsConfig config;
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--default-user", "eva", "--app-mode", "3"},
          {"--default-user", "eva", "--min-to-tray", "yes"},
          {"--app-mode", "-1"},
          {"--app-mode", "22"}}) {
        try {
            ApplySettings(Args(bad), config);
            ADD_FAILURE() << "accepted " << bad.back();
        } catch (const CliError& error) {
            EXPECT_EQ(error.Code(), ExitUsage);
        }
    }
    EXPECT_EQ(config.GetAppMode(), CSmsConfig::MultiUser);
    EXPECT_EQ(config.GetDefaultUser(), "");
    EXPECT_FALSE(config.GetMinToTray());
}

} // namespace
