#include "ArgParser.h"
#include "ExitCode.h"
#include "ScheduleText.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

ArgParser SendLike() {
    return ArgParser("send [options] RECIPIENT...", "Sends a message.")
        .Flag("--flash", "flash message")
        .Option("--text", "TEXT", "the message", "-m")
        .Option("--user", "LOGIN", "the user");
}

ExitCode UsageCode(const ArgParser& parser, const std::vector<std::string>& args) {
    try {
        parser.Parse(args);
    } catch (const CliError& error) {
        return error.Code();
    }
    return ExitOk;
}

} // namespace

TEST(ArgParser, OptionsAndArgumentsInAnyOrder) {
    const ParsedArgs parsed = SendLike().Parse(
        {"0903111222", "--flash", "-m", "hi", "Alice", "--user=bob", "--", "--not-an-option", "-"});
    EXPECT_TRUE(parsed.Has("--flash"));
    EXPECT_EQ(parsed.Value("--text"), "hi");
    EXPECT_EQ(parsed.Value("--user"), "bob");
    EXPECT_FALSE(parsed.Value("--missing").has_value());
    EXPECT_EQ(parsed.Positionals(),
              (std::vector<std::string>{"0903111222", "Alice", "--not-an-option", "-"}));
}

TEST(ArgParser, LastValueWinsAndEmptyValueIsKept) {
    const ParsedArgs parsed = SendLike().Parse({"--text", "one", "--text=", "x"});
    EXPECT_EQ(parsed.Value("--text"), "");
}

TEST(ArgParser, RefusesUnknownOptionsMissingValuesAndValuedFlags) {
    EXPECT_EQ(UsageCode(SendLike(), {"--bogus"}), ExitUsage);
    EXPECT_EQ(UsageCode(SendLike(), {"-m"}), ExitUsage);
    EXPECT_EQ(UsageCode(SendLike(), {"--flash=yes"}), ExitUsage);
}

TEST(ArgParser, CommandsWithoutArgumentsRefuseThem) {
    ArgParser parser = SendLike();
    parser.NoArguments();
    EXPECT_EQ(UsageCode(parser, {"--flash", "extra"}), ExitUsage);
    EXPECT_EQ(UsageCode(parser, {"--flash"}), ExitOk);
}

TEST(ArgParser, PrefixStopsAtTheFirstArgument) {
    std::size_t consumed = 0;
    const ParsedArgs parsed =
        SendLike().ParsePrefix({"--user", "bob", "--flash", "send", "--text", "x"}, consumed);
    EXPECT_EQ(consumed, 3u);
    EXPECT_EQ(parsed.Value("--user"), "bob");
    EXPECT_TRUE(parsed.Positionals().empty());
}

TEST(ArgParser, HelpListsEveryOption) {
    const std::string help = SendLike().Help();
    EXPECT_NE(help.find("Usage: send [options] RECIPIENT..."), std::string::npos);
    EXPECT_NE(help.find("-m, --text TEXT"), std::string::npos);
    EXPECT_NE(help.find("--flash"), std::string::npos);
}

TEST(ArgParser, HelpWrapsLongTextsUnderTheirOption) {
    ArgParser parser("x", "");
    parser.Option("--every", "PERIOD", std::string(60, 'a') + " " + std::string(60, 'b'));
    EXPECT_EQ(parser.Help(), "Usage: x\n\n\n\nOptions:\n      --every PERIOD            " +
                                 std::string(60, 'a') + "\n" + std::string(32, ' ') +
                                 std::string(60, 'b') + "\n");
}

TEST(ScheduleText, ParsesLocalTimesAndRefusesOtherShapes) {
    EXPECT_EQ(ParseLocalTime("10.03.2025 14:30"), LocalTime(2025, 3, 10, 14, 30));
    EXPECT_EQ(ParseLocalTime("29.02.2024"), LocalTime(2024, 2, 29));
    // Across the change to summer time the local wall clock is what counts.
    EXPECT_EQ(ParseLocalTime("30.03.2025 03:30"), LocalTime(2025, 3, 30, 3, 30));
    for (const char* bad : {"", "10.3.2025 14:30", "31.04.2025 10:00", "29.02.2025",
                            "10.03.2025 24:00", "10.03.2025 14:60", "10.03.2025 14:30:00",
                            "10.03.2025T14:30", "aa.bb.cccc", "01.01.1960"})
        EXPECT_FALSE(ParseLocalTime(bad).has_value()) << bad;
    EXPECT_EQ(FormatLocalTime(LocalTime(2025, 3, 10, 14, 30)), "10.03.2025 14:30");
}

TEST(ScheduleText, PeriodicityNamesMatchTheScheduleValues) {
    EXPECT_EQ(ParsePeriodicity("once"), 0);
    EXPECT_EQ(ParsePeriodicity("daily"), 5);
    EXPECT_EQ(ParsePeriodicity("monthly"), 9);
    EXPECT_EQ(ParsePeriodicity("workdays"), 11);
    EXPECT_FALSE(ParsePeriodicity("Daily").has_value());
    for (int p = 0; p <= 11; ++p)
        EXPECT_EQ(ParsePeriodicity(PeriodicityName(p)), p);
    EXPECT_EQ(PeriodicityName(-1), "-1");
}
