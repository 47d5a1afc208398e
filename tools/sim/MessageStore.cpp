#include "MessageStore.h"

#include <ctime>

namespace {

bool EndsWith(const std::string& text, const char* ending) {
    return std::string_view(text).ends_with(ending);
}

} // namespace

MessageStore::MessageStore(std::int64_t firstSmsId, int deliveryAfter)
    : m_nextSmsId(firstSmsId), m_nextMessageId(firstSmsId), m_deliveryAfter(deliveryAfter) {}

std::int64_t MessageStore::AddSms(const std::string& login, const std::string& number,
                                  std::int64_t sentAt, bool notify) {
    const std::int64_t id = m_nextSmsId++;
    m_sms[id] = {id, login, number, sentAt, notify};
    return id;
}

const SentSms* MessageStore::FindSms(const std::string& login, std::int32_t lowBits) const {
    for (const auto& [id, sms] : m_sms) {
        if (static_cast<std::int32_t>(static_cast<std::uint32_t>(id)) == lowBits &&
            sms.login == login)
            return &sms;
    }
    return nullptr;
}

ScheduledMessage& MessageStore::AddScheduled(ScheduledMessage message) {
    const std::int64_t id = message.id;
    return m_scheduled[id] = std::move(message);
}

ScheduledMessage* MessageStore::FindPending(const std::string& login, std::int64_t id,
                                            std::int64_t now) {
    const auto found = m_scheduled.find(id);
    if (found == m_scheduled.end() || found->second.login != login)
        return nullptr;
    const ScheduledMessage& message = found->second;
    const bool finished = message.periodicity == 0 && message.deliverAt <= now;
    return finished ? nullptr : &found->second;
}

const ScheduledMessage* MessageStore::FindScheduled(const std::string& login,
                                                    std::int64_t id) const {
    const auto found = m_scheduled.find(id);
    return found == m_scheduled.end() || found->second.login != login ? nullptr : &found->second;
}

std::vector<const ScheduledMessage*> MessageStore::ScheduledOf(const std::string& login) const {
    std::vector<const ScheduledMessage*> messages;
    for (const auto& [id, message] : m_scheduled) {
        if (message.login == login)
            messages.push_back(&message);
    }
    return messages;
}

Delivery MessageStore::DeliveryOf(const std::string& number, std::int64_t sentAt,
                                  std::int64_t now) const {
    const std::int64_t settled = sentAt + m_deliveryAfter;
    if (now < settled)
        return {};
    if (EndsWith(number, "666"))
        return {-1, 0};
    if (EndsWith(number, "999"))
        return {-2, 0};
    if (EndsWith(number, "333"))
        return {-3, 0};
    return {1, settled};
}

int MessageStore::DayKey(std::int64_t t) {
    const auto time = static_cast<std::time_t>(t);
    std::tm tm{};
    localtime_r(&time, &tm);
    return (tm.tm_year + 1900) * 10000 + (tm.tm_mon + 1) * 100 + tm.tm_mday;
}

int MessageStore::SentOnDayOf(const std::string& login, std::int64_t t) const {
    const auto found = m_sentPerDay.find({login, DayKey(t)});
    return found == m_sentPerDay.end() ? 0 : found->second;
}

void MessageStore::CountSent(const std::string& login, std::int64_t t, int count) {
    m_sentPerDay[{login, DayKey(t)}] += count;
}

int MessageStore::SmsCountOf(const std::string& login) const {
    int count = 0;
    for (const auto& [key, sent] : m_sentPerDay) {
        if (key.first == login)
            count += sent;
    }
    return count;
}
