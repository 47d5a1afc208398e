#pragma once

#include "ArgParser.h"

#include <string>
#include <vector>

// The subcommands of quillon-cli. Each gets the arguments after its name (global options
// included) and returns the exit code; failures throw CliError or the service exceptions,
// which main reports.

// A parser with the global options and --help.
ArgParser CommandParser(const std::string& usage, const std::string& description);
// Prints the parser's help when --help was given; true then.
bool PrintedHelp(const ArgParser& parser, const ParsedArgs& args);

int RunLogin(const std::vector<std::string>& args);
int RunLogout(const std::vector<std::string>& args);
int RunSend(const std::vector<std::string>& args);
int RunPoll(const std::vector<std::string>& args);
int RunArchive(const std::vector<std::string>& args);
int RunCancel(const std::vector<std::string>& args);
int RunReplace(const std::vector<std::string>& args);
