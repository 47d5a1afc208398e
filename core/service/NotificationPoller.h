#pragma once

#include "QuillonCoreExport.h"

#include "model/ArchiveItemKey.h"
#include "model/SmsRecipientInfo.h"
#include "model/SmsResultRecords.h"
#include "service/ServiceLock.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CSmsArchive;
class CSmsArchiveItem;
class CSmsUserInfo;

// One pass of a program's delivery report poll: finds the archived messages whose query is
// due, asks the service, files the answers in the archive and saves the profile when something
// changed. Service calls are made under the service lock, archive access under the archive's
// lock waited for at most its time limit (a pass that cannot have it is skipped).
class QUILLON_CORE_EXPORT CNotificationPoller {
public:
    // The SMS numbers and scheduled messages whose delivery reports are due.
    struct DueQueries {
        SmsDeliveryInfoList sms;
        std::vector<std::int64_t> scheduled; // message ids
    };

    struct PassResult {
        bool skipped = false; // the archive was busy
        bool saved = false;   // something changed and the profile was saved
        // The first query of the pass that failed, for a caller that reports it (background
        // work stays silent and tries again on a later pass): the service's refusal status, or
        // what the call threw.
        int refusal = 0;
        std::exception_ptr error;

        bool Failed() const { return refusal != 0 || error; }
    };

    // Waits after sending (or after a scheduled delivery) before the first query.
    static constexpr std::int64_t FirstQueryDelay = 30;
    static constexpr std::int64_t FirstScheduledQueryDelay = 60;
    // After the notification window queries go on at this interval.
    static constexpr std::int64_t LateQueryInterval = 43200;

    // Uses a service lock of its own.
    explicit CNotificationPoller(CSmsUserInfo& user);
    CNotificationPoller(CSmsUserInfo& user, CServiceLock& serviceLock);

    // After every successful query (the token may have changed).
    void SetOnQueried(std::function<void()> onQueried) { m_onQueried = std::move(onQueried); }
    // A message whose delivery state changed, named by its key; called without the archive's
    // lock, so the item is found again under it (ArchiveItemKey::Find).
    using OnItemChanged = std::function<void(const ArchiveItemKey&)>;
    void SetOnItemChanged(OnItemChanged onItemChanged) {
        m_onItemChanged = std::move(onItemChanged);
    }

    // A recipient whose delivery reached a final state (delivered, not delivered, undeliverable,
    // expired) in this pass; a report the archive already held is not told again. Called
    // without the archive's lock.
    using OnReachedFinal = std::function<void(CSmsRecipientInfo::DeliveryStatus)>;
    void SetOnReachedFinal(OnReachedFinal onReachedFinal) {
        m_onReachedFinal = std::move(onReachedFinal);
    }

    PassResult Poll(std::int64_t now);

    // The decisions at now; the caller holds the archive's lock.
    static DueQueries FindDue(const CSmsArchive& archive, std::int64_t now);
    // A query is due minDelay after the reference moment, then whenever the time since the last
    // query is at least the time from the reference to it (so the interval doubles), and after
    // the notification window every LateQueryInterval.
    static bool IsQueryDue(std::int64_t reference, std::int64_t lastQuery, std::int64_t now,
                           std::int64_t minDelay);

private:
    // Each is false when nothing changed; a failed query goes into the pass's result.
    bool QuerySms(SmsDeliveryInfoList& sms, std::int64_t now, PassResult& pass);
    bool QueryScheduled(std::int64_t messageId, std::int64_t now, PassResult& pass);
    // Makes the call under the service lock; true when it returned 0.
    bool CallService(const std::function<int()>& call, PassResult& pass);
    bool Save();

    CSmsUserInfo& m_user;
    std::unique_ptr<CServiceLock> m_ownLock;
    CServiceLock& m_serviceLock;
    std::function<void()> m_onQueried;
    // The item's key to m_onItemChanged, when there is one.
    void ReportChanged(const std::optional<ArchiveItemKey>& key) const;
    void ReportFinal(const std::vector<CSmsRecipientInfo::DeliveryStatus>& reached) const;

    OnItemChanged m_onItemChanged;
    OnReachedFinal m_onReachedFinal;
    // Changes that could not be saved yet because the archive was busy.
    bool m_unsaved = false;
};
