#pragma once

#include <string>
#include <vector>

// One subcommand of quillon-cli: its name, a one-line summary for --help, and its entry point,
// which gets the arguments after the name and returns the exit code.
struct Command {
    const char* name;
    const char* summary;
    int (*run)(const std::vector<std::string>& args);
};
