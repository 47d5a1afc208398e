#include "CommandContext.h"
#include "../platform/ScopedEnv.h"
#include "ExitCode.h"

#include <gtest/gtest.h>

namespace {

ArgParser Parser() {
    ArgParser parser = CommandParser("quillon-cli test [--flag] ARG", "A command of the test.");
    parser.Flag("--flag", "a flag");
    return parser;
}

} // namespace

TEST(CommandContext, HelpEndsTheCommandBeforeItsWork) {
    bool ran = false;
    testing::internal::CaptureStdout();
    const int code = RunCommand(Parser(), {"--help"}, [&](CommandContext&) {
        ran = true;
        return int(ExitLocalError);
    });
    const std::string help = testing::internal::GetCapturedStdout();
    EXPECT_EQ(code, ExitOk);
    EXPECT_FALSE(ran);
    EXPECT_NE(help.find("A command of the test."), std::string::npos);
}

TEST(CommandContext, TheWorkGetsTheArgumentsAndGivesTheExitCode) {
    const int code = RunCommand(Parser(), {"--flag", "one"}, [](CommandContext& context) {
        EXPECT_TRUE(context.Args().Has("--flag"));
        EXPECT_EQ(context.Args().Positionals(), std::vector<std::string>{"one"});
        return int(ExitRefused);
    });
    EXPECT_EQ(code, ExitRefused);
}

TEST(CommandContext, ABadCommandLineFailsBeforeTheWork) {
    bool ran = false;
    try {
        RunCommand(Parser(), {"--unknown"}, [&](CommandContext&) {
            ran = true;
            return 0;
        });
        FAIL() << "no error";
    } catch (const CliError& error) {
        EXPECT_EQ(error.Code(), ExitUsage);
    }
    EXPECT_FALSE(ran);
}

TEST(CommandContext, TheSessionNeedsAUser) {
    ScopedEnv user("QUILLON_USER", nullptr);
    const auto code = [] {
        try {
            RunCommand(Parser(), {}, [](CommandContext& context) {
                context.Session();
                return 0;
            });
        } catch (const CliError& error) {
            return error.Code();
        }
        return ExitOk;
    }();
    EXPECT_EQ(code, ExitUsage);
}
