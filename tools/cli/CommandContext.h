#pragma once

#include "ArgParser.h"
#include "CliSession.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// One run of a command: its parsed arguments and, once the command asks for it, its session.
class CommandContext {
public:
    explicit CommandContext(ParsedArgs args) : m_args(std::move(args)) {}

    const ParsedArgs& Args() const { return m_args; }
    // The session, made on first use (which loads the profile) and brought to at least access.
    CliSession& Session(Access access = Access::Offline);

private:
    ParsedArgs m_args;
    std::unique_ptr<CliSession> m_session; // logs out when the run ends
};

// What every command does first: parses its arguments, prints the help and returns ExitOk on
// --help, and otherwise runs body. Checks of the arguments go in body before the session is
// asked for, so that they come before the profile and the network.
int RunCommand(const ArgParser& parser, const std::vector<std::string>& args,
               const std::function<int(CommandContext&)>& body);
