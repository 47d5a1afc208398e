#include "CliSession.h"
#include "CommandContext.h"
#include "Commands.h"
#include "ExitCode.h"
#include "MessageOptions.h"
#include "MessageText.h"
#include "Recipients.h"
#include "ScheduleText.h"

#include "frontend/CharacterFilter.h"
#include "model/SmsUserInfo.h"
#include "platform/Clock.h"

#include <cstdio>
#include <mutex>

namespace {

struct SendRequest {
    std::string text; // the editor's form
    bool flash = false;
    bool report = false;
    ScheduleOptions schedule;
    RecipientList recipients;
    RecipientList::NumberList numbers; // of the recipients, gathered once for sending and filing
};

void RememberRecipients(CSmsUserInfo& user, const RecipientList& recipients, std::int64_t now) {
    for (const RecipientEntry& entry : recipients.Entries())
        CSmsArchive::InsertHistory(user.GetHistory(),
                                   std::make_unique<CSmsHistoryItem>(entry.name, now),
                                   CSmsArchive::MaxHistoryItems);
}

// A message sent without a delivery report is filed without SMS ids (the archive's mark of a
// message without one): no report will come, so nothing waits or asks for it.
std::vector<SentResult> FiledResults(const SmsSentInfoList& sentInfo, bool report) {
    std::vector<SentResult> results = RecipientList::ResultsOf(sentInfo);
    if (!report) {
        for (SentResult& result : results)
            result.smsId = 0;
    }
    return results;
}

void PrintResults(const SmsSentInfoList& sentInfo) {
    for (const _smsSentInfo& info : sentInfo)
        std::printf("  %s  SMS id %lld\n", info.number.c_str(), static_cast<long long>(info.smsId));
}

int SendNow(CliSession& session, const SendRequest& request, const FiledMessage& message) {
    CSmsUserInfo& user = session.User();
    const bool archiving = user.GetDoArchive() != 0;
    const bool report = request.report && archiving;
    SmsSentInfoList sentInfo;
    ExpectSuccess(user.KvwsSendSms(CharacterFilter::ServiceText(request.text), session.ByCredit(),
                                   request.flash, report, request.numbers.Numbers(), sentInfo));
    session.Update([&](CSmsUserInfo& profile) {
        if (archiving)
            RecipientList::FileSent(profile.GetArchive(), message, request.numbers,
                                    FiledResults(sentInfo, report));
        RememberRecipients(profile, request.recipients, message.sentTime);
        profile.IncrementCounters(message.smsCount * static_cast<int>(sentInfo.size()));
    });
    std::printf("Message sent to %zu recipient(s)%s.\n", sentInfo.size(),
                report ? " with delivery reports" : "");
    PrintResults(sentInfo);
    return ExitOk;
}

int SendLater(CliSession& session, const SendRequest& request, const FiledMessage& message) {
    CSmsUserInfo& user = session.User();
    const ScheduleChoice schedule{*request.schedule.deliverAt,
                                  request.schedule.periodicity.value_or(0),
                                  request.schedule.name.value_or(""), request.report};
    SmsSentInfoList sentInfo;
    std::int64_t messageId = 0;
    ExpectSuccess(user.KvwsSendScheduledSms(CharacterFilter::ServiceText(request.text),
                                            session.ByCredit(), request.flash, schedule.report,
                                            schedule.periodicity, schedule.deliverAt,
                                            request.numbers.Numbers(), sentInfo, messageId));
    session.Update([&](CSmsUserInfo& profile) {
        RecipientList::FileScheduled(profile.GetArchive(), message, schedule, messageId,
                                     request.numbers, RecipientList::ResultsOf(sentInfo));
        RememberRecipients(profile, request.recipients, message.sentTime);
    });
    std::printf("Message %lld scheduled %s %s for %zu recipient(s).\n",
                static_cast<long long>(messageId), schedule.periodicity == 0 ? "at" : "from",
                FormatLocalTime(schedule.deliverAt).c_str(), sentInfo.size());
    if (schedule.periodicity != 0)
        std::printf("  repeated: %s\n", PeriodicityName(schedule.periodicity).c_str());
    return ExitOk;
}

} // namespace

int RunSend(const std::vector<std::string>& args) {
    ArgParser parser = CommandParser(
        "quillon-cli send [options] RECIPIENT...",
        "Sends a message now, or with --at later (with --every periodically), to numbers and to\n"
        "contacts and groups of the profile's address book (NAME#2: a contact's second number).\n"
        "The text comes from -m, --text-file or stdin. The message is filed in the archive.");
    AddMessageOptions(parser, false);
    return RunCommand(parser, args, [](CommandContext& context) -> int {
        const ParsedArgs& parsed = context.Args();
        if (parsed.Positionals().empty())
            throw UsageError("no recipient given");

        SendRequest request;
        request.schedule = ScheduleOptionsOf(parsed);
        if (!request.schedule.deliverAt && (request.schedule.periodicity || request.schedule.name))
            throw UsageError("--every and --name need --at");
        request.text = MessageTextOrStdin(parsed);
        if (request.text.empty())
            throw UsageError("the message is empty");
        request.flash = FlashOption(parsed).value_or(false);

        CliSession& session = context.Session();
        CSmsUserInfo& user = session.User();
        const CSmsAddressBook& book = user.GetAddressBook();
        request.recipients = ResolveRecipients(AnsiTexts(parsed.Positionals()), book);
        // Just resolved from this book: no entry can be missing from it.
        request.numbers = request.recipients.Expand(book);
        request.report = ReportOption(parsed).value_or(user.GetDeliveryReport() != 0);

        session.Open(Access::WithServices);
        const int dummyLen = session.DummyTextLength();
        CheckMessageLength(request.text, request.flash, dummyLen);
        const FiledMessage message{request.text, Clock::Now(), request.flash,
                                   EditorCounts(request.flash, dummyLen).GetSmsCount(request.text)};
        return request.schedule.deliverAt ? SendLater(session, request, message)
                                          : SendNow(session, request, message);
    });
}
