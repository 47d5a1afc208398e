#pragma once

#include "QuillonCoreExport.h"
#include "frontend/DeliveryCounts.h"
#include "service/NotificationPoller.h"

#include <cstdint>

class CServiceLock;
class CSmsUserInfo;
class IBackgroundEvents;

// One wake of the background worker: the delivery report poll, then keep-alive once the token
// is in the last eighth of its validity. The desktop program's worker and the command-line
// client's poll both run it. Service calls go under the service lock; archive access under the
// archive's lock, waited for at most its time limit.
class QUILLON_CORE_EXPORT BackgroundPass {
public:
    struct Result {
        CNotificationPoller::PassResult poll;
        bool keptAlive = false; // KvwsKeepAlive was called and returned
        // Recipients that reached a final delivery state in this pass; told to the events
        // with DeliveriesReported when there are any.
        DeliveryCounts deliveries;
    };

    // events may be null; otherwise it must outlive the pass.
    BackgroundPass(CSmsUserInfo& user, CServiceLock& serviceLock, IBackgroundEvents* events);
    BackgroundPass(const BackgroundPass&) = delete;
    BackgroundPass& operator=(const BackgroundPass&) = delete;

    // refreshAt: when keep-alive is due (KeepAliveTiming), as worked out before the wait that
    // ended at now. Failures of keep-alive are swallowed; the next pass tries again.
    Result Run(std::int64_t now, std::int64_t refreshAt);

private:
    bool KeepAlive();
    void Count(CSmsRecipientInfo::DeliveryStatus status);

    CSmsUserInfo& m_user;
    CServiceLock& m_serviceLock;
    IBackgroundEvents* m_events;
    CNotificationPoller m_poller;
    DeliveryCounts m_deliveries; // of the pass that runs
};
