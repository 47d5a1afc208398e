#pragma once

#include "ArgParser.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CliSession;

// The two steps of an operation confirmed by a check code sent by SMS. The first step opens a
// transaction; the code for it is asked at the terminal, or, without a terminal, the command
// stops and tells how to confirm later: again with --transaction and --code.

// Adds --transaction and --code to a command's options.
void AddCheckCodeOptions(ArgParser& parser);
// Whether the command line confirms an earlier first step (both options given).
bool ConfirmsEarlierStep(const ParsedArgs& args);

struct TwoSteps {
    // The first step: the service status; fills the transaction number.
    std::function<int(std::int64_t& transaction)> ask;
    // The second step with the code typed by the user.
    std::function<int(const std::string& code, std::int64_t transaction)> confirm;
    // The command and its options that confirm later ({"credit", "recharge"}), without the
    // global options and --transaction and --code, which are added.
    std::vector<std::string> confirmLater;
};

// Runs the steps the command line asks for. True when the operation was confirmed; false when
// it waits for a later confirmation. Refusals throw CliError(ExitRefused).
bool RunTwoSteps(const CliSession& session, const ParsedArgs& args, const TwoSteps& steps);

// The words as a shell reads them: each quoted where it needs to be.
std::string ShellCommand(const std::vector<std::string>& words);
