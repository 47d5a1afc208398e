#include "ScriptedSyncUi.h"

#include "service/KvwsSoapException.h"

namespace {

template <class Choice>
Choice Next(std::deque<Choice>& script, const std::function<Choice()>& fallback) {
    if (!script.empty()) {
        const Choice choice = script.front();
        script.pop_front();
        return choice;
    }
    return fallback ? fallback() : Choice{};
}

} // namespace

std::optional<CAddressBookSync::ManualSyncMode> CScriptedSyncUi::AskMode() {
    events.push_back("mode?");
    return mode;
}

void CScriptedSyncUi::ShowProgress(bool shown) {
    events.push_back(shown ? "progress on" : "progress off");
}

IAddressBookSyncUi::NumberConflictChoice
CScriptedSyncUi::AskNumberConflict(const std::string& contactName, const std::string& aliasName) {
    events.push_back("number conflict " + contactName + " / " + aliasName);
    return Next(numberAnswers, nextNumberAnswer);
}

IAddressBookSyncUi::NameConflictChoice
CScriptedSyncUi::AskNameConflict(const std::string& name, const std::string& obkNumber,
                                 const std::string& localNumbers) {
    events.push_back("name conflict " + name + " " + obkNumber + " " + localNumbers);
    return Next(nameAnswers, nextNameAnswer);
}

void CScriptedSyncUi::ShowErrors(const std::string& lines) {
    events.push_back("errors");
    errorLines += lines;
}

void CScriptedSyncUi::ShowDuplicates(const std::string& first, const std::string& second) {
    events.push_back("duplicates " + first + " / " + second);
}

void CScriptedSyncUi::ShowFetchRefused(int status) {
    events.push_back("fetch refused " + std::to_string(status));
}

void CScriptedSyncUi::ShowFinished(bool completed) {
    events.push_back(completed ? "completed" : "ended");
}

void CScriptedSyncUi::ShowDbError() {
    events.push_back("db error");
}

void CScriptedSyncUi::ShowSoapError(const CKvwsSoapException& error) {
    events.push_back("soap error " + std::to_string(error.GetStatus()) + "/" +
                     std::to_string(error.GetTransportCode()));
}

std::string CScriptedSyncUi::StatusText(int status) const {
    if (statusText)
        return statusText(status);
    std::string text = "E";
    return text.append(std::to_string(status));
}
