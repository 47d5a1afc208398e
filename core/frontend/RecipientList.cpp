#include "frontend/RecipientList.h"

#include "model/SmsAddressBook.h"
#include "model/SmsArchive.h"
#include "model/Utilities.h"

#include <algorithm>
#include <optional>

namespace {

std::string Trimmed(const std::string& text) {
    constexpr const char* kBlanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The exact name first, then ignoring case.
template <class Find> auto ByName(const std::string& name, Find&& find) {
    const auto* found = find(name, false);
    return found ? found : find(name, true);
}

std::optional<std::string> ValidIntl(std::string number) {
    if (!ValidateNumber(number))
        return std::nullopt;
    return ConvertToIntl(std::string_view(number));
}

// The recipients an entry stands for now; nothing when its contact or group has gone.
std::optional<std::vector<Recipient>> RecipientsOf(const RecipientEntry& entry,
                                                   const CSmsAddressBook& book) {
    std::vector<Recipient> recipients;
    if (entry.kind == RecipientEntry::Number) {
        recipients.push_back({entry.name, ConvertToIntl(std::string_view(entry.name))});
    } else if (entry.kind == RecipientEntry::Contact) {
        const CSmsAddressBookItem* contact = book.GetItemByID(entry.ContactId());
        if (!contact)
            return std::nullopt;
        const std::string& phone =
            entry.IsSecondNumber() ? contact->GetPhone2() : contact->GetPhone1();
        // A second number removed since the entry was added leaves nothing to send to.
        if (!phone.empty())
            recipients.push_back({entry.name, ConvertToIntl(std::string_view(phone))});
    } else {
        const CSmsAddressBookGroup* group = book.GetGroupByID(entry.id);
        if (!group)
            return std::nullopt;
        for (const std::string& member : group->GetMembers()) {
            const CSmsAddressBookItem* contact = book.GetItemByName(member);
            if (const auto number = contact ? ValidIntl(contact->GetPhone1()) : std::nullopt)
                recipients.push_back({member, *number});
        }
    }
    return recipients;
}

// Takes the first result for the number out of the list.
std::optional<std::int64_t> TakeResult(std::vector<SentResult>& results,
                                       const std::string& number) {
    const auto found = std::find_if(results.begin(), results.end(),
                                    [&](const SentResult& r) { return r.number == number; });
    if (found == results.end())
        return std::nullopt;
    const std::int64_t smsId = found->smsId;
    results.erase(found);
    return smsId;
}

std::string LeftOverName(const SentResult& result) {
    return "+" + result.number;
}

// Contacts, then groups, then numbers: the order in which messages are filed.
template <class Visit> void ForEachFiled(const RecipientList::NumberList& numbers, Visit&& visit) {
    for (const auto kind :
         {RecipientEntry::Contact, RecipientEntry::Group, RecipientEntry::Number}) {
        for (const RecipientList::ExpandedEntry& expanded : numbers.entries) {
            if (expanded.entry.kind == kind)
                visit(expanded);
        }
    }
}

} // namespace

std::vector<std::string> RecipientList::NumberList::Numbers() const {
    std::vector<std::string> list;
    for (const ExpandedEntry& expanded : entries) {
        for (const Recipient& recipient : expanded.recipients)
            list.push_back(recipient.number);
    }
    return list;
}

std::vector<Recipient> RecipientList::NumberList::Recipients() const {
    std::vector<Recipient> list;
    for (const ExpandedEntry& expanded : entries)
        list.insert(list.end(), expanded.recipients.begin(), expanded.recipients.end());
    return list;
}

RecipientList::Resolution RecipientList::Resolve(const std::string& typed,
                                                 const CSmsAddressBook& book,
                                                 NumberChoice choice) const {
    std::string text = Trimmed(typed);
    if (text.empty())
        return {};
    if (std::string number = text; ValidateNumber(number))
        return Checked({Resolution::Resolved, RecipientEntry::OfNumber(number), nullptr});
    const CSmsAddressBookGroup* group = ByName(text, [&](const std::string& name, bool ignoreCase) {
        return book.GetGroupByName(name, ignoreCase);
    });
    if (group)
        return Checked({Resolution::Resolved, RecipientEntry::OfGroup(*group), nullptr});
    return ResolveContact(text, book, choice);
}

RecipientList::Resolution RecipientList::ResolveContact(const std::string& name,
                                                        const CSmsAddressBook& book,
                                                        NumberChoice choice) const {
    const CSmsAddressBookItem* contact =
        ByName(name, [&](const std::string& text, bool ignoreCase) {
            return book.GetItemByName(text, ignoreCase);
        });
    if (!contact)
        return {};
    const bool hasSecond = !contact->GetPhone2().empty();
    Resolution resolution{Resolution::Resolved,
                          RecipientEntry::OfContact(*contact, choice == NumberChoice::Second),
                          contact};
    if (choice == NumberChoice::Ask && hasSecond)
        resolution.status = Resolution::NeedsNumberChoice;
    else if (choice == NumberChoice::Second && !hasSecond)
        resolution.status = Resolution::NoSecondNumber;
    return Checked(resolution);
}

RecipientList::Resolution RecipientList::Checked(Resolution resolution) const {
    if (resolution.status == Resolution::Resolved && Contains(resolution.entry))
        resolution.status = Resolution::AlreadyListed;
    return resolution;
}

bool RecipientList::Contains(const RecipientEntry& entry) const {
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&](const RecipientEntry& listed) { return listed.SameAs(entry); });
}

bool RecipientList::Add(const RecipientEntry& entry) {
    if (Contains(entry))
        return false;
    m_entries.push_back(entry);
    return true;
}

void RecipientList::RemoveAt(std::size_t index) {
    if (index < m_entries.size())
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
}

RecipientList::NumberList RecipientList::Expand(const CSmsAddressBook& book) const {
    NumberList numbers;
    for (const RecipientEntry& entry : m_entries) {
        std::optional<std::vector<Recipient>> recipients = RecipientsOf(entry, book);
        if (!recipients)
            numbers.missing.push_back({entry.kind, entry.name});
        numbers.entries.push_back({entry, recipients.value_or(std::vector<Recipient>())});
    }
    return numbers;
}

std::vector<SentResult> RecipientList::ResultsOf(const SmsSentInfoList& sentInfo) {
    std::vector<SentResult> results;
    for (const _smsSentInfo& info : sentInfo)
        results.push_back({info.number, info.smsId});
    return results;
}

void RecipientList::FileSent(CSmsArchive& archive, const FiledMessage& message,
                             const NumberList& numbers, std::vector<SentResult> results) {
    const auto fileOne = [&](const std::string& name, const std::string& number,
                             std::int64_t smsId) {
        archive.AddItem(message.text, name, number, message.sentTime, message.flash, smsId,
                        message.smsCount);
    };
    ForEachFiled(numbers, [&](const ExpandedEntry& expanded) {
        CSmsArchiveItem* groupItem = nullptr;
        for (const Recipient& recipient : expanded.recipients) {
            const auto smsId = TakeResult(results, recipient.number);
            if (!smsId)
                continue;
            if (expanded.entry.kind != RecipientEntry::Group) {
                fileOne(expanded.entry.name, recipient.number, *smsId);
                continue;
            }
            if (!groupItem)
                groupItem = archive.AddGroupItem(message.text, message.sentTime, message.flash,
                                                 message.smsCount, expanded.entry.name);
            groupItem->AddRecipient(recipient.name, recipient.number, *smsId);
        }
    });
    for (const SentResult& result : results)
        fileOne(LeftOverName(result), result.number, result.smsId);
}

CSmsArchiveItem* RecipientList::FileScheduled(CSmsArchive& archive, const FiledMessage& message,
                                              const ScheduleChoice& schedule,
                                              std::int64_t messageId, const NumberList& numbers,
                                              std::vector<SentResult> results) {
    CSmsArchiveItem* item =
        archive.AddScheduledItem(message.text, message.sentTime, message.flash, message.smsCount,
                                 schedule.report && messageId != 0, schedule.periodicity,
                                 schedule.deliverAt, messageId, schedule.name);
    ForEachFiled(numbers, [&](const ExpandedEntry& expanded) {
        for (const Recipient& recipient : expanded.recipients) {
            if (TakeResult(results, recipient.number))
                item->AddRecipient(recipient.name, recipient.number, 0);
        }
    });
    for (const SentResult& result : results)
        item->AddRecipient(LeftOverName(result), result.number, 0);
    return item;
}

std::vector<Recipient> RecipientList::Replaced(const std::vector<Recipient>& recipients,
                                               std::vector<SentResult> results) {
    std::vector<Recipient> kept;
    for (const Recipient& recipient : recipients) {
        if (TakeResult(results, recipient.number))
            kept.push_back(recipient);
    }
    std::vector<Recipient> replaced;
    for (auto it = results.rbegin(); it != results.rend(); ++it)
        replaced.push_back({LeftOverName(*it), it->number});
    replaced.insert(replaced.end(), kept.begin(), kept.end());
    return replaced;
}
