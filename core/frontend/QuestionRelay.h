#pragma once

#include "QuillonCoreExport.h"

#include <functional>
#include <memory>

// Hands a worker thread's questions to the thread that answers them (the user-interface
// thread) and the answers back. Each question is answered once: by its reply, or by Abandon,
// which releases every waiting worker at once, also while the answering thread is still inside
// the question (a dialog's own event loop), and answers every later question at once. So a
// worker never waits for a window that is going.
class QUILLON_CORE_EXPORT QuestionRelay {
public:
    // The answer to one question. Copies may go anywhere and outlive the relay; only the first
    // answer counts, and none after Abandon.
    class Reply {
    public:
        // Whether the question still waits for its answer (not answered, not abandoned).
        bool IsOpen() const;
        void operator()(int answer) const;

    private:
        friend class QuestionRelay;
        struct Shared;
        struct Slot;
        Reply(std::shared_ptr<Shared> shared, std::shared_ptr<Slot> slot);

        std::shared_ptr<Shared> m_shared;
        std::shared_ptr<Slot> m_slot;
    };

    QuestionRelay();
    // Abandons, so nothing waits for a relay that is gone.
    ~QuestionRelay();
    QuestionRelay(const QuestionRelay&) = delete;
    QuestionRelay& operator=(const QuestionRelay&) = delete;

    // On the asking thread: hands the question to post (which passes the reply on to the
    // answering thread and returns) and waits for its answer; fallback once abandoned, then
    // without calling post.
    int Ask(const std::function<void(Reply)>& post, int fallback);
    // Any thread: ends every question, open or to come.
    void Abandon();
    bool IsAbandoned() const;

private:
    std::shared_ptr<Reply::Shared> m_shared;
};
