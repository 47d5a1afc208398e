#include "AccountSyncCommands.h"
#include "CheckCode.h"
#include "CliSession.h"
#include "CommandContext.h"
#include "CreditText.h"
#include "ExitCode.h"

#include "model/SmsUserInfo.h"

#include <cstdio>
#include <cstdlib>

namespace {

int NumberArgument(const std::string& text, const char* what) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 0 || value > 1000000)
        throw UsageError(std::string(what) + " wants a whole number");
    return static_cast<int>(value);
}

int ListCredit(CliSession& session, const ParsedArgs& args) {
    CSmsUserInfo& user = session.User();
    std::vector<unsigned> amounts;
    user.GetAvailableCredits(args.Has("--club"), amounts);
    if (amounts.empty())
        std::printf("No credit amounts are offered.\n");
    for (const unsigned amount : amounts) {
        std::printf("%u\n", amount);
        if (const CreditInfoArray* options = user.GetCreditInfo(amount)) {
            for (const _CreditInfo& option : *options)
                std::printf("  %s\n", CreditOptionText(option).c_str());
        }
    }
    return ExitOk;
}

int Recharge(CliSession& session, const ParsedArgs& args) {
    const auto& positionals = args.Positionals();
    if (positionals.size() != 2 && !ConfirmsEarlierStep(args))
        throw UsageError("credit recharge wants the amount");
    CSmsUserInfo& user = session.User();
    const int amount = positionals.size() > 1 ? NumberArgument(positionals[1], "the amount") : 0;
    const int points = NumberArgument(args.Value("--points").value_or("0"), "--points");
    const TwoSteps steps{[&](std::int64_t& transaction) {
                             return user.KvwsAsk4CreditRecharge(amount, points, transaction);
                         },
                         [&](const std::string& code, std::int64_t transaction) {
                             return user.KvwsCreditRecharge(code, transaction);
                         },
                         {"credit", "recharge"}};
    if (RunTwoSteps(session, args, steps))
        std::printf("Credit recharged.\n");
    return ExitOk;
}

} // namespace

int RunCredit(const std::vector<std::string>& args) {
    ArgParser parser = CommandParser(
        "quillon-cli credit list [--club] | credit recharge AMOUNT [--points N]",
        "list: the credit amounts that can be recharged, each with the ways to pay it with club\n"
        "points (--club: also the amounts for club members only).\n"
        "recharge: recharges the amount, paid in money or with --points N club points; the\n"
        "service sends a check code by SMS, which is asked at the terminal (or confirm later\n"
        "with --transaction and --code).");
    parser.Flag("--club", "list the amounts for club members only as well")
        .Option("--points", "N", "pay with N club points");
    AddCheckCodeOptions(parser);
    return RunCommand(parser, args, [](CommandContext& context) -> int {
        const ParsedArgs& parsed = context.Args();
        const auto& positionals = parsed.Positionals();
        const std::string action = positionals.empty() ? "" : positionals.front();
        if (action != "list" && action != "recharge")
            throw UsageError("credit wants \"list\" or \"recharge\"");
        if (action == "list" && positionals.size() != 1)
            throw UsageError("credit list takes no arguments");
        CliSession& session = context.Session(Access::LoggedIn);
        return action == "list" ? ListCredit(session, parsed) : Recharge(session, parsed);
    });
}
