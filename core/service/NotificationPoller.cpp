#include "service/NotificationPoller.h"

#include "model/SmsUserInfo.h"

#include <set>

namespace {

// The immediate message's recipients still waiting for a report, or none when its query is
// not due yet.
void AddDueSms(const CSmsArchiveItem& item, std::int64_t now, SmsDeliveryInfoList& sms) {
    bool decided = false;
    for (int i = 0; i < item.GetRecipientCount(); ++i) {
        const CSmsRecipientInfo* recipient = item.GetRecipient(i);
        if (recipient->GetSmsId() <= 0 || recipient->GetStatus() != CSmsRecipientInfo::Pending)
            continue;
        // One decision per item, at its first waiting recipient.
        if (!decided &&
            !CNotificationPoller::IsQueryDue(item.GetSentTime(), item.GetLastQueryTime(), now,
                                             CNotificationPoller::FirstQueryDelay))
            return;
        decided = true;
        sms.push_back({recipient->GetSmsId(), 0, 0});
    }
}

// The moment a scheduled message's query is measured from, or none when there is nothing to
// ask about.
std::optional<std::int64_t> ScheduledReference(const CSmsArchiveItem& item, std::int64_t now) {
    if (!item.HasDeliveryReport())
        return std::nullopt;
    if (item.GetPeriodicity() != 0) {
        const std::int64_t reference = item.GetLastSchedule(now);
        if (!item.IsPending() && reference < item.GetMaxDeliveryTime())
            return std::nullopt;
        return reference;
    }
    if (!item.IsPending())
        return std::nullopt;
    return item.GetDeliverAt();
}

CSmsArchiveItem* FindScheduled(const CSmsArchive& archive, std::int64_t messageId) {
    for (int i = 0; i < archive.GetItemCount(); ++i) {
        CSmsArchiveItem* item = archive.GetItem(i);
        if (item->IsScheduled() && item->GetMessageId() == messageId)
            return item;
    }
    return nullptr;
}

// The recipient holding the SMS id in the first item that holds it, which is where the archive
// files its report.
const CSmsRecipientInfo* FindBySmsId(const CSmsArchive& archive, std::int64_t smsId) {
    for (int i = 0; i < archive.GetItemCount(); ++i) {
        const CSmsArchiveItem& item = *archive.GetItem(i);
        for (int r = 0; r < item.GetRecipientCount(); ++r)
            if (item.GetRecipient(r)->GetSmsId() == smsId)
                return item.GetRecipient(r);
    }
    return nullptr;
}

const CSmsRecipientInfo* FindByNumber(const CSmsArchiveItem& item, const std::string& number) {
    for (int r = 0; r < item.GetRecipientCount(); ++r)
        if (item.GetRecipient(r)->GetTranslatedNr() == number)
            return item.GetRecipient(r);
    return nullptr;
}

// A recipient's report as the archive holds it, taken before a new one is applied.
struct Report {
    CSmsRecipientInfo::DeliveryStatus status = CSmsRecipientInfo::Pending;
    std::int64_t time = 0;

    static Report Of(const CSmsRecipientInfo* recipient) {
        return recipient ? Report{recipient->GetStatus(), recipient->GetDeliveryTime()} : Report{};
    }
    bool operator==(const Report&) const = default;
};

// Adds the recipient's state when applying a report brought a final state it did not hold: a
// periodic message's recipient is reported anew, with a new time, after each occurrence.
void NoteReached(const CSmsRecipientInfo* recipient, const Report& before,
                 std::vector<CSmsRecipientInfo::DeliveryStatus>& reached) {
    if (!recipient || recipient->GetStatus() == CSmsRecipientInfo::Pending)
        return;
    if (Report::Of(recipient) != before)
        reached.push_back(recipient->GetStatus());
}

} // namespace

CNotificationPoller::CNotificationPoller(CSmsUserInfo& user)
    : m_user(user), m_ownLock(std::make_unique<CServiceLock>()), m_serviceLock(*m_ownLock) {}

CNotificationPoller::CNotificationPoller(CSmsUserInfo& user, CServiceLock& serviceLock)
    : m_user(user), m_serviceLock(serviceLock) {}

bool CNotificationPoller::IsQueryDue(std::int64_t reference, std::int64_t lastQuery,
                                     std::int64_t now, std::int64_t minDelay) {
    if (now - reference < minDelay)
        return false;
    if (lastQuery == 0 || now - lastQuery >= lastQuery - reference)
        return true;
    return now > reference + CSmsArchiveItem::GetExpiryTime() &&
           now - lastQuery >= LateQueryInterval;
}

CNotificationPoller::DueQueries CNotificationPoller::FindDue(const CSmsArchive& archive,
                                                             std::int64_t now) {
    DueQueries due;
    std::set<std::int64_t> scheduled; // one query per message id
    for (int i = 0; i < archive.GetItemCount(); ++i) {
        const CSmsArchiveItem& item = *archive.GetItem(i);
        if (!item.IsScheduled()) {
            AddDueSms(item, now, due.sms);
            continue;
        }
        const std::optional<std::int64_t> reference = ScheduledReference(item, now);
        if (reference &&
            IsQueryDue(*reference, item.GetLastQueryTime(), now, FirstScheduledQueryDelay))
            scheduled.insert(item.GetMessageId());
    }
    due.scheduled.assign(scheduled.begin(), scheduled.end());
    return due;
}

CNotificationPoller::PassResult CNotificationPoller::Poll(std::int64_t now) {
    PassResult pass;
    DueQueries due;
    {
        const auto archiveLock = m_user.GetArchive().TryLock();
        pass.skipped = !archiveLock.owns_lock();
        if (pass.skipped)
            return pass;
        due = FindDue(m_user.GetArchive(), now);
    }
    bool changed = m_unsaved;
    if (!due.sms.empty())
        changed |= QuerySms(due.sms, now, pass);
    for (const std::int64_t messageId : due.scheduled)
        changed |= QueryScheduled(messageId, now, pass);
    m_unsaved = changed;
    pass.saved = changed && Save();
    return pass;
}

bool CNotificationPoller::CallService(const std::function<int()>& call, PassResult& pass) {
    try {
        const auto serviceLock = m_serviceLock.LockForCall();
        const int status = call();
        if (status == 0)
            return true;
        if (!pass.Failed())
            pass.refusal = status;
    } catch (const std::exception&) {
        if (!pass.Failed())
            pass.error = std::current_exception();
    }
    return false;
}

bool CNotificationPoller::QuerySms(SmsDeliveryInfoList& sms, std::int64_t now, PassResult& pass) {
    if (!CallService([&] { return m_user.KvwsGetNotifications(sms); }, pass))
        return false;
    if (m_onQueried)
        m_onQueried();
    bool changed = false;
    CSmsArchive& archive = m_user.GetArchive();
    for (const _smsDeliveryInfo& record : sms) {
        std::optional<ArchiveItemKey> key;
        std::vector<CSmsRecipientInfo::DeliveryStatus> reached;
        {
            const auto archiveLock = archive.TryLock();
            if (!archiveLock.owns_lock())
                continue;
            if (record.status != 0) {
                const CSmsRecipientInfo* recipient = FindBySmsId(archive, record.smsId);
                const Report before = Report::Of(recipient);
                const auto status = static_cast<CSmsRecipientInfo::DeliveryStatus>(record.status);
                if (const CSmsArchiveItem* item =
                        archive.UpdateItem(record.smsId, status, record.timeDelivered))
                    key = ArchiveItemKey::Of(*item);
                NoteReached(recipient, before, reached);
            }
            archive.UpdateItem(record.smsId, now);
            changed = true;
        }
        ReportChanged(key);
        ReportFinal(reached);
    }
    return changed;
}

bool CNotificationPoller::QueryScheduled(std::int64_t messageId, std::int64_t now,
                                         PassResult& pass) {
    SmsSchedDlvrInfoList recipients;
    if (!CallService([&] { return m_user.KvwsGetNotificationsSched(messageId, recipients); }, pass))
        return false;
    CSmsArchive& archive = m_user.GetArchive();
    bool updated = false;
    std::vector<CSmsRecipientInfo::DeliveryStatus> reached;
    {
        const auto archiveLock = archive.TryLock();
        // The item is found again: it may have been deleted while the service was asked.
        CSmsArchiveItem* item =
            archiveLock.owns_lock() ? FindScheduled(archive, messageId) : nullptr;
        if (!item)
            return false;
        for (const _smsSchedDlvrInfo& record : recipients) {
            if (record.number.empty())
                continue;
            const CSmsRecipientInfo* recipient = FindByNumber(*item, record.number);
            const Report before = Report::Of(recipient);
            updated |=
                item->UpdateSchDlvrStatus(record.number, record.status, record.timeDelivered);
            NoteReached(recipient, before, reached);
        }
        item->SetLastQueryTime(now);
    }
    if (updated)
        ReportChanged(ArchiveItemKey{true, messageId});
    ReportFinal(reached);
    return true;
}

void CNotificationPoller::ReportChanged(const std::optional<ArchiveItemKey>& key) const {
    if (key && m_onItemChanged)
        m_onItemChanged(*key);
}

void CNotificationPoller::ReportFinal(
    const std::vector<CSmsRecipientInfo::DeliveryStatus>& reached) const {
    if (!m_onReachedFinal)
        return;
    for (const CSmsRecipientInfo::DeliveryStatus status : reached)
        m_onReachedFinal(status);
}

bool CNotificationPoller::Save() {
    // Save takes the archive's lock itself; asking for it here first keeps the pass within the
    // archive's time limit.
    const auto archiveLock = m_user.GetArchive().TryLock();
    if (!archiveLock.owns_lock())
        return false;
    try {
        if (!m_user.Save(false))
            return false; // tried again on the next pass
    } catch (const std::exception&) {
        return false;
    }
    m_unsaved = false;
    return true;
}
