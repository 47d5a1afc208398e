#include "AccountSyncCommands.h"
#include "CheckCode.h"
#include "CliSession.h"
#include "CommandContext.h"
#include "ExitCode.h"

#include "model/SmsUserInfo.h"
#include "model/Utilities.h"

#include <algorithm>
#include <cstdio>

namespace {

// An extra service as the command line names it, with its type and its name for the service.
struct ServiceName {
    const char* option;
    int type;
    const char* name;
    const char* description;
};

const ServiceName kServices[] = {
    {"postpaid", 1, "POSTPAID", "postpaid sending"},
    {"smtp", 2, "SMTP", "e-mail sending"},
    {"obk", 0, "OBK", "Portella address book and portal credit"},
};

const ServiceName& FindService(const std::string& option) {
    for (const ServiceName& service : kServices) {
        if (option == service.option)
            return service;
    }
    throw UsageError("unknown service \"" + option + "\" (postpaid, smtp or obk)");
}

bool IsActive(const CSmsUserInfo& user, int type) {
    switch (type) {
    case 0:
        return user.IsObkSvcActive();
    case 1:
        return user.IsPostpaidSvcActive();
    default:
        return user.IsSmtpSvcActive();
    }
}

std::string SuppInfo(const CSmsUserInfo& user, int type) {
    switch (type) {
    case 0:
        return user.GetObkSuppInfo();
    case 1:
        return user.GetPostpaidSuppInfo();
    default:
        return user.GetSmtpSuppInfo();
    }
}

void PrintService(const CSmsUserInfo& user, const ServiceName& service) {
    const std::string info = SuppInfo(user, service.type);
    std::printf("%-9s %-11s %s%s%s\n", service.option,
                IsActive(user, service.type) ? "active" : "not active", service.description,
                info.empty() ? "" : "; ", AnsiToUtf8(info).c_str());
}

// Terms of use as the terminal shows them.
std::string TerminalText(const std::string& ansi) {
    std::string text = AnsiToUtf8(ansi);
    std::erase(text, '\r');
    return text;
}

int Activate(CliSession& session, const ServiceName& service, const ParsedArgs& args) {
    CSmsUserInfo& user = session.User();
    const TwoSteps steps{
        [&](std::int64_t& transaction) {
            std::string eula;
            const int status =
                user.KvwsAsk4ServiceActivation(service.type, service.name, eula, transaction);
            if (status == 0 && !eula.empty())
                std::printf("Terms of the service (confirming with the check code accepts "
                            "them):\n%s\n",
                            TerminalText(eula).c_str());
            return status;
        },
        [&](const std::string& code, std::int64_t transaction) {
            return user.KvwsServiceActivation(code, transaction);
        },
        {"service", "activate", service.option}};
    if (!RunTwoSteps(session, args, steps))
        return ExitOk;
    session.GetServices();
    PrintService(user, service);
    return ExitOk;
}

} // namespace

int RunServices(const std::vector<std::string>& args) {
    ArgParser parser = CommandParser("quillon-cli services",
                                     "Shows which extra services the account has, and the portal "
                                     "credit when the Portella service is active.");
    parser.NoArguments();
    return RunCommand(parser, args, [](CommandContext& context) -> int {
        CSmsUserInfo& user = context.Session(Access::WithServices).User();
        for (const ServiceName& service : kServices)
            PrintService(user, service);
        if (user.IsObkSvcActive() && user.KvwsGetObk() == 0)
            std::printf("Portal credit: %d\n", user.GetObk());
        return ExitOk;
    });
}

int RunService(const std::vector<std::string>& args) {
    ArgParser parser = CommandParser(
        "quillon-cli service activate|deactivate postpaid|smtp|obk",
        "Activates or deactivates an extra service. Activation shows the terms of the service\n"
        "and is confirmed with a check code sent by SMS, asked at the terminal (or confirm\n"
        "later with --transaction and --code).");
    AddCheckCodeOptions(parser);
    return RunCommand(parser, args, [](CommandContext& context) -> int {
        const ParsedArgs& parsed = context.Args();
        const auto& positionals = parsed.Positionals();
        if (positionals.size() != 2 ||
            (positionals[0] != "activate" && positionals[0] != "deactivate"))
            throw UsageError("service wants \"activate\" or \"deactivate\" and the service's name");
        const ServiceName& service = FindService(positionals[1]);

        CliSession& session = context.Session(Access::LoggedIn);
        if (positionals[0] == "activate")
            return Activate(session, service, parsed);
        ExpectSuccess(session.User().KvwsServiceDeactivation(service.type, service.name));
        session.GetServices();
        PrintService(session.User(), service);
        return ExitOk;
    });
}
