#pragma once

#include "service/AddressBookSyncUi.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// Answers the synchronisation's questions from scripts and records everything it is shown,
// one line per event ("mode?", "duplicates B / A", "progress on", "number conflict Jan / Jano",
// "name conflict Jan +421... 0903...", "errors", "fetch refused 23", "completed", "ended",
// "db error", "soap error 0/21").
// Unscripted conflicts get the preselected first choice.
class CScriptedSyncUi : public IAddressBookSyncUi {
public:
    std::optional<CAddressBookSync::ManualSyncMode> AskMode() override;
    void ShowProgress(bool shown) override;
    NumberConflictChoice AskNumberConflict(const std::string& contactName,
                                           const std::string& aliasName) override;
    NameConflictChoice AskNameConflict(const std::string& name, const std::string& obkNumber,
                                       const std::string& localNumbers) override;
    void ShowErrors(const std::string& lines) override;
    void ShowDuplicates(const std::string& first, const std::string& second) override;
    void ShowFetchRefused(int status) override;
    void ShowFinished(bool completed) override;
    void ShowDbError() override;
    void ShowSoapError(const CKvwsSoapException& error) override;
    // "E<status>", or the text set in statusTexts.
    std::string StatusText(int status) const override;

    std::optional<CAddressBookSync::ManualSyncMode> mode = CAddressBookSync::Merge;
    std::deque<NumberConflictChoice> numberAnswers;
    std::deque<NameConflictChoice> nameAnswers;
    // Used when the scripts are empty, if set.
    std::function<NumberConflictChoice()> nextNumberAnswer;
    std::function<NameConflictChoice()> nextNameAnswer;
    std::function<std::string(int status)> statusText;

    std::vector<std::string> events;
    std::string errorLines;
};
