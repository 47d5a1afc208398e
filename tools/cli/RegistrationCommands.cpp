#include "AccountSyncCommands.h"
#include "CheckCode.h"
#include "CliSession.h"
#include "CommandContext.h"
#include "ExitCode.h"
#include "InputDecoder.h"
#include "Terminal.h"

#include "model/SmsUserInfo.h"
#include "model/Utilities.h"

#include <cstdio>
#include <cstdlib>

namespace {

// The mobile number in the international form the service keeps.
std::string MobileArgument(std::string number) {
    if (!ValidateNumber(number))
        throw UsageError("\"" + number + "\" is not a valid phone number");
    ConvertToIntl(number);
    return number;
}

// The password of a new account, ANSI like the one the login sends: QUILLON_PASSWORD, else
// asked at the terminal.
std::string NewPassword(const std::string& login) {
    const InputDecoder& decoder = InputDecoder::OfLocale();
    if (const char* password = std::getenv("QUILLON_PASSWORD"); password && *password)
        return decoder.ToAnsi(password, "QUILLON_PASSWORD");
    const std::string password = decoder.ToAnsi(
        AskTerminal("Password for the new account " + AnsiToUtf8(login) + ": ", false).value_or(""),
        "the password");
    if (password.empty())
        throw UsageError("no password: set QUILLON_PASSWORD or run at a terminal");
    return password;
}

// Saving the password is asked for again when confirming: the first step saved nothing.
std::vector<std::string> ConfirmUserLater(const ParsedArgs& args) {
    std::vector<std::string> words{"register-user"};
    if (args.Has("--save-password"))
        words.push_back("--save-password");
    return words;
}

// Asks for the registration, or confirms one asked for earlier.
int RegisterUser(CommandContext& context) {
    const ParsedArgs& parsed = context.Args();
    const bool confirming = ConfirmsEarlierStep(parsed);
    if (!confirming && !parsed.Has("--mobile"))
        throw UsageError("register-user wants --mobile NUMBER");

    CliSession& session = context.Session();
    CSmsUserInfo& user = session.User();
    if (!confirming || parsed.Has("--save-password"))
        user.SetPassword(NewPassword(session.Login()));
    const TwoSteps steps{
        [&](std::int64_t& transaction) {
            user.SetPhoneNr(MobileArgument(*parsed.Value("--mobile")));
            std::string eula;
            const int status = user.KvwsAsk4UserRegistration(eula, transaction);
            if (status == 0 && !eula.empty())
                std::printf("Terms of use (confirming with the check code accepts them):\n%s\n",
                            AnsiToUtf8(eula).c_str());
            return status;
        },
        [&](const std::string& code, std::int64_t transaction) {
            return user.KvwsUserRegistration(code, transaction);
        },
        ConfirmUserLater(parsed)};
    if (!RunTwoSteps(session, parsed, steps))
        return ExitOk;
    // The registration opened a session; this command has no more use for it.
    user.KvwsLogout();
    std::printf("Account %s registered.\n", AnsiToUtf8(session.Login()).c_str());
    if (parsed.Has("--save-password")) {
        session.KeepPassword();
        session.Save();
        std::printf("Password saved in the profile.\n");
    }
    return ExitOk;
}

} // namespace

int RunRegisterNumber(const std::vector<std::string>& args) {
    ArgParser parser = CommandParser(
        "quillon-cli register-number NUMBER",
        "Registers the mobile number with the account. The service sends a check code to it by\n"
        "SMS, which is asked at the terminal (or confirm later with --transaction and --code).");
    AddCheckCodeOptions(parser);
    return RunCommand(parser, args, [](CommandContext& context) -> int {
        const ParsedArgs& parsed = context.Args();
        if (parsed.Positionals().size() != 1)
            throw UsageError("register-number wants the mobile number");
        const std::string mobile = MobileArgument(parsed.Positionals().front());

        CliSession& session = context.Session(Access::LoggedIn);
        CSmsUserInfo& user = session.User();
        const TwoSteps steps{[&](std::int64_t& transaction) {
                                 return user.KvwsAsk4MobileRegistration(mobile, transaction);
                             },
                             [&](const std::string& code, std::int64_t transaction) {
                                 return user.KvwsMobileRegistration(code, transaction);
                             },
                             {"register-number", mobile}};
        if (!RunTwoSteps(session, parsed, steps))
            return ExitOk;
        user.SetPhoneNr(mobile);
        std::printf("Mobile number %s registered.\n", mobile.c_str());
        return ExitOk;
    });
}

int RunRegisterUser(const std::vector<std::string>& args) {
    ArgParser parser = CommandParser(
        "quillon-cli register-user --mobile NUMBER [--save-password]",
        "Creates a new account under the login name given with --user (or $QUILLON_USER), with\n"
        "the password from $QUILLON_PASSWORD or asked at the terminal. The service shows its\n"
        "terms and sends a check code to the mobile number by SMS; confirming with it accepts\n"
        "the terms (the code is asked at the terminal, or confirm later with --transaction and\n"
        "--code).");
    parser.Option("--mobile", "NUMBER", "the subscriber's mobile number")
        .Flag("--save-password", "keep the password for later commands")
        .NoArguments();
    AddCheckCodeOptions(parser);
    return RunCommand(parser, args, RegisterUser);
}
