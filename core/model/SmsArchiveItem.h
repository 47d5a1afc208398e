#pragma once

#include "QuillonCoreExport.h"

#include "SmsRecipientInfo.h"
#include "SmsScheduleInfo.h"

#include <pugixml.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CXmlWriter;

// One archived message: sent at once (to a number, a contact or a group) or scheduled, with its
// recipients and their delivery states.
class QUILLON_CORE_EXPORT CSmsArchiveItem {
public:
    CSmsArchiveItem(const std::string& text, std::int64_t sentTime, bool type, int smsCount,
                    const std::string& groupName = {});
    // From an "ArchiveItem" element, also in the earlier single-recipient layout; the item always
    // has at least one recipient.
    explicit CSmsArchiveItem(const pugi::xml_node& element);

    CSmsArchiveItem(const CSmsArchiveItem&) = delete;
    CSmsArchiveItem& operator=(const CSmsArchiveItem&) = delete;
    // Takes another item's content while this object stays where it is known (the recipients
    // move whole, so the recipient cache stays valid).
    CSmsArchiveItem& operator=(CSmsArchiveItem&&) = default;

    std::int64_t GetSentTime() const { return m_sentTime; }
    // "%d.%m.%Y %H:%M:%S" in local time.
    std::string GetSentTimeAsString() const;
    std::int64_t GetLastQueryTime() const { return m_lastQueryTime; }
    void SetLastQueryTime(std::int64_t time) { m_lastQueryTime = time; }
    // True for a flash message.
    bool GetType() const { return m_type; }
    const std::string& GetSmsText() const { return m_text; }
    const std::string& GetGroupName() const { return m_groupName; }
    int GetSmsCount() const { return m_smsCount; }

    int GetRecipientCount() const { return static_cast<int>(m_recipients.size()); }
    // Null outside 0..GetRecipientCount()-1.
    CSmsRecipientInfo* GetRecipient(int index) const;
    // The newest recipient comes first.
    void AddRecipient(std::unique_ptr<CSmsRecipientInfo> recipient);
    void AddRecipient(const std::string& origNr, const std::string& translatedNr,
                      std::int64_t smsId);
    void RemoveAllRecipients();

    bool IsScheduled() const { return m_schedule != nullptr; }
    bool IsGroup() const;
    bool IsDelivered() const;
    bool IsPending() const;
    // Various for a scheduled item and for recipients in different states; Pending when there is
    // no recipient.
    CSmsRecipientInfo::DeliveryStatus GetStatus() const;
    bool HasDeliveryReport() const;

    // Remembers the recipient found, for the SetStatus that usually follows.
    bool HasSmsId(std::int64_t smsId);
    // True when a recipient holds that SMS id.
    bool SetStatus(std::int64_t smsId, CSmsRecipientInfo::DeliveryStatus status, std::int64_t time);
    // Delivery reports of scheduled messages name the number instead of an SMS id.
    bool UpdateSchDlvrStatus(const std::string& number, int status, std::int64_t time);
    std::int64_t GetMaxDeliveryTime() const;

    // Delivery reports are asked for during this long after sending.
    static constexpr std::int64_t GetExpiryTime() { return 259200; }
    std::int64_t GetLatestQueryTime() const;

    // Creates the schedule, or replaces periodicity, deliver-at and notify of the one there is.
    void SetScheduleInfo(std::int64_t messageId, int periodicity, std::int64_t deliverAt,
                         bool notify, const std::string& name);
    // -1 for an item that is not scheduled.
    std::int64_t GetMessageId() const;
    int GetPeriodicity() const;
    std::int64_t GetDeliverAt() const;
    std::string GetName() const;
    void SetName(const std::string& name);
    // Leaves next and last unchanged for an item that is not scheduled.
    void GetNextDeliveryTime(std::int64_t now, std::int64_t& next, std::int64_t& last) const;
    // 0 for an item that is not scheduled.
    std::int64_t GetLastSchedule(std::int64_t now) const;

    // A scheduled message may be edited and replaced, a sent one not: these change only a
    // scheduled item.
    void SetType(bool type);
    void SetSmsText(const std::string& text);

    // Writes an "ArchiveItem" element.
    void WriteXML(CXmlWriter& writer) const;

private:
    struct EarlierRecipient;
    void ReadRecipients(const pugi::xml_node& recipients);
    void ReadValue(const pugi::xml_node& child, EarlierRecipient& earlier);
    CSmsRecipientInfo* FindRecipient(std::int64_t smsId) const;

    std::int64_t m_sentTime = 0;
    std::int64_t m_lastQueryTime = 0;
    bool m_type = false;
    std::string m_text;
    std::string m_groupName;
    int m_smsCount = 0;
    std::unique_ptr<CSmsScheduleInfo> m_schedule;
    std::vector<std::unique_ptr<CSmsRecipientInfo>> m_recipients;
    // The SMS id last found by HasSmsId and the recipient holding it.
    std::int64_t m_cachedSmsId = -1;
    CSmsRecipientInfo* m_cachedRecipient = nullptr;
};
