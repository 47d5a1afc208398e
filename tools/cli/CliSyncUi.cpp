#include "CliSyncUi.h"

#include "ServiceErrors.h"
#include "Terminal.h"

#include "model/CoreStrings.h"
#include "model/CoreTexts.h"
#include "model/Utilities.h"

#include <cstdio>
#include <cstdlib>

namespace {

using NumberChoice = IAddressBookSyncUi::NumberConflictChoice;
using NameChoice = IAddressBookSyncUi::NameConflictChoice;

template <class Choice> struct Spelling {
    const char* text;
    Choice choice;
};

const Spelling<NumberChoice> kNumberPolicies[] = {
    {"delete-alias", NumberChoice::DeleteAlias},
    {"delete-contact", NumberChoice::DeleteContact},
    {"ignore", NumberChoice::Ignore},
    {"stop", NumberChoice::EndSync},
};

const Spelling<NameChoice> kNamePolicies[] = {
    {"copy-to-obk", NameChoice::CopyToObk}, {"phone1", NameChoice::StoreAsPhone1},
    {"phone2", NameChoice::StoreAsPhone2},  {"skip", NameChoice::DoNotSync},
    {"stop", NameChoice::EndSync},
};

const Spelling<CAddressBookSync::ManualSyncMode> kModes[] = {
    {"obk-to-local", CAddressBookSync::ObToQln},
    {"local-to-obk", CAddressBookSync::QlnToOb},
    {"merge", CAddressBookSync::Merge},
};

template <class Choice, std::size_t N>
std::optional<Choice> Parse(const Spelling<Choice> (&spellings)[N], const std::string& text,
                            const char* option) {
    for (const auto& spelling : spellings) {
        if (text == spelling.text)
            return spelling.choice;
    }
    std::string known;
    for (const auto& spelling : spellings)
        known += std::string(known.empty() ? "" : ", ") + spelling.text;
    throw UsageError(std::string(option) + " wants one of " + known);
}

std::string Shown(const std::string& ansi) {
    return AnsiToUtf8(ansi);
}

// The command-line client's English copies of the synchronisation's texts, by their ids.
const StringTable& EnglishSyncStrings() {
    static const StringTable kStrings{
        {static_cast<int>(CoreString::SyncCompleted), "Synchronisation completed."},
        {static_cast<int>(CoreString::SyncEndedByUser),
         "Synchronisation ended at a conflict; nothing was sent to Portella."},
        {static_cast<int>(CoreString::SyncDuplicates),
         "contacts \"%s\" and \"%s\" have the same number; remove the duplicate before "
         "synchronising"},
    };
    return kStrings;
}

std::string English(CoreString id, std::initializer_list<TextArg> args = {}) {
    return FormatText(EnglishSyncStrings().GetUtf8(static_cast<int>(id)).value_or(""), args);
}

} // namespace

CliSyncUi::CliSyncUi(CAddressBookSync::ManualSyncMode mode, Policy policy)
    : m_mode(mode), m_policy(policy) {}

std::optional<NumberChoice> CliSyncUi::ParseNumberPolicy(const std::string& text) {
    if (text == "ask")
        return std::nullopt;
    return Parse(kNumberPolicies, text, "--on-number-conflict");
}

std::optional<NameChoice> CliSyncUi::ParseNamePolicy(const std::string& text) {
    if (text == "ask")
        return std::nullopt;
    return Parse(kNamePolicies, text, "--on-name-conflict");
}

CAddressBookSync::ManualSyncMode CliSyncUi::ParseMode(const std::string& text) {
    return *Parse(kModes, text, "--mode");
}

void CliSyncUi::ShowDuplicates(const std::string& first, const std::string& second) {
    m_failure = LocalError(English(CoreString::SyncDuplicates, {Shown(first), Shown(second)}));
}

void CliSyncUi::ShowProgress(bool shown) {
    if (shown)
        std::fprintf(stderr, "Synchronising with Portella...\n");
}

NumberChoice CliSyncUi::AskNumberConflict(const std::string& contactName,
                                          const std::string& aliasName) {
    if (m_policy.onNumberConflict)
        return *m_policy.onNumberConflict;
    const std::optional<int> answer = AskChoice(
        "The local contact \"" + Shown(contactName) + "\" has the number of the Portella alias \"" +
            Shown(aliasName) +
            "\" (Portella keeps one alias per number).\n"
            "  1) delete the alias from Portella\n  2) delete the contact from Quillon\n"
            "  3) ignore this conflict (do not copy the contact)\n  4) end the synchronisation\n",
        4);
    return answer ? static_cast<NumberChoice>(*answer - 1) : NumberChoice::EndSync;
}

NameChoice CliSyncUi::AskNameConflict(const std::string& name, const std::string& obkNumber,
                                      const std::string& localNumbers) {
    if (m_policy.onNameConflict)
        return *m_policy.onNameConflict;
    const std::optional<int> answer =
        AskChoice("\"" + Shown(name) + "\" has different numbers: Portella " + obkNumber +
                      ", Quillon " + localNumbers +
                      ".\n  1) copy the number from Quillon to Portella\n"
                      "  2) store the Portella number as the contact's first number\n"
                      "  3) store the Portella number as the contact's second number\n"
                      "  4) do not synchronise this contact\n  5) end the synchronisation\n",
                  5);
    return answer ? static_cast<NameChoice>(*answer - 1) : NameChoice::EndSync;
}

void CliSyncUi::ShowErrors(const std::string& lines) {
    std::string text = Shown(lines);
    std::erase(text, '\r');
    std::fprintf(stderr, "Some entries could not be synchronised (try again):\n%s", text.c_str());
    m_failure = CliError(ExitRefused, "the service refused some entries");
}

void CliSyncUi::ShowFetchRefused(int status) {
    m_failure = RefusalError(status);
}

void CliSyncUi::ShowFinished(bool completed) {
    if (completed) {
        std::printf("%s\n", English(CoreString::SyncCompleted).c_str());
        return;
    }
    std::printf("%s\n", English(CoreString::SyncEndedByUser).c_str());
    m_failure = CliError(ExitRefused, "synchronisation ended at a conflict (answer it at a "
                                      "terminal, or choose with --on-number-conflict and "
                                      "--on-name-conflict)");
}

void CliSyncUi::ShowDbError() {
    m_failure = DatabaseError();
}

void CliSyncUi::ShowSoapError(const CKvwsSoapException& error) {
    m_failure = ServiceError(error);
}

std::string CliSyncUi::StatusText(int status) const {
    return RefusalError(status).what();
}

std::optional<int> CliSyncUi::AskChoice(const std::string& question, int count) {
    for (;;) {
        const std::optional<std::string> line = AskTerminal(question + "Choice: ", true);
        if (!line)
            return std::nullopt;
        const int choice = std::atoi(line->c_str());
        if (choice >= 1 && choice <= count && std::to_string(choice) == *line)
            return choice;
    }
}
