#include "CliSession.h"
#include "CommandContext.h"
#include "Commands.h"
#include "ExitCode.h"

#include "model/SmsUserInfo.h"
#include "model/Utilities.h"

#include <cstdio>

namespace {

const char* Active(bool active) {
    return active ? "active" : "not active";
}

void ShowAccount(CliSession& session) {
    CSmsUserInfo& user = session.User();
    std::printf("Logged in as %s, mobile number %s.\n", AnsiToUtf8(session.Login()).c_str(),
                user.HasNumber() ? user.GetPhoneNr().c_str() : "(none)");
    std::printf("Postpaid sending: %s. Portal sending (OBK): %s. E-mail sending: %s.\n",
                Active(user.IsPostpaidSvcActive()), Active(user.IsObkSvcActive()),
                Active(user.IsSmtpSvcActive()));
    if (user.IsObkSvcActive() && user.KvwsGetObk() == 0)
        std::printf("Portal credits: %d.\n", user.GetObk());
    std::printf("Sent today: %d, in total: %d.\n", user.GetSentToday(), user.GetSentTotal());
    if (!user.GetNotice().empty())
        std::printf("Notice: %s\n", AnsiToUtf8(user.GetNotice()).c_str());
}

} // namespace

int RunLogin(const std::vector<std::string>& args) {
    ArgParser parser = CommandParser(
        "quillon-cli login [--save-password]",
        "Logs in to check the account and shows its mobile number and services. Every other\n"
        "command logs in by itself; with --save-password the password is kept for later\n"
        "commands, like the desktop program keeps it: in the desktop's secret service where one\n"
        "runs, else enciphered in the profile.");
    parser.Flag("--save-password", "keep the password for later commands").NoArguments();
    return RunCommand(parser, args, [](CommandContext& context) -> int {
        CliSession& session = context.Session(Access::WithServices);
        ShowAccount(session);
        if (context.Args().Has("--save-password")) {
            session.KeepPassword();
            session.Save();
            std::printf(session.User().IsPasswordInSecretStore()
                            ? "Password saved in the secret service.\n"
                            : "Password saved in the profile.\n");
        }
        return ExitOk;
    });
}

int RunLogout(const std::vector<std::string>& args) {
    ArgParser parser = CommandParser("quillon-cli logout", "Forgets the saved password.");
    parser.NoArguments();
    return RunCommand(parser, args, [](CommandContext& context) -> int {
        const std::string& login = context.Session().Login();
        CSmsUserInfo::ResetPwd(login);
        std::printf("Saved password of %s forgotten.\n", AnsiToUtf8(login).c_str());
        return ExitOk;
    });
}
