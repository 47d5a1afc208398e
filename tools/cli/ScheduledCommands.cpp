#include "CliSession.h"
#include "CommandContext.h"
#include "Commands.h"
#include "ExitCode.h"
#include "MessageOptions.h"
#include "Recipients.h"
#include "ScheduleText.h"

#include "frontend/CharacterFilter.h"
#include "model/SmsUserInfo.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

// The service's answer to deleting a message it no longer has; the archive item goes all the
// same.
constexpr int kAlreadyGone = 69;

bool ParseNumber(const std::string& text, long long& value) {
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0';
}

void AddItemOptions(ArgParser& parser) {
    parser.Option("--id", "MESSAGEID", "the scheduled message by its message id");
}

// The scheduled item with the message id; null when the archive has none.
CSmsArchiveItem* FindScheduled(const CSmsArchive& archive, std::int64_t messageId) {
    for (int i = 0; i < archive.GetItemCount(); ++i) {
        CSmsArchiveItem* candidate = archive.GetItem(i);
        if (candidate->IsScheduled() && candidate->GetMessageId() == messageId)
            return candidate;
    }
    return nullptr;
}

// The scheduled item named by "--id MESSAGEID" or by the first argument (its archive index,
// "#N" or "N"), which is then taken out of the arguments.
CSmsArchiveItem& ScheduledItem(CSmsArchive& archive, const ParsedArgs& args,
                               std::vector<std::string>& rest) {
    rest = args.Positionals();
    CSmsArchiveItem* item = nullptr;
    long long number = 0;
    if (const auto id = args.Value("--id")) {
        if (!ParseNumber(*id, number))
            throw UsageError("--id wants a message id");
        item = FindScheduled(archive, number);
        if (!item)
            throw LocalError("no scheduled message with id " + *id + " in the archive");
        return *item;
    }
    if (rest.empty())
        throw UsageError("name the message by its archive index or with --id MESSAGEID");
    const std::string index = rest.front().starts_with('#') ? rest.front().substr(1) : rest.front();
    rest.erase(rest.begin());
    if (!ParseNumber(index, number) || number < 1)
        throw UsageError("\"" + index + "\" is not an archive index");
    item =
        number <= archive.GetItemCount() ? archive.GetItem(static_cast<int>(number - 1)) : nullptr;
    if (!item)
        throw LocalError("the archive has no message #" + index);
    if (!item->IsScheduled())
        throw LocalError("message #" + index + " is not a scheduled message");
    return *item;
}

std::vector<Recipient> RecipientsOf(const CSmsArchiveItem& item) {
    std::vector<Recipient> recipients;
    for (int i = 0; i < item.GetRecipientCount(); ++i)
        recipients.push_back(
            {item.GetRecipient(i)->GetOrigNr(), item.GetRecipient(i)->GetTranslatedNr()});
    return recipients;
}

std::vector<Recipient> NewRecipients(const std::vector<std::string>& texts,
                                     const CSmsAddressBook& book) {
    return ResolveRecipients(AnsiTexts(texts), book).Expand(book).Recipients();
}

// The scheduled message as it is and as the options want it.
struct ScheduledMessage {
    std::string text;
    bool flash = false;
    bool report = false;
    std::int64_t deliverAt = 0;
    int periodicity = 0;
    std::string name;
    std::vector<Recipient> recipients;

    bool SameSchedule(const ScheduledMessage& other) const {
        return deliverAt == other.deliverAt && periodicity == other.periodicity;
    }
    // What the service holds; the name is only kept here.
    bool SameAtService(const ScheduledMessage& other) const {
        return text == other.text && flash == other.flash && report == other.report &&
               SameSchedule(other) && recipients == other.recipients;
    }
};

ScheduledMessage CurrentMessage(const CSmsArchiveItem& item) {
    return {item.GetSmsText(),     item.GetType(), item.HasDeliveryReport(), item.GetDeliverAt(),
            item.GetPeriodicity(), item.GetName(), RecipientsOf(item)};
}

ScheduledMessage ChangedMessage(const ScheduledMessage& current, const ParsedArgs& args,
                                const std::vector<std::string>& recipientTexts,
                                const CSmsAddressBook& book) {
    ScheduledMessage changed = current;
    changed.text = MessageTextOption(args).value_or(current.text);
    if (changed.text.empty())
        throw UsageError("the message is empty");
    changed.flash = FlashOption(args).value_or(current.flash);
    changed.report = ReportOption(args).value_or(current.report);
    const ScheduleOptions schedule = ScheduleOptionsOf(args);
    changed.deliverAt = schedule.deliverAt.value_or(current.deliverAt);
    changed.periodicity = schedule.periodicity.value_or(current.periodicity);
    changed.name = schedule.name.value_or(current.name);
    if (!recipientTexts.empty())
        changed.recipients = NewRecipients(recipientTexts, book);
    return changed;
}

std::vector<std::string> NumbersOf(const std::vector<Recipient>& recipients) {
    std::vector<std::string> numbers;
    for (const Recipient& recipient : recipients)
        numbers.push_back(recipient.number);
    return numbers;
}

void ReplaceAtService(CliSession& session, const ScheduledMessage& current,
                      ScheduledMessage& changed, std::int64_t messageId) {
    session.Open(Access::WithServices);
    CheckMessageLength(changed.text, changed.flash, session.DummyTextLength());
    // The schedule goes to the service only when it changed.
    int periodicity = changed.periodicity;
    std::int64_t deliverAt = changed.deliverAt;
    const bool newSchedule = !changed.SameSchedule(current);
    SmsSentInfoList sentInfo;
    ExpectSuccess(session.User().KvwsReplaceSms(
        CharacterFilter::ServiceText(changed.text), session.ByCredit(), changed.flash,
        changed.report, newSchedule ? &periodicity : nullptr, newSchedule ? &deliverAt : nullptr,
        NumbersOf(changed.recipients), sentInfo, messageId));
    changed.recipients =
        RecipientList::Replaced(changed.recipients, RecipientList::ResultsOf(sentInfo));
}

void UpdateItem(CSmsArchiveItem& item, const ScheduledMessage& changed) {
    item.SetScheduleInfo(item.GetMessageId(), changed.periodicity, changed.deliverAt,
                         changed.report, changed.name);
    item.SetName(changed.name);
    item.SetType(changed.flash);
    item.SetSmsText(changed.text);
    item.RemoveAllRecipients();
    // Each recipient added goes first: add them from the last.
    for (auto it = changed.recipients.rbegin(); it != changed.recipients.rend(); ++it)
        item.AddRecipient(it->name, it->number, 0);
    item.SetLastQueryTime(0);
}

} // namespace

int RunCancel(const std::vector<std::string>& args) {
    ArgParser parser = CommandParser(
        "quillon-cli cancel (INDEX | --id MESSAGEID)",
        "Cancels a scheduled message at the service and removes it from the archive. INDEX is\n"
        "the number that \"archive\" shows in front of the message.");
    AddItemOptions(parser);
    return RunCommand(parser, args, [](CommandContext& context) -> int {
        CliSession& session = context.Session();
        CSmsArchive& archive = session.User().GetArchive();
        std::lock_guard lock(archive.GetMutex());
        std::vector<std::string> rest;
        CSmsArchiveItem& item = ScheduledItem(archive, context.Args(), rest);
        if (!rest.empty())
            throw UsageError("cancel takes one message");
        const std::int64_t messageId = item.GetMessageId();
        session.Open(Access::LoggedIn);
        const int status = session.User().KvwsDeleteSms(static_cast<std::uint64_t>(messageId));
        if (status != 0 && status != kAlreadyGone)
            ExpectSuccess(status);
        session.Update([&](CSmsUserInfo& profile) {
            CSmsArchive& stored = profile.GetArchive();
            stored.DeleteItem(FindScheduled(stored, messageId));
            stored.ResetNewItems();
        });
        std::printf("Scheduled message %lld cancelled.\n", static_cast<long long>(messageId));
        return ExitOk;
    });
}

int RunReplace(const std::vector<std::string>& args) {
    ArgParser parser = CommandParser(
        "quillon-cli replace (INDEX | --id MESSAGEID) [options] [RECIPIENT...]",
        "Changes a scheduled message at the service: its text, flash, delivery report, time,\n"
        "period or name; recipients given replace all of them. What is not given stays.");
    AddItemOptions(parser);
    AddMessageOptions(parser, true);
    return RunCommand(parser, args, [](CommandContext& context) -> int {
        const ParsedArgs& parsed = context.Args();
        CliSession& session = context.Session();
        CSmsUserInfo& user = session.User();
        CSmsArchive& archive = user.GetArchive();
        std::lock_guard lock(archive.GetMutex());
        std::vector<std::string> recipientTexts;
        CSmsArchiveItem& item = ScheduledItem(archive, parsed, recipientTexts);
        const ScheduledMessage current = CurrentMessage(item);
        ScheduledMessage changed =
            ChangedMessage(current, parsed, recipientTexts, user.GetAddressBook());
        const long long messageId = item.GetMessageId();
        if (changed.SameAtService(current)) {
            if (changed.name == current.name) {
                std::printf("Nothing to change.\n");
                return ExitOk;
            }
            // The name is only kept here; the recipients keep their states.
            session.Update([&](CSmsUserInfo& profile) {
                if (CSmsArchiveItem* stored = FindScheduled(profile.GetArchive(), messageId))
                    stored->SetName(changed.name);
            });
            std::printf("Scheduled message %lld renamed.\n", messageId);
            return ExitOk;
        }
        ReplaceAtService(session, current, changed, messageId);
        session.Update([&](CSmsUserInfo& profile) {
            if (CSmsArchiveItem* stored = FindScheduled(profile.GetArchive(), messageId))
                UpdateItem(*stored, changed);
        });
        std::printf("Scheduled message %lld replaced: %s %s, %zu recipient(s).\n", messageId,
                    PeriodicityName(changed.periodicity).c_str(),
                    FormatLocalTime(changed.deliverAt).c_str(), changed.recipients.size());
        return ExitOk;
    });
}
