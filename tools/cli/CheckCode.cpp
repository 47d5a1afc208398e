#include "CheckCode.h"

#include "CliSession.h"
#include "ExitCode.h"
#include "InputDecoder.h"
#include "Terminal.h"

#include <cstdio>
#include <cstdlib>

namespace {

std::int64_t TransactionOf(const std::string& text) {
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0')
        throw UsageError("--transaction wants the number printed by the first step");
    return value;
}

} // namespace

void AddCheckCodeOptions(ArgParser& parser) {
    parser.Option("--transaction", "N", "confirm the earlier request number N (with --code)")
        .Option("--code", "CODE", "the check code received by SMS for that request");
}

bool ConfirmsEarlierStep(const ParsedArgs& args) {
    if (args.Has("--transaction") != args.Has("--code"))
        throw UsageError("--transaction and --code go together");
    return args.Has("--transaction");
}

bool RunTwoSteps(const ParsedArgs& args, const TwoSteps& steps) {
    const InputDecoder& decoder = InputDecoder::OfLocale();
    if (ConfirmsEarlierStep(args)) {
        ExpectSuccess(steps.confirm(decoder.ToAnsi(*args.Value("--code"), "--code"),
                                    TransactionOf(*args.Value("--transaction"))));
        return true;
    }
    std::int64_t transaction = 0;
    ExpectSuccess(steps.ask(transaction));
    const std::optional<std::string> code =
        AskTerminal("Check code received by SMS (empty to confirm later): ", true);
    if (!code || code->empty()) {
        std::printf("A check code was sent by SMS. Confirm with:\n  %s --transaction %lld "
                    "--code CODE\n",
                    steps.confirmLater.c_str(), static_cast<long long>(transaction));
        return false;
    }
    ExpectSuccess(steps.confirm(decoder.ToAnsi(*code, "the check code"), transaction));
    return true;
}
