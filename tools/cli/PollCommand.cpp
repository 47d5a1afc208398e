#include "ArchiveView.h"
#include "CliSession.h"
#include "Commands.h"
#include "ExitCode.h"

#include "frontend/BackgroundPass.h"
#include "frontend/IBackgroundEvents.h"
#include "model/SmsUserInfo.h"
#include "platform/Clock.h"
#include "service/KeepAliveTiming.h"
#include "service/ServiceLock.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <set>
#include <thread>
#include <unistd.h>

namespace {

int Seconds(const ParsedArgs& args, const std::string& name, int fallback, int least) {
    const auto text = args.Value(name);
    if (!text)
        return fallback;
    const int value = std::atoi(text->c_str());
    if (value < least || std::to_string(value) != *text)
        throw UsageError(name + " wants a number of seconds, at least " + std::to_string(least));
    return value;
}

// A query that failed ends the command, as a failed call of any other command does.
void ThrowFailure(const CNotificationPoller::PassResult& pass) {
    if (pass.error)
        std::rethrow_exception(pass.error);
    ExpectSuccess(pass.refusal);
}

int CountWaiting(CSmsArchive& archive, std::int64_t now) {
    std::lock_guard lock(archive.GetMutex());
    int waiting = 0;
    for (int i = 0; i < archive.GetItemCount(); ++i)
        waiting += AwaitsReport(*archive.GetItem(i), now) ? 1 : 0;
    return waiting;
}

// The messages whose delivery states changed, each counted once.
class UpdatedMessages : public IBackgroundEvents {
public:
    void TokenRefreshed() override {}
    void ArchiveItemChanged(const ArchiveItemKey& key) override { m_keys.insert(key); }
    std::size_t Count() const { return m_keys.size(); }

private:
    std::set<ArchiveItemKey> m_keys;
};

// The progress line on stderr: rewritten in place at a terminal, else one line per change.
class Progress {
public:
    Progress() : m_terminal(isatty(STDERR_FILENO) != 0) {}
    ~Progress() {
        if (m_shown && m_terminal)
            std::fputc('\n', stderr);
    }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void Show(int waiting, std::int64_t elapsed) {
        if (!m_terminal && waiting == m_lastWaiting)
            return;
        std::fprintf(stderr, "%swaiting for delivery reports of %d message(s)... %llds%s",
                     m_terminal ? "\r" : "", waiting, static_cast<long long>(elapsed),
                     m_terminal ? "  " : "\n");
        std::fflush(stderr);
        m_shown = true;
        m_lastWaiting = waiting;
    }

private:
    bool m_terminal;
    bool m_shown = false;
    int m_lastWaiting = -1;
};

} // namespace

int RunPoll(const std::vector<std::string>& args) {
    ArgParser parser = CommandParser(
        "quillon-cli poll [--wait [--interval S] [--timeout S]]",
        "Asks the service for the delivery reports that are due, as the desktop program's\n"
        "background worker does (the first 30 seconds after sending, then at growing\n"
        "intervals), and files them in the archive. With --wait it goes on until no message\n"
        "waits for a report any more, showing its progress on stderr.");
    parser.Flag("--wait", "poll until no message waits for a delivery report")
        .Option("--interval", "S", "seconds between two passes with --wait (default 5)")
        .Option("--timeout", "S", "give up after S seconds with exit code 5 (default 600)")
        .NoArguments();
    const auto command = ParseCommand(parser, args);
    if (!command)
        return ExitOk;
    const ParsedArgs& parsed = *command;
    const int interval = Seconds(parsed, "--interval", 5, 1);
    const int timeout = Seconds(parsed, "--timeout", 600, 0);
    const bool wait = parsed.Has("--wait");

    CliSession session(parsed);
    CSmsArchive& archive = session.User().GetArchive();
    session.LogIn();
    CServiceLock serviceLock;
    UpdatedMessages updated;
    // The desktop program's background pass, keep-alive included, so a long wait keeps the
    // session.
    BackgroundPass pass(session.User(), serviceLock, &updated);

    const std::int64_t start = Clock::Now();
    Progress progress;
    for (;;) {
        // Each pass starts from the archive as it is stored now: other programs file messages
        // while the poll waits.
        session.User().Refresh();
        const CSmsUserInfo& user = session.User();
        const KeepAliveTiming timing =
            KeepAliveTiming::Compute(user.GetTokenExpiry(), user.GetTokenValidity(), Clock::Now());
        const CNotificationPoller::PassResult result =
            pass.Run(Clock::Now(), timing.refreshAt).poll;
        if (result.skipped)
            throw LocalError("the archive is busy");
        ThrowFailure(result);
        const std::int64_t now = Clock::Now();
        const int waiting = CountWaiting(archive, now);
        if (!wait || waiting == 0) {
            std::printf("%zu message(s) updated, %d still waiting for delivery reports.\n",
                        updated.Count(), waiting);
            return ExitOk;
        }
        progress.Show(waiting, now - start);
        if (now - start >= timeout) {
            std::printf("%zu message(s) updated, %d still waiting for delivery reports.\n",
                        updated.Count(), waiting);
            throw CliError(ExitTimedOut, "timed out after " + std::to_string(timeout) + " s with " +
                                             std::to_string(waiting) +
                                             " message(s) still waiting for delivery reports");
        }
        std::this_thread::sleep_for(std::chrono::seconds(interval));
    }
}
