#include "SmsRecipientInfo.h"

#include "LocalCalendar.h"
#include "XmlNumber.h"
#include "XmlText.h"
#include "XmlWriter.h"

#include <algorithm>
#include <string_view>

CSmsRecipientInfo::CSmsRecipientInfo(const std::string& origNr, const std::string& translatedNr,
                                     std::int64_t smsId)
    : m_origNr(origNr), m_translatedNr(translatedNr), m_smsId(smsId) {}

// One pass over the children; of repeated elements the first counts.
CSmsRecipientInfo::CSmsRecipientInfo(const pugi::xml_node& element) {
    pugi::xml_node origNr, translatedNr, id;
    for (const pugi::xml_node& child : element.children()) {
        if (child.type() != pugi::node_element)
            continue;
        const std::string_view name = child.name();
        if (name == "SmsId" && !id)
            id = child;
        else if (name == "OrigNr" && !origNr)
            origNr = child;
        else if (name == "TranslatedNr" && !translatedNr)
            translatedNr = child;
    }
    m_origNr = XmlTextToAnsi(origNr.text().get());
    m_translatedNr = XmlTextToAnsi(translatedNr.text().get());
    m_smsId = XmlDecimal(id.text().get()).value_or(m_smsId);
    if (const auto status = XmlDecimal(id.attribute("Status").value()))
        m_status = ClampStatus(*status);
    m_deliveryTime = XmlDecimal(id.attribute("TimeDelivered").value()).value_or(m_deliveryTime);
}

CSmsRecipientInfo::DeliveryStatus CSmsRecipientInfo::ClampStatus(std::int64_t status) {
    return static_cast<DeliveryStatus>(std::clamp<std::int64_t>(status, Undeliverable, Delivered));
}

std::string CSmsRecipientInfo::GetDeliveryTimeAsString() const {
    return FormatLocalTime(m_deliveryTime, "%d.%m.%Y %H:%M:%S");
}

void CSmsRecipientInfo::SetStatus(DeliveryStatus status, std::int64_t time) {
    m_status = ClampStatus(status);
    if (time != 0)
        m_deliveryTime = time;
}

void CSmsRecipientInfo::WriteXML(CXmlWriter& writer) const {
    writer.Open("Recipient");
    writer.Open("SmsId");
    writer.Attribute("Status", m_status);
    if (m_status == Delivered)
        writer.Attribute("TimeDelivered", m_deliveryTime);
    writer.Text(m_smsId);
    writer.Close();
    writer.Element("OrigNr", m_origNr);
    writer.Element("TranslatedNr", m_translatedNr);
    writer.Close();
}
