#pragma once

#include <string>
#include <vector>

// What the desktop program takes from its command line: the "min" flag ("-min", the word in
// any case, blanks around it allowed) and the first sms: link (the desktop hands the program
// the link it was opened for); every other argument is ignored.
struct CommandLine {
    bool startMinimised = false;
    // As given; empty when there is none.
    std::string link;
};

// args: the arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);
CommandLine ParseCommandLine(int argc, const char* const argv[]);

// A program started minimised (with the session) by a user who never set it up ends at once and
// silently.
bool EndsAtOnce(const CommandLine& commandLine, bool configFolderExists);
// Whether the configuration folder (GetConfigDir without its trailing "/") is a directory.
bool ConfigFolderExists();
