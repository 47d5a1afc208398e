#include "MessageFiling.h"

#include "model/SmsArchive.h"

#include <algorithm>
#include <optional>

namespace {

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

// The entries of one kind, in order: the compose page files contacts, then groups, then numbers.
template <class Visit>
void ForEachEntry(const std::vector<RecipientEntry>& entries, Visit&& visit) {
    for (const auto kind :
         {RecipientEntry::Contact, RecipientEntry::Group, RecipientEntry::Number}) {
        for (const RecipientEntry& entry : entries) {
            if (entry.kind == kind)
                visit(entry);
        }
    }
}

} // namespace

std::vector<SentResult> SentResults(const SmsSentInfoList& sentInfo) {
    std::vector<SentResult> results;
    for (const _smsSentInfo& info : sentInfo)
        results.push_back({info.number, info.smsId});
    return results;
}

void FileSentMessage(CSmsArchive& archive, const FiledMessage& message,
                     const std::vector<RecipientEntry>& entries, std::vector<SentResult> results) {
    const auto fileOne = [&](const std::string& name, const std::string& number,
                             std::int64_t smsId) {
        archive.AddItem(message.text, name, number, message.sentTime, message.flash, smsId,
                        message.smsCount);
    };
    ForEachEntry(entries, [&](const RecipientEntry& entry) {
        CSmsArchiveItem* groupItem = nullptr;
        for (const Recipient& recipient : entry.recipients) {
            const auto smsId = TakeResult(results, recipient.number);
            if (!smsId)
                continue;
            if (entry.kind != RecipientEntry::Group) {
                fileOne(entry.name, recipient.number, *smsId);
                continue;
            }
            if (!groupItem)
                groupItem = archive.AddGroupItem(message.text, message.sentTime, message.flash,
                                                 message.smsCount, entry.name);
            groupItem->AddRecipient(recipient.name, recipient.number, *smsId);
        }
    });
    for (const SentResult& result : results)
        fileOne(LeftOverName(result), result.number, result.smsId);
}

CSmsArchiveItem* FileScheduledMessage(CSmsArchive& archive, const FiledMessage& message,
                                      const ScheduleChoice& schedule, std::int64_t messageId,
                                      const std::vector<RecipientEntry>& entries,
                                      std::vector<SentResult> results) {
    CSmsArchiveItem* item =
        archive.AddScheduledItem(message.text, message.sentTime, message.flash, message.smsCount,
                                 schedule.report && messageId != 0, schedule.periodicity,
                                 schedule.deliverAt, messageId, schedule.name);
    ForEachEntry(entries, [&](const RecipientEntry& entry) {
        for (const Recipient& recipient : entry.recipients) {
            if (TakeResult(results, recipient.number))
                item->AddRecipient(recipient.name, recipient.number, 0);
        }
    });
    for (const SentResult& result : results)
        item->AddRecipient(LeftOverName(result), result.number, 0);
    return item;
}

std::vector<Recipient> ReplacedRecipients(const std::vector<Recipient>& recipients,
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
