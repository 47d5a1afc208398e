// quillon-cli: the command-line client of Quillon. Each subcommand is one entry of the table.
#include "AccountSyncCommands.h"
#include "CliSession.h"
#include "Command.h"
#include "Commands.h"
#include "ExitCode.h"
#include "SelfCheck.h"
#include "ServiceErrors.h"
#include "StoredFileNotices.h"

#include "platform/LibsecretStore.h"
#include "service/KvwsDbException.h"
#include "service/KvwsSoapException.h"

#include <cstdio>
#include <exception>
#include <new>

namespace {

int PrintHelp(const std::vector<std::string>& args);

const Command kCommands[] = {
    {"login", "log in and show the account; --save-password keeps the password", RunLogin},
    {"logout", "forget the saved password", RunLogout},
    {"send", "send a message now, later or periodically", RunSend},
    {"poll", "fetch delivery reports of archived messages (--wait: until none is waiting)",
     RunPoll},
    {"archive", "list archived messages and their recipients' delivery states", RunArchive},
    {"cancel", "cancel a scheduled message", RunCancel},
    {"replace", "change a scheduled message", RunReplace},
    {"credit", "list the credit amounts, or recharge credit", RunCredit},
    {"services", "show the account's extra services", RunServices},
    {"service", "activate or deactivate an extra service", RunService},
    {"register-number", "register the account's mobile number", RunRegisterNumber},
    {"register-user", "create a new account", RunRegisterUser},
    {"contacts", "list or change the address book, local or on Portella", RunContacts},
    {"sync", "synchronise the address book with Portella", RunSync},
    {"settings", "show or change the installation's settings (app mode, default user)",
     RunSettings},
    {"selfcheck", "check the core utilities on this machine", RunSelfCheck},
    {"help", "show this help, or with a command name that command's help", PrintHelp},
};

const char* const kHelpTail = R"(
Global options (before or after the command):
  --user LOGIN          the login name (default: $QUILLON_USER, else the desktop
                        program's single user when it is set up for one)
  --accept-certificate  accept a server certificate that fails verification
  -h, --help            show the help (of a command when given after its name)

Environment:
  QUILLON_USER          the login name
  QUILLON_PASSWORD      the password (else the one saved with "login --save-password",
                        else it is asked at the terminal)
  QUILLON_SERVICE_URL   the service endpoint (https://)
  QUILLON_ALLOW_HTTP    1 allows a plain http:// endpoint (test services only: the
                        password travels unencrypted)
  QUILLON_CA_FILE       an extra CA certificate (PEM) to trust; one that cannot be read
                        fails every call
  XDG_DATA_HOME         where the profiles are kept (Velora/Quillon/ under it)
  LC_ALL, LC_CTYPE, LANG
                        the character set of the text given on the command line, in the
                        environment, at the terminal and in files (a file that starts with
                        a byte-order mark is UTF-8); text that does not decode is refused
  QUILLON_ANSI_CODEPAGE the code page of the profile's text (default: from the locale)

Exit codes:
  0  success
  1  the service refused the request (its reason on stderr)
  2  bad command line, or missing input (text, recipients, password)
  3  transport or service error (unreachable, refused certificate, service failure)
  4  local error (unknown contact or archive item, profile not written)
  5  poll --wait: timed out with messages still waiting for a report
)";

const Command* FindCommand(const std::string& name) {
    for (const Command& command : kCommands) {
        if (name == command.name)
            return &command;
    }
    return nullptr;
}

int PrintHelp(const std::vector<std::string>& args) {
    if (!args.empty() && !args.front().starts_with('-')) {
        const Command* command = FindCommand(args.front());
        if (command && command->run != PrintHelp && command->run != RunSelfCheck)
            return command->run({"--help"});
    }
    std::printf("Usage: quillon-cli [global options] <command> [options] [arguments]\n\n"
                "Sends SMS through the Velora service and keeps them in the same profile and\n"
                "archive as the desktop program.\n\nCommands:\n");
    for (const Command& command : kCommands)
        std::printf("  %-16s %s\n", command.name, command.summary);
    std::fputs(kHelpTail, stdout);
    return ExitOk;
}

// What went wrong with the profile files may explain the error, so it comes first.
int Fail(const CliError& error) {
    PrintStoredFileNotices();
    std::fprintf(stderr, "quillon-cli: %s\n", error.what());
    return error.Code();
}

// Runs a command and turns every failure into its message and exit code.
int RunReported(const Command& command, const std::vector<std::string>& args) {
    try {
        return command.run(args);
    } catch (const CliError& error) {
        return Fail(error);
    } catch (const CKvwsSoapException& error) {
        return Fail(ServiceError(error));
    } catch (const CKvwsDbException&) {
        return Fail(DatabaseError());
    } catch (const std::bad_alloc&) {
        return Fail(LocalError("out of memory"));
    } catch (const std::exception& error) {
        return Fail(LocalError(error.what()));
    }
}

int Run(int argc, char** argv) {
    const std::vector<std::string> all(argv + 1, argv + argc);
    // Global options in front of the command are handed to it with its own.
    ArgParser globals("quillon-cli", "");
    AddGlobalOptions(globals);
    std::size_t consumed = 0;
    ParsedArgs leading;
    try {
        leading = globals.ParsePrefix(all, consumed);
    } catch (const CliError& error) {
        return Fail(error);
    }
    if (consumed == all.size()) {
        PrintHelp({});
        return leading.Has("--help") ? ExitOk : ExitUsage;
    }
    const Command* command = FindCommand(all[consumed]);
    if (!command)
        return Fail(UsageError("unknown command \"" + all[consumed] + "\" (see --help)"));
    const auto name = all.begin() + static_cast<std::ptrdiff_t>(consumed);
    if (command->run == RunSelfCheck || command->run == PrintHelp)
        return RunReported(*command, std::vector<std::string>(name + 1, all.end()));
    std::vector<std::string> args(all.begin(), name);
    args.insert(args.end(), name + 1, all.end());
    return RunReported(*command, args);
}

} // namespace

int main(int argc, char** argv) {
    // Saved passwords go to the desktop's secret service where one runs, as the desktop
    // program keeps them.
    LibsecretStore::InstallForProcess();
    const int code = Run(argc, argv);
    PrintStoredFileNotices();
    return code;
}
