#include "SmsArchiveItem.h"

#include "LocalCalendar.h"
#include "XmlNumber.h"
#include "XmlText.h"
#include "XmlWriter.h"
#include "platform/Clock.h"

#include <algorithm>
#include <limits>
#include <string_view>

// The recipient of the earlier layout, whose values stood directly in "ArchiveItem".
struct CSmsArchiveItem::EarlierRecipient {
    std::string origNr;
    std::string translatedNr;
    std::int64_t smsId = 0;
    std::int64_t status = CSmsRecipientInfo::Pending;
    std::int64_t timeDelivered = 0;
};

CSmsArchiveItem::CSmsArchiveItem(const std::string& text, std::int64_t sentTime, bool type,
                                 int smsCount, const std::string& groupName)
    : m_sentTime(sentTime), m_type(type), m_text(text), m_groupName(groupName),
      m_smsCount(smsCount) {}

CSmsArchiveItem::CSmsArchiveItem(const pugi::xml_node& element) : m_sentTime(Clock::Now()) {
    EarlierRecipient earlier;
    for (const pugi::xml_node& child : element.children()) {
        if (child.type() != pugi::node_element)
            continue;
        const std::string_view name = child.name();
        if (name == "Recipients")
            ReadRecipients(child);
        else if (name == "ScheduleInfo" && !m_schedule)
            m_schedule = std::make_unique<CSmsScheduleInfo>(child);
        else
            ReadValue(child, earlier);
    }
    if (m_recipients.empty()) {
        AddRecipient(earlier.origNr, earlier.translatedNr, earlier.smsId);
        m_recipients.front()->SetStatus(CSmsRecipientInfo::ClampStatus(earlier.status),
                                        earlier.timeDelivered);
    }
}

// Each recipient goes to the front, as AddRecipient puts it: the stored order turns round.
void CSmsArchiveItem::ReadRecipients(const pugi::xml_node& recipients) {
    const auto isElement = [](const pugi::xml_node& node) {
        return node.type() == pugi::node_element;
    };
    const auto children = recipients.children();
    m_recipients.reserve(m_recipients.size() + static_cast<std::size_t>(std::count_if(
                                                   children.begin(), children.end(), isElement)));
    for (const pugi::xml_node& child : children)
        if (isElement(child))
            AddRecipient(std::make_unique<CSmsRecipientInfo>(child));
}

void CSmsArchiveItem::ReadValue(const pugi::xml_node& child, EarlierRecipient& earlier) {
    const std::string_view name = child.name();
    const char* value = child.text().get();
    if (name == "TimeSent")
        m_sentTime = XmlDecimal(value).value_or(m_sentTime);
    else if (name == "TimeQuery")
        m_lastQueryTime = XmlDecimal(value).value_or(m_lastQueryTime);
    else if (name == "SmsCount")
        m_smsCount = XmlInt(value).value_or(m_smsCount);
    else if (name == "Type")
        m_type = XmlInt(value).value_or(m_type) != 0;
    else if (name == "Text")
        m_text = XmlTextToAnsi(value);
    else if (name == "Group")
        m_groupName = XmlTextToAnsi(value);
    else if (name == "OrigNr")
        earlier.origNr = XmlTextToAnsi(value);
    else if (name == "TranslatedNr")
        earlier.translatedNr = XmlTextToAnsi(value);
    else if (name == "SmsId")
        earlier.smsId = XmlDecimal(value).value_or(earlier.smsId);
    else if (name == "Status")
        earlier.status = XmlDecimal(value).value_or(earlier.status);
    else if (name == "TimeDelivered")
        earlier.timeDelivered = XmlDecimal(value).value_or(earlier.timeDelivered);
}

std::string CSmsArchiveItem::GetSentTimeAsString() const {
    return FormatLocalTime(m_sentTime, "%d.%m.%Y %H:%M:%S");
}

CSmsRecipientInfo* CSmsArchiveItem::GetRecipient(int index) const {
    if (index < 0 || index >= GetRecipientCount())
        return nullptr;
    return m_recipients[static_cast<std::size_t>(index)].get();
}

void CSmsArchiveItem::AddRecipient(std::unique_ptr<CSmsRecipientInfo> recipient) {
    m_recipients.insert(m_recipients.begin(), std::move(recipient));
}

void CSmsArchiveItem::AddRecipient(const std::string& origNr, const std::string& translatedNr,
                                   std::int64_t smsId) {
    AddRecipient(std::make_unique<CSmsRecipientInfo>(origNr, translatedNr, smsId));
}

void CSmsArchiveItem::RemoveAllRecipients() {
    // The cache must not point at a destroyed recipient.
    m_cachedSmsId = -1;
    m_cachedRecipient = nullptr;
    m_recipients.clear();
}

bool CSmsArchiveItem::IsGroup() const {
    return (!m_groupName.empty() || m_recipients.size() >= 2) && !IsScheduled();
}

bool CSmsArchiveItem::IsDelivered() const {
    return !IsScheduled() &&
           std::any_of(m_recipients.begin(), m_recipients.end(), [](const auto& recipient) {
               return recipient->GetStatus() == CSmsRecipientInfo::Delivered;
           });
}

bool CSmsArchiveItem::IsPending() const {
    return std::any_of(m_recipients.begin(), m_recipients.end(), [](const auto& recipient) {
        return recipient->GetStatus() == CSmsRecipientInfo::Pending;
    });
}

CSmsRecipientInfo::DeliveryStatus CSmsArchiveItem::GetStatus() const {
    if (IsScheduled())
        return CSmsRecipientInfo::Various;
    if (m_recipients.empty())
        return CSmsRecipientInfo::Pending;
    const auto first = m_recipients.front()->GetStatus();
    if (m_groupName.empty() && m_recipients.size() < 2)
        return first;
    const bool common =
        std::all_of(m_recipients.begin(), m_recipients.end(),
                    [first](const auto& recipient) { return recipient->GetStatus() == first; });
    return common ? first : CSmsRecipientInfo::Various;
}

bool CSmsArchiveItem::HasDeliveryReport() const {
    if (IsScheduled())
        return m_schedule->HasDeliveryReport();
    return !m_recipients.empty() && m_recipients.front()->GetSmsId() > 0;
}

CSmsRecipientInfo* CSmsArchiveItem::FindRecipient(std::int64_t smsId) const {
    const auto found =
        std::find_if(m_recipients.begin(), m_recipients.end(),
                     [smsId](const auto& recipient) { return recipient->GetSmsId() == smsId; });
    return found == m_recipients.end() ? nullptr : found->get();
}

bool CSmsArchiveItem::HasSmsId(std::int64_t smsId) {
    CSmsRecipientInfo* recipient = FindRecipient(smsId);
    if (!recipient)
        return false;
    m_cachedSmsId = smsId;
    m_cachedRecipient = recipient;
    return true;
}

bool CSmsArchiveItem::SetStatus(std::int64_t smsId, CSmsRecipientInfo::DeliveryStatus status,
                                std::int64_t time) {
    CSmsRecipientInfo* recipient =
        m_cachedRecipient && m_cachedSmsId == smsId ? m_cachedRecipient : FindRecipient(smsId);
    if (!recipient)
        return false;
    recipient->SetStatus(status, time);
    return true;
}

bool CSmsArchiveItem::UpdateSchDlvrStatus(const std::string& number, int status,
                                          std::int64_t time) {
    const auto found =
        std::find_if(m_recipients.begin(), m_recipients.end(), [&number](const auto& recipient) {
            return recipient->GetTranslatedNr() == number;
        });
    if (found == m_recipients.end())
        return false;
    (*found)->SetStatus(CSmsRecipientInfo::ClampStatus(status), time);
    return true;
}

std::int64_t CSmsArchiveItem::GetMaxDeliveryTime() const {
    std::int64_t latest = 0;
    for (const auto& recipient : m_recipients)
        if (recipient->GetStatus() == CSmsRecipientInfo::Delivered)
            latest = std::max(latest, recipient->GetDeliveryTime());
    return latest;
}

std::int64_t CSmsArchiveItem::GetLatestQueryTime() const {
    std::int64_t latest = 0;
    if (__builtin_add_overflow(m_sentTime, GetExpiryTime(), &latest))
        return std::numeric_limits<std::int64_t>::max();
    return latest;
}

void CSmsArchiveItem::SetScheduleInfo(std::int64_t messageId, int periodicity,
                                      std::int64_t deliverAt, bool notify,
                                      const std::string& name) {
    if (!m_schedule) {
        m_schedule =
            std::make_unique<CSmsScheduleInfo>(messageId, periodicity, deliverAt, notify, name);
        return;
    }
    *m_schedule = CSmsScheduleInfo(m_schedule->GetMessageId(), periodicity, deliverAt, notify,
                                   m_schedule->GetName());
}

std::int64_t CSmsArchiveItem::GetMessageId() const {
    return m_schedule ? m_schedule->GetMessageId() : -1;
}

int CSmsArchiveItem::GetPeriodicity() const {
    return m_schedule ? m_schedule->GetPeriodicity() : -1;
}

std::int64_t CSmsArchiveItem::GetDeliverAt() const {
    return m_schedule ? m_schedule->GetDeliverAt() : -1;
}

std::string CSmsArchiveItem::GetName() const {
    return m_schedule ? m_schedule->GetName() : std::string();
}

void CSmsArchiveItem::SetName(const std::string& name) {
    if (m_schedule)
        m_schedule->SetName(name);
}

void CSmsArchiveItem::GetNextDeliveryTime(std::int64_t now, std::int64_t& next,
                                          std::int64_t& last) const {
    if (m_schedule)
        m_schedule->GetNextDeliveryTime(now, next, last);
}

std::int64_t CSmsArchiveItem::GetLastSchedule(std::int64_t now) const {
    return m_schedule ? m_schedule->GetLastSchedule(now) : 0;
}

void CSmsArchiveItem::SetType(bool type) {
    if (IsScheduled())
        m_type = type;
}

void CSmsArchiveItem::SetSmsText(const std::string& text) {
    if (IsScheduled())
        m_text = text;
}

void CSmsArchiveItem::WriteXML(CXmlWriter& writer) const {
    writer.Open("ArchiveItem");
    writer.Element("TimeSent", m_sentTime);
    if (m_lastQueryTime != 0)
        writer.Element("TimeQuery", m_lastQueryTime);
    if (m_smsCount != 0)
        writer.Element("SmsCount", m_smsCount);
    writer.Element("Type", m_type ? 1 : 0);
    writer.Element("Text", m_text);
    if (m_schedule)
        m_schedule->WriteXML(writer);
    else if (!m_groupName.empty())
        writer.Element("Group", m_groupName);
    writer.Open("Recipients");
    for (const auto& recipient : m_recipients)
        recipient->WriteXML(writer);
    writer.Close();
    writer.Close();
}
