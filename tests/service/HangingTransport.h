#pragma once

#include "ScriptedTransport.h"

#include "service/CallCanceller.h"
#include "service/SoapTransport.h"
#include "service/TransportError.h"

#include <future>
#include <string>
#include <vector>

// A service that never answers: every post waits until the posting thread's calls are
// cancelled (or five minutes have passed, so that a failing test cannot hang) and then fails
// as a cancelled call does. Tells when the first post has begun.
class HangingTransport : public ISoapTransport {
public:
    SoapReply Post(const std::string& body) override {
        posted.push_back(ParsedRequest(body).Operation());
        const CallCanceller* canceller = CallCanceller::Current();
        if (posted.size() == 1)
            m_entered.set_value();
        cancelled = canceller && canceller->WaitCancelled(std::chrono::minutes(5));
        return cancelled
                   ? SoapReply::Failed(TransportError::SendFailed, TransportError::CancelledDetail)
                   : SoapReply::Failed(TransportError::SendFailed, "never cancelled");
    }

    // Ready once the first post since the last call of this has begun.
    std::future<void> Entered() {
        m_entered = std::promise<void>();
        posted.clear();
        return m_entered.get_future();
    }

    std::vector<std::string> posted;
    bool cancelled = false;

private:
    std::promise<void> m_entered;
};
