#pragma once

#include <string>
#include <vector>

// The subcommands of quillon-cli. Each gets the arguments after its name (global options
// included) and returns the exit code; failures throw CliError or the service exceptions,
// which main reports.

int RunLogin(const std::vector<std::string>& args);
int RunLogout(const std::vector<std::string>& args);
int RunSend(const std::vector<std::string>& args);
int RunPoll(const std::vector<std::string>& args);
int RunArchive(const std::vector<std::string>& args);
int RunCancel(const std::vector<std::string>& args);
int RunReplace(const std::vector<std::string>& args);
int RunSettings(const std::vector<std::string>& args);
