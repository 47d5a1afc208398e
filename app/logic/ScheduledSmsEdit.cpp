#include "logic/ScheduledSmsEdit.h"

#include "frontend/Payment.h"
#include "frontend/ServiceErrorText.h"
#include "logic/TextTrim.h"
#include "model/SmsScheduleInfo.h"
#include "model/SmsUserInfo.h"

#include <algorithm>
#include <memory>

namespace {

constexpr int kWrongRecipient = 141;
constexpr int kNoRecipient = 142;
constexpr int kEmptyText = 154;

using Icon = IMessageBox::Icon;

} // namespace

ScheduledSmsEdit::ScheduledSmsEdit(CSmsUserInfo& user, const StringTable& strings,
                                   IMessageBox& boxes, ICallRunner& runner, ScheduledSms original)
    : m_user(user), m_strings(strings), m_boxes(boxes), m_runner(runner),
      m_original(std::move(original)), m_current(m_original) {
    m_current.states.resize(m_current.recipients.size(), CSmsRecipientInfo::Pending);
}

void ScheduledSmsEdit::SetSchedule(const ScheduleChoice& schedule) {
    m_current.schedule.deliverAt = schedule.deliverAt;
    m_current.schedule.periodicity = schedule.periodicity;
    // An empty name from the scheduling dialog keeps the one the message has.
    if (!schedule.name.empty())
        SetName(schedule.name);
}

void ScheduledSmsEdit::SetName(const std::string& name) {
    m_current.schedule.name = name.substr(0, CSmsScheduleInfo::MaxNameLength);
}

bool ScheduledSmsEdit::Contains(const Recipient& recipient) const {
    return std::find(m_current.recipients.begin(), m_current.recipients.end(), recipient) !=
           m_current.recipients.end();
}

ScheduledSmsEdit::AddOutcome ScheduledSmsEdit::AddRecipient(const std::string& typed) {
    RecipientList list;
    std::vector<Recipient> found;
    {
        const auto dataLock = std::lock_guard(m_user.GetArchive().GetMutex());
        const CSmsAddressBook& book = m_user.GetAddressBook();
        auto resolution = list.Resolve(typed, book);
        // A scheduled message goes to numbers; a group's name may still be a contact's.
        if (resolution.status == RecipientList::Resolution::Resolved &&
            resolution.entry.kind == RecipientEntry::Group)
            resolution =
                list.ResolveContact(TrimBlanks(typed), book, RecipientList::NumberChoice::Ask);
        if (resolution.status == RecipientList::Resolution::NeedsNumberChoice) {
            const auto choice = m_chooser ? m_chooser(*resolution.contact)
                                          : std::optional(RecipientList::NumberChoice::First);
            if (!choice)
                return AddOutcome::Cancelled;
            resolution = list.ResolveContact(TrimBlanks(typed), book, *choice);
        }
        if (!resolution.IsResolved()) {
            m_boxes.Show(m_strings, kWrongRecipient, {}, Icon::Exclamation);
            return AddOutcome::NotFound;
        }
        list.Add(resolution.entry);
        found = list.Expand(book).Recipients();
    }
    if (found.empty()) {
        m_boxes.Show(m_strings, kWrongRecipient, {}, Icon::Exclamation);
        return AddOutcome::NotFound;
    }
    if (Contains(found.front()))
        return AddOutcome::AlreadyListed;
    m_current.recipients.push_back(found.front());
    m_current.states.push_back(CSmsRecipientInfo::Pending);
    return AddOutcome::Added;
}

void ScheduledSmsEdit::RemoveRecipient(std::size_t index) {
    if (index >= m_current.recipients.size())
        return;
    m_current.recipients.erase(m_current.recipients.begin() + static_cast<std::ptrdiff_t>(index));
    m_current.states.erase(m_current.states.begin() + static_cast<std::ptrdiff_t>(index));
}

std::string ScheduledSmsEdit::ServiceText(const std::string& editorText) {
    std::string text;
    text.reserve(editorText.size());
    for (std::size_t i = 0; i < editorText.size(); ++i) {
        if (editorText[i] == '\r' && i + 1 < editorText.size() && editorText[i + 1] == '\n')
            continue;
        text += editorText[i];
    }
    return TrimBlanks(text);
}

bool ScheduledSmsEdit::IsScheduleChanged() const {
    return m_current.schedule.deliverAt != m_original.schedule.deliverAt ||
           m_current.schedule.periodicity != m_original.schedule.periodicity;
}

bool ScheduledSmsEdit::IsChanged(const std::string& editorText) const {
    // Both texts in the service's form, so line breaks alone never count as a change.
    return ServiceText(editorText) != ServiceText(m_original.text) ||
           m_current.flash != m_original.flash ||
           m_current.schedule.report != m_original.schedule.report ||
           m_current.recipients != m_original.recipients || IsScheduleChanged();
}

void ScheduledSmsEdit::Save(const std::string& editorText, std::function<void(SaveOutcome)> done) {
    const std::string text = ServiceText(editorText);
    if (text.empty()) {
        m_boxes.Show(m_strings, kEmptyText, {}, Icon::Exclamation);
        return done(SaveOutcome::Refused);
    }
    if (m_current.recipients.empty()) {
        m_boxes.Show(m_strings, kNoRecipient, {}, Icon::Exclamation);
        return done(SaveOutcome::Refused);
    }
    if (!IsChanged(editorText))
        return done(m_current.schedule.name != m_original.schedule.name ? SaveOutcome::Renamed
                                                                        : SaveOutcome::Unchanged);

    struct Call {
        int status = 0;
        SmsSentInfoList sentInfo;
    };
    std::vector<std::string> numbers;
    for (const Recipient& recipient : m_current.recipients)
        numbers.push_back(recipient.number);
    const bool byCredit = Payment::Of(m_user).ByCredit();
    const bool scheduleChanged = IsScheduleChanged();
    const ScheduledSms current = m_current;
    RunCall<std::shared_ptr<Call>>(
        m_runner,
        [this, text, byCredit, scheduleChanged, current, numbers] {
            auto call = std::make_shared<Call>();
            const int* periodicity = scheduleChanged ? &current.schedule.periodicity : nullptr;
            const std::int64_t* deliverAt = scheduleChanged ? &current.schedule.deliverAt : nullptr;
            call->status = m_user.KvwsReplaceSms(text, byCredit, current.flash,
                                                 current.schedule.report, periodicity, deliverAt,
                                                 numbers, call->sentInfo, current.messageId);
            return call;
        },
        [this, text, done](const CallResult<std::shared_ptr<Call>>& result) {
            const ServiceErrorText errors(m_strings);
            std::shared_ptr<Call> call;
            try {
                call = result.Get();
            } catch (...) {
                m_boxes.Show(errors.ForFailure(std::current_exception()));
                return done(SaveOutcome::Failed);
            }
            if (call->status != 0) {
                auto request = errors.ForStatus(call->status);
                request.icon = Icon::Stop;
                m_boxes.Show(request);
                return done(SaveOutcome::Failed);
            }
            Apply(text, call->sentInfo);
            done(SaveOutcome::Replaced);
        });
}

void ScheduledSmsEdit::Apply(const std::string& text, const SmsSentInfoList& sentInfo) {
    m_current.text = text;
    m_current.recipients =
        RecipientList::Replaced(m_current.recipients, RecipientList::ResultsOf(sentInfo));
    m_current.states.assign(m_current.recipients.size(), CSmsRecipientInfo::Pending);
}
