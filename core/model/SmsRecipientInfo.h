#pragma once

#include "QuillonCoreExport.h"

#include <pugixml.hpp>

#include <cstdint>
#include <string>

class CXmlWriter;

// One recipient of one archived message and the delivery state the service reported for it.
class QUILLON_CORE_EXPORT CSmsRecipientInfo {
public:
    // The values the service reports and the archive keeps; any stored value lies in -3..1.
    enum DeliveryStatus : int {
        Undeliverable = -3,
        Expired = -2,
        NotDelivered = -1,
        Pending = 0,
        Delivered = 1,
        // Only as the summary of a message: scheduled, or recipients in different states.
        Various = 1000,
    };

    CSmsRecipientInfo(const std::string& origNr, const std::string& translatedNr,
                      std::int64_t smsId);
    // From a "Recipient" element; missing or unreadable values keep their defaults.
    explicit CSmsRecipientInfo(const pugi::xml_node& element);

    // Values below -3 become -3, values above 1 become 1.
    static DeliveryStatus ClampStatus(std::int64_t status);

    const std::string& GetOrigNr() const { return m_origNr; }
    const std::string& GetTranslatedNr() const { return m_translatedNr; }
    DeliveryStatus GetStatus() const { return m_status; }
    std::int64_t GetDeliveryTime() const { return m_deliveryTime; }
    std::int64_t GetSmsId() const { return m_smsId; }
    // "%d.%m.%Y %H:%M:%S" in local time.
    std::string GetDeliveryTimeAsString() const;

    // Stores the clamped status; the time only when it is not 0.
    void SetStatus(DeliveryStatus status, std::int64_t time);

    // Writes a "Recipient" element.
    void WriteXML(CXmlWriter& writer) const;

private:
    std::string m_origNr;
    std::string m_translatedNr;
    DeliveryStatus m_status = Pending;
    std::int64_t m_deliveryTime = 0;
    // 0 or less: the message has no id, so no delivery report is possible.
    std::int64_t m_smsId = 0;
};
