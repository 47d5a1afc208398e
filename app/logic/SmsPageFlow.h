#pragma once

#include "frontend/RecipientList.h"
#include "frontend/ServiceErrorText.h"
#include "frontend/SmsAutoComplete.h"
#include "model/SmsResultRecords.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

class CSmsUserInfo;
class ICallRunner;
class IMessageBox;
class ISmsPageDialogs;
class StringTable;

// The message as the compose page holds it when the user sends it. ANSI, CR LF line breaks.
struct ComposedMessage {
    std::string text;
    bool flash = false;
    int smsCount = 1;
    bool sendLater = false;
};

// What the compose page shows; the flow tells it when something changed.
class ISmsPageView {
public:
    virtual ~ISmsPageView() = default;
    virtual ComposedMessage Message() const = 0;
    virtual void ShowEntries(const std::vector<RecipientEntry>& entries) = 0;
    // The recipient history, newest first (ANSI).
    virtual void ShowHistory(const std::vector<std::string>& history) = 0;
    virtual void ShowSending(bool sending) = 0;
    // After a send: empty editor, "send later" unchecked, the editor's dummy text length set.
    virtual void ClearMessage(int dummyTextLength) = 0;
    // A send paid with portal credits changed the credit the session knows.
    virtual void CreditChanged() = 0;
};

// The compose page without its widgets: the recipients the user collects, the recipient
// history, the Enter-key rule and sending with the filing of what was sent.
class SmsPageFlow {
public:
    enum class AddResult { Added, AlreadyListed, NotFound, NotChosen, Empty };

    SmsPageFlow(CSmsUserInfo& user, IMessageBox& boxes, ISmsPageDialogs& dialogs,
                ICallRunner& runner, ISmsPageView& view, const StringTable& strings);

    // Fills the history from the archive.
    void Initialise();
    // The page is shown: completion offers the address book and the history.
    void Activate();
    // The page is hidden: completion offers nothing.
    void Deactivate();
    CSmsAutoComplete& AutoComplete() { return m_autoComplete; }
    // The length of the text the service adds to every part of a message.
    int DummyTextLength() const;

    const std::vector<RecipientEntry>& Entries() const { return m_list.Entries(); }
    // The typed text (ANSI) as a number, group or contact; refusals are shown. The page clears
    // its field unless the text named nothing (then it selects it for correction).
    AddResult AddTyped(const std::string& typed);
    // Numbers from outside (an sms: link) as number entries; invalid ones are left out.
    void AddNumbers(const std::vector<std::string>& numbers);
    void RemoveAt(std::size_t index);
    // The recipient chooser; OK replaces the entries.
    void ChooseFromBook();

    // A key the message editor offers (CharacterFilter's owner keys): true lets the editor go
    // on with it, false swallows it (maybe after sending).
    bool OnEditorKey(char key);
    // Enter in the recipient field (drop-down closed): sends (nothing returned) or adds the typed
    // recipient.
    std::optional<AddResult> OnRecipientEnter(const std::string& typed, bool ctrl);

    // Sends the view's message to the entries (asynchronously through the runner).
    void Send();
    bool IsSending() const { return m_sending; }

private:
    struct SendOutcome {
        int status = 0;
        SmsSentInfoList sent;
        std::int64_t messageId = 0;
        // Set after a send paid with portal credits: the status of the credit refresh, or the
        // failure it ended with.
        std::optional<int> obkStatus;
        std::exception_ptr obkFailure;
    };
    struct PendingSend {
        FiledMessage message;
        std::optional<ScheduleChoice> schedule;
        RecipientList::NumberList numbers;
        bool byCredit = false;
        bool archive = false;
    };

    void EntriesChanged();
    void AddEntry(const RecipientEntry& entry, const std::string& historyText);
    void ShowHistory();
    void Shown(int id, const std::string& argument = {});
    RecipientList::NumberList ExpandEntries();
    SendOutcome Call(const PendingSend& send, const std::string& serviceText);
    void Finish(const PendingSend& send, SendOutcome outcome);
    // Files what was sent under the archive's lock; true when something was filed.
    bool File(const PendingSend& send, const SendOutcome& outcome);

    CSmsUserInfo& m_user;
    IMessageBox& m_boxes;
    ISmsPageDialogs& m_dialogs;
    ICallRunner& m_runner;
    ISmsPageView& m_view;
    const StringTable& m_strings;
    ServiceErrorText m_errors;
    RecipientList m_list;
    CSmsAutoComplete m_autoComplete;
    bool m_sending = false;
};
