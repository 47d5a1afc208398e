#pragma once

#include "ArgParser.h"

#include <cstdint>
#include <optional>
#include <string>

// The options that describe a message, shared by "send" and "replace".

// -m/--text, --text-file, --flash, --report, --no-report, --at, --every, --name; with
// replacing also --no-flash.
void AddMessageOptions(ArgParser& parser, bool replacing);

// The text given with -m or read from --text-file ("-" for stdin), in the editor's form;
// nothing when neither was given. Throws a usage CliError for an unreadable file.
std::optional<std::string> MessageTextOption(const ParsedArgs& args);
// The text from the options, else from stdin.
std::string MessageTextOrStdin(const ParsedArgs& args);

// Throws a usage CliError when the editor's text is longer than a message may be.
void CheckMessageLength(const std::string& text, bool flash, int dummyLen);

// --flash / --no-flash, --report / --no-report: nothing when neither was given.
std::optional<bool> FlashOption(const ParsedArgs& args);
std::optional<bool> ReportOption(const ParsedArgs& args);

// --at, --every and --name, each checked on its own.
struct ScheduleOptions {
    std::optional<std::int64_t> deliverAt;
    std::optional<int> periodicity;
    std::optional<std::string> name; // ANSI, at most 30 characters
};
ScheduleOptions ScheduleOptionsOf(const ParsedArgs& args);
