#include "frontend/BackgroundPass.h"

#include "frontend/IBackgroundEvents.h"
#include "model/SmsUserInfo.h"

BackgroundPass::BackgroundPass(CSmsUserInfo& user, CServiceLock& serviceLock,
                               IBackgroundEvents* events)
    : m_user(user), m_serviceLock(serviceLock), m_events(events), m_poller(user, serviceLock) {
    m_poller.SetOnReachedFinal([this](CSmsRecipientInfo::DeliveryStatus status) { Count(status); });
    if (!m_events)
        return;
    m_poller.SetOnQueried([this] { m_events->TokenRefreshed(); });
    m_poller.SetOnItemChanged(
        [this](const ArchiveItemKey& key) { m_events->ArchiveItemChanged(key); });
}

BackgroundPass::Result BackgroundPass::Run(std::int64_t now, std::int64_t refreshAt) {
    Result result;
    m_deliveries = {};
    result.poll = m_poller.Poll(now);
    if (now >= refreshAt)
        result.keptAlive = KeepAlive();
    result.deliveries = m_deliveries;
    if (m_events && result.deliveries.Any())
        m_events->DeliveriesReported(result.deliveries);
    return result;
}

void BackgroundPass::Count(CSmsRecipientInfo::DeliveryStatus status) {
    switch (status) {
    case CSmsRecipientInfo::Delivered:
        ++m_deliveries.delivered;
        break;
    case CSmsRecipientInfo::Expired:
        ++m_deliveries.expired;
        break;
    case CSmsRecipientInfo::NotDelivered:
    case CSmsRecipientInfo::Undeliverable:
        ++m_deliveries.undelivered;
        break;
    default:
        break; // not final
    }
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
