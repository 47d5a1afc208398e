#pragma once

#include "service/SoapTransport.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// A transport that answers from a script and records what was posted.
class FakeTransport : public ISoapTransport {
public:
    void Answer(SoapReply reply) { m_replies.push_back(std::move(reply)); }
    void Answer(long httpStatus, std::string body) { Answer({0, httpStatus, std::move(body)}); }

    SoapReply Post(const std::string& body) override {
        posted.push_back(body);
        if (m_replies.empty())
            return SoapReply::Failed(21);
        SoapReply reply = std::move(m_replies.front());
        m_replies.pop_front();
        return reply;
    }

    std::vector<std::string> posted;

private:
    std::deque<SoapReply> m_replies;
};
