#include "frontend/QuestionRelay.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <future>
#include <mutex>
#include <optional>
#include <thread>

namespace {

using Reply = QuestionRelay::Reply;

// The answering side: takes the replies the asking thread posts, one at a time.
class Inbox {
public:
    void Post(Reply reply) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_reply = std::move(reply);
        m_posted.notify_all();
    }
    Reply Take() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_posted.wait(lock, [this] { return m_reply.has_value(); });
        Reply reply = *m_reply;
        m_reply.reset();
        return reply;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::optional<Reply> m_reply;
};

struct QuestionRelayTest : ::testing::Test {
    std::future<int> AskOnWorker(int fallback = -1) {
        return std::async(std::launch::async, [this, fallback] {
            return relay.Ask([this](Reply reply) { inbox.Post(std::move(reply)); }, fallback);
        });
    }

    QuestionRelay relay;
    Inbox inbox;
};

TEST_F(QuestionRelayTest, TheWorkerGetsTheFirstAnswerOnly) {
    std::future<int> answer = AskOnWorker();
    const Reply reply = inbox.Take();
    EXPECT_TRUE(reply.IsOpen());
    reply(2);
    reply(7);
    EXPECT_EQ(answer.get(), 2);
    EXPECT_FALSE(reply.IsOpen());

    // The next question has a reply of its own.
    answer = AskOnWorker();
    inbox.Take()(0);
    EXPECT_EQ(answer.get(), 0);
}

// The answering thread is still inside the question (its dialog open) when the window goes.
TEST_F(QuestionRelayTest, AbandonReleasesTheWaitingWorkerAndAnswersLaterQuestionsAtOnce) {
    std::future<int> answer = AskOnWorker(-5);
    const Reply reply = inbox.Take();
    relay.Abandon();
    EXPECT_EQ(answer.get(), -5);
    EXPECT_FALSE(reply.IsOpen());
    reply(1); // the dialog closing late changes nothing
    EXPECT_TRUE(relay.IsAbandoned());

    bool posted = false;
    EXPECT_EQ(relay.Ask([&](Reply) { posted = true; }, 9), 9);
    EXPECT_FALSE(posted);
}

TEST(QuestionRelayLifetime, ARelayThatGoesReleasesItsWorkerAndLeavesItsRepliesSafe) {
    auto relay = std::make_unique<QuestionRelay>();
    Inbox inbox;
    std::future<int> answer = std::async(std::launch::async, [&] {
        return relay->Ask([&](Reply reply) { inbox.Post(std::move(reply)); }, 4);
    });
    const Reply reply = inbox.Take();
    relay.reset();
    EXPECT_EQ(answer.get(), 4);
    EXPECT_FALSE(reply.IsOpen());
    reply(3);
}

} // namespace
