// quillon-cli: the command-line client of Quillon. Each subcommand is one entry of the table.
#include "Command.h"
#include "SelfCheck.h"

#include <cstdio>
#include <string_view>

namespace {

int PrintHelp(const std::vector<std::string>& args);

const Command kCommands[] = {
    {"selfcheck", "check the core utilities on this machine", RunSelfCheck},
    {"help", "show this help", PrintHelp},
};

int PrintHelp(const std::vector<std::string>&) {
    std::printf("Usage: quillon-cli <command> [arguments]\n\nCommands:\n");
    for (const Command& command : kCommands)
        std::printf("  %-12s %s\n", command.name, command.summary);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintHelp({});
        return 2;
    }
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h")
        return PrintHelp({});
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& command : kCommands) {
        if (name == command.name)
            return command.run(args);
    }
    std::fprintf(stderr, "quillon-cli: unknown command \"%s\" (see --help)\n", argv[1]);
    return 2;
}
