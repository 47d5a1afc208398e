#pragma once

#include "frontend/IMessageBox.h"

#include <deque>
#include <vector>

// Message boxes a test answers: each question takes the next scripted answer, or its default
// button when the script is empty; everything shown is kept for the test to read.
class ScriptedMessageBox : public IMessageBox {
public:
    using IMessageBox::Show;
    Answer Show(const Request& request) override;

    // "Answer No to the next question."
    void AnswerNext(Answer answer) { m_script.push_back(answer); }
    const std::vector<Request>& Shown() const { return m_shown; }
    // The string ids of every box shown, in order.
    std::vector<int> ShownIds() const;
    // The last box shown; fails the test when none was.
    const Request& Last() const;
    void Clear() { m_shown.clear(); }

private:
    std::deque<Answer> m_script;
    std::vector<Request> m_shown;
};
