#include "frontend/QuestionRelay.h"

#include <condition_variable>
#include <mutex>
#include <utility>

// What the relay and every reply share: one lock and one wake-up for all questions.
struct QuestionRelay::Reply::Shared {
    std::mutex mutex;
    std::condition_variable changed;
    bool abandoned = false;
};

struct QuestionRelay::Reply::Slot {
    bool answered = false;
    int answer = 0;
};

QuestionRelay::Reply::Reply(std::shared_ptr<Shared> shared, std::shared_ptr<Slot> slot)
    : m_shared(std::move(shared)), m_slot(std::move(slot)) {}

bool QuestionRelay::Reply::IsOpen() const {
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    return !m_slot->answered && !m_shared->abandoned;
}

void QuestionRelay::Reply::operator()(int answer) const {
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    if (m_slot->answered || m_shared->abandoned)
        return;
    m_slot->answered = true;
    m_slot->answer = answer;
    m_shared->changed.notify_all();
}

QuestionRelay::QuestionRelay() : m_shared(std::make_shared<Reply::Shared>()) {}

QuestionRelay::~QuestionRelay() {
    Abandon();
}

int QuestionRelay::Ask(const std::function<void(Reply)>& post, int fallback) {
    // A copy, so a worker released by the relay's destruction still has what it waits on.
    const std::shared_ptr<Reply::Shared> shared = m_shared;
    const auto slot = std::make_shared<Reply::Slot>();
    if (IsAbandoned())
        return fallback;
    post(Reply(shared, slot));
    std::unique_lock<std::mutex> lock(shared->mutex);
    shared->changed.wait(lock, [&] { return slot->answered || shared->abandoned; });
    return slot->answered ? slot->answer : fallback;
}

void QuestionRelay::Abandon() {
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->abandoned = true;
    m_shared->changed.notify_all();
}

bool QuestionRelay::IsAbandoned() const {
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    return m_shared->abandoned;
}
