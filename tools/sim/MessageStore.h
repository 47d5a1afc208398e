#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// One SMS sent at once to one recipient.
struct SentSms {
    std::int64_t id = 0;
    std::string login;
    std::string number;
    std::int64_t sentAt = 0;
    bool notify = false;
};

// A message that the service delivers later, once or periodically.
struct ScheduledMessage {
    std::int64_t id = 0;
    std::string login;
    std::string text;
    int type = 0;
    bool flash = false;
    bool notify = false;
    std::int64_t deliverAt = 0;
    int periodicity = 0;
    std::vector<std::string> recipients;
};

// What became of one SMS by a given moment.
struct Delivery {
    int status = 0; // 0 pending, 1 delivered, -1 failed, -2 expired, -3 refused
    std::int64_t deliveredAt = 0;
};

// Sent and scheduled messages with their delivery. Every SMS reaches its final state a fixed
// delay after it left: delivered, unless the number ends in 666 (failed), 999 (expired) or 333
// (refused by the network).
class MessageStore {
public:
    MessageStore(std::int64_t firstSmsId, int deliveryAfter);

    std::int64_t NewMessageId() { return m_nextMessageId++; }
    std::int64_t AddSms(const std::string& login, const std::string& number, std::int64_t sentAt,
                        bool notify);
    // The account's SMS whose number has these low 32 bits (queries carry xsd:int).
    const SentSms* FindSms(const std::string& login, std::int32_t lowBits) const;

    ScheduledMessage& AddScheduled(ScheduledMessage message);
    // The account's scheduled message that is still to be delivered (deleted or finished ones
    // are not found).
    ScheduledMessage* FindPending(const std::string& login, std::int64_t id, std::int64_t now);
    const ScheduledMessage* FindScheduled(const std::string& login, std::int64_t id) const;
    // The account's scheduled messages that were not deleted, by id.
    std::vector<const ScheduledMessage*> ScheduledOf(const std::string& login) const;
    void DeleteScheduled(std::int64_t id) { m_scheduled.erase(id); }

    Delivery DeliveryOf(const std::string& number, std::int64_t sentAt, std::int64_t now) const;

    // SMS counted against the account's daily limit on the local day of t.
    int SentOnDayOf(const std::string& login, std::int64_t t) const;
    void CountSent(const std::string& login, std::int64_t t, int count);
    // SMS counted for the account on all days.
    int SmsCountOf(const std::string& login) const;

private:
    static int DayKey(std::int64_t t);

    std::int64_t m_nextSmsId;
    std::int64_t m_nextMessageId;
    int m_deliveryAfter;
    std::map<std::int64_t, SentSms> m_sms;
    std::map<std::int64_t, ScheduledMessage> m_scheduled;
    std::map<std::pair<std::string, int>, int> m_sentPerDay;
};
