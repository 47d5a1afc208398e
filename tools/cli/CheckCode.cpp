#include "CheckCode.h"

#include "CliSession.h"
#include "ExitCode.h"
#include "InputDecoder.h"
#include "Terminal.h"

#include "model/Utilities.h"

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

bool IsPlainWord(const std::string& word) {
    constexpr std::string_view kPlain = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                        "0123456789@%+=:,./_-";
    return !word.empty() && word.find_first_not_of(kPlain) == std::string::npos;
}

std::string ShellWord(const std::string& word) {
    if (IsPlainWord(word))
        return word;
    std::string quoted = "'";
    for (const char c : word)
        quoted += c == '\'' ? "'\\''" : std::string(1, c);
    return quoted + "'";
}

// The complete command that confirms the transaction: under the same profile, with the same
// answer to certificate problems.
std::string ConfirmLater(const CliSession& session, const ParsedArgs& args, const TwoSteps& steps,
                         std::int64_t transaction) {
    std::vector<std::string> words{"quillon-cli"};
    words.insert(words.end(), steps.confirmLater.begin(), steps.confirmLater.end());
    words.insert(words.end(), {"--user", AnsiToUtf8(session.Login())});
    if (args.Has("--accept-certificate"))
        words.push_back("--accept-certificate");
    words.insert(words.end(), {"--transaction", std::to_string(transaction), "--code", "CODE"});
    return ShellCommand(words);
}

} // namespace

std::string ShellCommand(const std::vector<std::string>& words) {
    std::string command;
    for (const std::string& word : words)
        command += (command.empty() ? "" : " ") + ShellWord(word);
    return command;
}

void AddCheckCodeOptions(ArgParser& parser) {
    parser.Option("--transaction", "N", "confirm the earlier request number N (with --code)")
        .Option("--code", "CODE", "the check code received by SMS for that request");
}

bool ConfirmsEarlierStep(const ParsedArgs& args) {
    if (args.Has("--transaction") != args.Has("--code"))
        throw UsageError("--transaction and --code go together");
    return args.Has("--transaction");
}

bool RunTwoSteps(const CliSession& session, const ParsedArgs& args, const TwoSteps& steps) {
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
        std::printf("A check code was sent by SMS. Confirm with:\n  %s\n",
                    ConfirmLater(session, args, steps, transaction).c_str());
        return false;
    }
    ExpectSuccess(steps.confirm(decoder.ToAnsi(*code, "the check code"), transaction));
    return true;
}
