#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// What one run of a program gave.
struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a program to its end with the current environment changed by env (an empty value
// removes the variable) and stdin from the given text; stdout and stderr go through files in
// scratch.
CliResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::map<std::string, std::string>& env,
                     const std::filesystem::path& scratch, const std::string& input = {});
