#include "ScriptedMessageBox.h"

#include <gtest/gtest.h>

IMessageBox::Answer ScriptedMessageBox::Show(const Request& request) {
    m_shown.push_back(request);
    if (m_script.empty())
        return request.defaultButton;
    const Answer answer = m_script.front();
    m_script.pop_front();
    return answer;
}

std::vector<int> ScriptedMessageBox::ShownIds() const {
    std::vector<int> ids;
    for (const auto& request : m_shown)
        ids.push_back(request.stringId);
    return ids;
}

const IMessageBox::Request& ScriptedMessageBox::Last() const {
    static const Request none;
    EXPECT_FALSE(m_shown.empty()) << "no message box was shown";
    return m_shown.empty() ? none : m_shown.back();
}
