#pragma once

#include "ExitCode.h"

#include "service/AddressBookSyncUi.h"

#include <optional>
#include <string>

// The synchronisation on the terminal: the mode comes from the command line, conflicts are
// settled by a policy given on the command line or asked at the terminal, and what happened is
// printed (results on stdout, problems on stderr) and kept as the command's outcome.
class CliSyncUi : public IAddressBookSyncUi {
public:
    // What to do with every conflict of a kind; nothing asks at the terminal (and ends the
    // merge when there is no terminal).
    struct Policy {
        std::optional<NumberConflictChoice> onNumberConflict;
        std::optional<NameConflictChoice> onNameConflict;
    };

    CliSyncUi(CAddressBookSync::ManualSyncMode mode, Policy policy);

    // Policy values as the options spell them; nothing for "ask", a usage error when unknown.
    static std::optional<NumberConflictChoice> ParseNumberPolicy(const std::string& text);
    static std::optional<NameConflictChoice> ParseNamePolicy(const std::string& text);
    static CAddressBookSync::ManualSyncMode ParseMode(const std::string& text);

    std::optional<CAddressBookSync::ManualSyncMode> AskMode() override { return m_mode; }
    void ShowDuplicates(const std::string& first, const std::string& second) override;
    void ShowProgress(bool shown) override;
    NumberConflictChoice AskNumberConflict(const std::string& contactName,
                                           const std::string& aliasName) override;
    NameConflictChoice AskNameConflict(const std::string& name, const std::string& obkNumber,
                                       const std::string& localNumbers) override;
    void ShowErrors(const std::string& lines) override;
    void ShowFetchRefused(int status) override;
    void ShowFinished(bool completed) override;
    void ShowDbError() override;
    void ShowSoapError(const CKvwsSoapException& error) override;
    std::string StatusText(int status) const override;

    // How the run ended, as the command's failure; nothing when it completed without errors.
    const std::optional<CliError>& Failure() const { return m_failure; }

private:
    // An answer typed at the terminal: the number of one of the choices, or nothing.
    static std::optional<int> AskChoice(const std::string& question, int count);

    CAddressBookSync::ManualSyncMode m_mode;
    Policy m_policy;
    std::optional<CliError> m_failure;
};
