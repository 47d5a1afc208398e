#include "SettingsCommand.h"

#include "CommandContext.h"
#include "Commands.h"
#include "ExitCode.h"

#include "model/SmsConfig.h"
#include "model/Utilities.h"

#include <cstdio>
#include <optional>

namespace {

int AppMode(const std::string& text) {
    if (text == "0" || text == "1" || text == "2")
        return text[0] - '0';
    throw UsageError("--app-mode takes 0 (several users), 1 (one user) or 2 (one user whose "
                     "password is saved), not \"" +
                     text + "\"");
}

bool OnOff(const std::string& option, const std::string& text) {
    if (text == "on" || text == "off")
        return text == "on";
    throw UsageError(option + " takes on or off, not \"" + text + "\"");
}

} // namespace

ArgParser SettingsParser() {
    ArgParser parser = CommandParser(
        "quillon-cli settings [--app-mode 0|1|2] [--default-user NAME] [--min-to-tray on|off]",
        "Shows the settings of this installation, or changes them: how the desktop program logs\n"
        "in (0: several users, each by name; 1: one user, the default user, who types the\n"
        "password; 2: the default user logs in with the password saved by login\n"
        "--save-password) and whether it minimises into the tray.");
    parser.Option("--app-mode", "MODE", "0, 1 or 2")
        .Option("--default-user", "NAME", "the login name of the default user")
        .Option("--min-to-tray", "on|off", "minimise into the tray")
        .NoArguments();
    return parser;
}

bool ApplySettings(const ParsedArgs& args, CSmsConfig& config) {
    const std::optional<std::string> mode = args.Value("--app-mode");
    const std::optional<std::string> user = args.Value("--default-user");
    const std::optional<std::string> tray = args.Value("--min-to-tray");
    // Every value is checked before the first is set.
    const std::optional<int> appMode = mode ? std::optional<int>(AppMode(*mode)) : std::nullopt;
    const std::optional<bool> minToTray =
        tray ? std::optional<bool>(OnOff("--min-to-tray", *tray)) : std::nullopt;
    if (appMode)
        config.SetAppMode(*appMode);
    if (user)
        config.SetDefaultUser(Utf8ToAnsi(*user));
    if (minToTray)
        config.SetMinToTray(*minToTray);
    return appMode || user || minToTray;
}

std::string DescribeSettings(const CSmsConfig& config) {
    return "app mode: " + std::to_string(int(config.GetAppMode())) +
           "\ndefault user: " + AnsiToUtf8(config.GetDefaultUser()) +
           "\nminimise to tray: " + (config.GetMinToTray() ? "on" : "off") + "\n";
}

int RunSettings(const std::vector<std::string>& args) {
    return RunCommand(SettingsParser(), args, [](CommandContext& context) -> int {
        CSmsConfig* config = CSmsConfig::GetInstance();
        if (!config)
            throw LocalError("the settings are not available");
        if (ApplySettings(context.Args(), *config) && !config->Save(false))
            throw LocalError("the settings could not be saved");
        std::printf("%s", DescribeSettings(*config).c_str());
        return ExitOk;
    });
}
