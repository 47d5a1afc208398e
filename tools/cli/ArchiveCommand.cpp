#include "ArchiveView.h"
#include "CliSession.h"
#include "CommandContext.h"
#include "Commands.h"
#include "ExitCode.h"
#include "ScheduleText.h"

#include "model/SmsUserInfo.h"
#include "model/Utilities.h"
#include "platform/Clock.h"

#include <cstdio>
#include <mutex>

namespace {

ArchiveFilter FilterOf(const ParsedArgs& args) {
    ArchiveFilter filter;
    filter.delivered = args.Has("--delivered");
    filter.undelivered = args.Has("--undelivered");
    filter.scheduled = args.Has("--scheduled");
    filter.pending = args.Has("--pending");
    if (const auto since = args.Value("--since")) {
        filter.since = ParseLocalTime(*since);
        if (!filter.since)
            throw UsageError("--since wants \"DD.MM.YYYY\" or \"DD.MM.YYYY HH:MM\"");
    }
    if (const auto limit = args.Value("--limit")) {
        filter.limit = std::atoi(limit->c_str());
        if (filter.limit <= 0 || std::to_string(filter.limit) != *limit)
            throw UsageError("--limit wants a positive number");
    }
    return filter;
}

} // namespace

int RunArchive(const std::vector<std::string>& args) {
    ArgParser parser = CommandParser(
        "quillon-cli archive [options]",
        "Lists the archived messages, newest first, with every recipient's delivery state. The\n"
        "number in front of each message (#N) is its archive index for cancel and replace.\n"
        "Works offline, from the profile.");
    parser.Flag("--delivered", "only delivered messages (and those sent without a report)")
        .Flag("--undelivered", "only messages not delivered (yet)")
        .Flag("--scheduled", "only scheduled messages")
        .Flag("--pending", "only messages still waiting for a delivery report")
        .Option("--since", "\"DD.MM.YYYY[ HH:MM]\"", "only messages sent since then")
        .Option("--limit", "N", "at most N messages")
        .Flag("--tsv", "tab-separated, one line per recipient: index, sent, kind, message id, "
                       "name, number, SMS id, status, state, delivered, text")
        .NoArguments();
    return RunCommand(parser, args, [](CommandContext& context) -> int {
        const ArchiveFilter filter = FilterOf(context.Args());
        CSmsArchive& archive = context.Session().User().GetArchive();
        std::lock_guard lock(archive.GetMutex());
        const std::int64_t now = Clock::Now();
        const std::string listing = context.Args().Has("--tsv")
                                        ? FormatArchiveTsv(archive, filter, now)
                                        : FormatArchive(archive, filter, now);
        std::fputs(AnsiToUtf8(listing).c_str(), stdout);
        return ExitOk;
    });
}
