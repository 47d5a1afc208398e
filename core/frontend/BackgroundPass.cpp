#include "frontend/BackgroundPass.h"

#include "frontend/IBackgroundEvents.h"
#include "model/SmsUserInfo.h"

BackgroundPass::BackgroundPass(CSmsUserInfo& user, CServiceLock& serviceLock,
                               IBackgroundEvents* events)
    : m_user(user), m_serviceLock(serviceLock), m_events(events), m_poller(user, serviceLock) {
    if (!m_events)
        return;
    m_poller.SetOnQueried([this] { m_events->TokenRefreshed(); });
    m_poller.SetOnItemChanged(
        [this](const ArchiveItemKey& key) { m_events->ArchiveItemChanged(key); });
}

BackgroundPass::Result BackgroundPass::Run(std::int64_t now, std::int64_t refreshAt) {
    Result result;
    result.poll = m_poller.Poll(now);
    if (now >= refreshAt)
        result.keptAlive = KeepAlive();
    return result;
}

bool BackgroundPass::KeepAlive() {
    try {
        const auto serviceLock = m_serviceLock.LockForCall();
        m_user.KvwsKeepAlive();
        if (m_events)
            m_events->TokenRefreshed();
        return true;
    } catch (const std::exception&) {
        return false; // silent: the next pass tries again
    }
}
