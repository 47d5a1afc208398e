#include "AccountSyncCommands.h"
#include "CliSession.h"
#include "CliSyncUi.h"
#include "CommandContext.h"
#include "ExitCode.h"

#include "model/SmsUserInfo.h"

int RunSync(const std::vector<std::string>& args) {
    ArgParser parser = CommandParser(
        "quillon-cli sync --mode obk-to-local|local-to-obk|merge [conflict options]",
        "Synchronises the profile's address book with the Portella address book:\n"
        "  obk-to-local   the Portella book replaces the local one\n"
        "  local-to-obk   the local book replaces the Portella one\n"
        "  merge          both books get what the other has; conflicts are asked at the\n"
        "                 terminal, or settled by the options below (without a terminal and\n"
        "                 without an option, a conflict ends the merge and nothing is sent)\n"
        "Exit code 1 when the service refused some entries or the merge was ended.");
    parser.Option("--mode", "MODE", "obk-to-local, local-to-obk or merge")
        .Option("--on-number-conflict", "POLICY",
                "a contact has the number of an alias of another name: delete-alias, "
                "delete-contact, ignore, stop or ask (the default)")
        .Option("--on-name-conflict", "POLICY",
                "an alias and a contact of one name have different numbers: copy-to-obk, "
                "phone1, phone2 (keep the Portella number as the first or second number), "
                "skip, stop or ask (the default)")
        .NoArguments();
    return RunCommand(parser, args, [](CommandContext& context) -> int {
        const ParsedArgs& parsed = context.Args();
        if (!parsed.Has("--mode"))
            throw UsageError("sync wants --mode obk-to-local, local-to-obk or merge");
        const CliSyncUi::Policy policy{
            CliSyncUi::ParseNumberPolicy(parsed.Value("--on-number-conflict").value_or("ask")),
            CliSyncUi::ParseNamePolicy(parsed.Value("--on-name-conflict").value_or("ask"))};
        CliSyncUi ui(CliSyncUi::ParseMode(*parsed.Value("--mode")), policy);

        CliSession& session = context.Session(Access::LoggedIn);
        // The sync starts from the book as it is stored now.
        session.User().Refresh();
        session.User().Synchronize(ui);
        // Whatever was changed in the local book stays, also when the run stopped half-way.
        session.Save();
        if (ui.Failure())
            throw *ui.Failure();
        return ExitOk;
    });
}
