#include "logic/SmsPageFlow.h"

#include "frontend/CharacterFilter.h"
#include "frontend/ICallRunner.h"
#include "frontend/IMessageBox.h"
#include "frontend/Payment.h"
#include "logic/ISmsPageDialogs.h"
#include "logic/SmsPageStrings.h"
#include "logic/TextTrim.h"
#include "model/SmsArchive.h"
#include "model/SmsUserInfo.h"
#include "model/Utilities.h"
#include "platform/Clock.h"

#include <memory>
#include <mutex>

namespace {

using Icon = IMessageBox::Icon;

// The service takes line breaks as LF alone.
std::string ForService(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
    }
    return out;
}

} // namespace

SmsPageFlow::SmsPageFlow(CSmsUserInfo& user, IMessageBox& boxes, ISmsPageDialogs& dialogs,
                         ICallRunner& runner, ISmsPageView& view, const StringTable& strings)
    : m_user(user), m_boxes(boxes), m_dialogs(dialogs), m_runner(runner), m_view(view),
      m_strings(strings), m_errors(strings) {}

void SmsPageFlow::Initialise() {
    {
        const std::lock_guard lock(m_user.GetDataMutex());
        m_user.GetArchive().Archive2History(m_user.GetHistory(), CSmsArchive::MaxHistoryItems);
    }
    ShowHistory();
}

void SmsPageFlow::Activate() {
    const std::lock_guard lock(m_user.GetDataMutex());
    m_autoComplete.AddAddressBookItems(m_user.GetAddressBook());
    m_autoComplete.AddHistoryItems(m_user.GetHistory());
}

void SmsPageFlow::Deactivate() {
    m_autoComplete.ResetContent();
}

int SmsPageFlow::DummyTextLength() const {
    return Payment::Of(m_user).DummyTextLength();
}

SmsPageFlow::AddResult SmsPageFlow::AddTyped(const std::string& typed) {
    const std::string text = TrimBlanks(typed);
    if (text.empty())
        return AddResult::Empty;
    RecipientList::Resolution resolution;
    {
        const std::lock_guard lock(m_user.GetDataMutex());
        resolution = m_list.Resolve(text, m_user.GetAddressBook());
    }
    if (resolution.status == RecipientList::Resolution::NeedsNumberChoice) {
        // No lock is held while the dialog is open; only this thread edits the address book,
        // and the contact is looked up again by name afterwards.
        const std::string name = resolution.contact->GetName();
        const auto choice = m_dialogs.ChooseNumber(*resolution.contact);
        if (!choice)
            return AddResult::NotChosen;
        const std::lock_guard lock(m_user.GetDataMutex());
        resolution = m_list.ResolveContact(name, m_user.GetAddressBook(), *choice);
    }
    switch (resolution.status) {
    case RecipientList::Resolution::Resolved:
        AddEntry(resolution.entry, resolution.entry.name);
        return AddResult::Added;
    case RecipientList::Resolution::AlreadyListed:
        return AddResult::AlreadyListed;
    case RecipientList::Resolution::NotFound:
        m_boxes.Show(m_strings, SmsPageString::WrongRecipient, {}, Icon::Exclamation);
        return AddResult::NotFound;
    default:
        // The contact changed while the choice was open.
        return AddResult::NotChosen;
    }
}

void SmsPageFlow::AddEntry(const RecipientEntry& entry, const std::string& historyText) {
    if (!m_list.Add(entry))
        return;
    {
        const std::lock_guard lock(m_user.GetDataMutex());
        CSmsArchive::InsertHistory(m_user.GetHistory(),
                                   std::make_unique<CSmsHistoryItem>(historyText, Clock::Now()),
                                   CSmsArchive::MaxHistoryItems);
    }
    EntriesChanged();
    ShowHistory();
}

void SmsPageFlow::AddNumbers(const std::vector<std::string>& numbers) {
    for (const std::string& typed : numbers) {
        std::string number = TrimBlanks(typed);
        if (ValidateNumber(number))
            AddEntry(RecipientEntry::OfNumber(number), number);
    }
}

void SmsPageFlow::RemoveAt(std::size_t index) {
    if (index >= m_list.Entries().size())
        return;
    m_list.RemoveAt(index);
    EntriesChanged();
}

void SmsPageFlow::ChooseFromBook() {
    const auto chosen = m_dialogs.ChooseRecipients(m_list.Entries());
    if (!chosen)
        return;
    m_list.Clear();
    for (const RecipientEntry& entry : *chosen)
        m_list.Add(entry);
    EntriesChanged();
}

void SmsPageFlow::EntriesChanged() {
    m_view.ShowEntries(m_list.Entries());
}

void SmsPageFlow::ShowHistory() {
    std::vector<std::string> texts;
    {
        const std::lock_guard lock(m_user.GetDataMutex());
        for (const auto& item : m_user.GetHistory())
            texts.push_back(item->GetText());
    }
    m_view.ShowHistory(texts);
}

bool SmsPageFlow::OnEditorKey(char key) {
    const int mode = m_user.GetEnterKeyMode();
    const bool enter = key == CharacterFilter::Enter;
    const bool ctrlEnter = key == CharacterFilter::CtrlEnter;
    if (!enter && !ctrlEnter)
        // Tab moves on to the next control, so the keyboard never gets stuck in the editor.
        return key == CharacterFilter::Tab;
    const bool sends = (mode == CSmsUserInfo::EnterNewLine && ctrlEnter) ||
                       (mode == CSmsUserInfo::EnterSends && enter);
    const bool breaksLine = (mode == CSmsUserInfo::EnterNewLine && enter) ||
                            (mode == CSmsUserInfo::EnterSends && ctrlEnter);
    if (sends)
        Send();
    return breaksLine;
}

std::optional<SmsPageFlow::AddResult> SmsPageFlow::OnRecipientEnter(const std::string& typed,
                                                                    bool ctrl) {
    if (ctrl && m_user.GetEnterKeyMode() == CSmsUserInfo::EnterNewLine &&
        TrimBlanks(typed).empty()) {
        Send();
        return std::nullopt;
    }
    return AddTyped(typed);
}

void SmsPageFlow::Shown(int id, const std::string& argument) {
    m_boxes.Show(m_strings, id, {AnsiToUtf8(argument)}, Icon::Exclamation);
}

RecipientList::NumberList SmsPageFlow::ExpandEntries() {
    RecipientList::NumberList numbers;
    {
        const std::lock_guard lock(m_user.GetDataMutex());
        numbers = m_list.Expand(m_user.GetAddressBook());
    }
    for (const RecipientList::MissingEntry& missing : numbers.missing)
        Shown(missing.kind == RecipientEntry::Group ? SmsPageString::GroupDeleted
                                                    : SmsPageString::ContactDeleted,
              missing.name);
    return numbers;
}

void SmsPageFlow::Send() {
    if (m_sending)
        return;
    const ComposedMessage composed = m_view.Message();
    PendingSend send;
    send.message.text = TrimBlanks(composed.text);
    send.message.flash = composed.flash;
    send.message.smsCount = composed.smsCount;
    if (send.message.text.empty()) {
        m_boxes.Show(m_strings, SmsPageString::EmptyMessage, {}, Icon::Exclamation);
        return;
    }
    if (m_list.IsEmpty()) {
        m_boxes.Show(m_strings, SmsPageString::NoRecipient, {}, Icon::Exclamation);
        return;
    }
    if (composed.sendLater) {
        send.schedule = m_dialogs.ChooseSchedule(Clock::Now());
        if (!send.schedule)
            return;
        send.schedule->report = m_user.GetDeliveryReport() != 0;
    }
    send.numbers = ExpandEntries();
    send.byCredit = Payment::Of(m_user).ByCredit();
    send.archive = send.schedule || m_user.GetDoArchive() != 0;

    m_sending = true;
    m_view.ShowSending(true);
    auto shared = std::make_shared<PendingSend>(std::move(send));
    const std::string serviceText = ForService(shared->message.text);
    const bool started = RunCall<SendOutcome>(
        m_runner, [this, shared, serviceText] { return Call(*shared, serviceText); },
        [this, shared](const CallResult<SendOutcome>& result) {
            m_sending = false;
            m_view.ShowSending(false);
            try {
                Finish(*shared, result.Get());
            } catch (...) {
                m_boxes.Show(m_errors.ForFailure(std::current_exception()));
            }
        });
    if (!started) {
        m_sending = false;
        m_view.ShowSending(false);
    }
}

// Off the window's thread: the send and, when it went out paid with portal credits, the refresh
// of the credit. A failed refresh must not lose what was sent, so it is kept apart.
SmsPageFlow::SendOutcome SmsPageFlow::Call(const PendingSend& send,
                                           const std::string& serviceText) {
    SendOutcome outcome;
    const std::vector<std::string> numbers = send.numbers.Numbers();
    const bool report = m_user.GetDeliveryReport() != 0;
    if (send.schedule) {
        outcome.status = m_user.KvwsSendScheduledSms(
            serviceText, send.byCredit, send.message.flash, report, send.schedule->periodicity,
            send.schedule->deliverAt, numbers, outcome.sent, outcome.messageId);
    } else {
        outcome.status =
            m_user.KvwsSendSms(serviceText, send.byCredit, send.message.flash,
                               report && m_user.GetDoArchive() != 0, numbers, outcome.sent);
    }
    if (outcome.status != 0 || !send.byCredit)
        return outcome;
    try {
        outcome.obkStatus = m_user.KvwsGetObk();
    } catch (...) {
        outcome.obkFailure = std::current_exception();
    }
    return outcome;
}

void SmsPageFlow::Finish(const PendingSend& send, SendOutcome outcome) {
    if (outcome.status != 0) {
        IMessageBox::Request request = m_errors.ForStatus(outcome.status);
        request.icon = Icon::Exclamation;
        m_boxes.Show(request);
        return;
    }
    if (File(send, outcome))
        m_user.Save(false);
    if (outcome.obkFailure)
        m_boxes.Show(m_errors.ForFailure(outcome.obkFailure));
    else if (outcome.obkStatus == 0)
        m_view.CreditChanged();
    m_boxes.Show(m_strings, send.schedule ? SmsPageString::ScheduledSent : SmsPageString::Sent, {},
                 Icon::Information);
    ShowHistory();
    m_list.Clear();
    EntriesChanged();
    m_view.ClearMessage(DummyTextLength());
}

bool SmsPageFlow::File(const PendingSend& send, const SendOutcome& outcome) {
    if (!send.archive)
        return false;
    FiledMessage message = send.message;
    message.sentTime = Clock::Now();
    std::vector<SentResult> results = RecipientList::ResultsOf(outcome.sent);
    // The window's thread waits for the archive as long as it takes.
    const std::lock_guard lock(m_user.GetArchive().GetMutex());
    if (send.schedule)
        RecipientList::FileScheduled(m_user.GetArchive(), message, *send.schedule,
                                     outcome.messageId, send.numbers, std::move(results));
    else
        RecipientList::FileSent(m_user.GetArchive(), message, send.numbers, std::move(results));
    return true;
}
