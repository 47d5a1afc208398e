#pragma once

#include "MessageStore.h"
#include "OperationRegistry.h"
#include "ServiceState.h"

#include <optional>

// Sending immediate, scheduled and periodic messages, replacing and deleting scheduled ones,
// and the delivery reports of both.
class MessageOperations {
public:
    explicit MessageOperations(ServiceState& state) : m_state(state) {}

    void Register(OperationRegistry& registry);

private:
    // The "service" element of a send: tariff, flags and the optional schedule.
    struct Options {
        int type = 0;
        bool flash = false;
        bool notify = false;
        std::optional<std::int64_t> deliverAt;
        int periodicity = 0;
    };

    void SendSms(Account& account, const SoapRequest& request, ReplyWriter& reply);
    void ReplaceSms(Account& account, const SoapRequest& request, ReplyWriter& reply);
    void DeleteSms(Account& account, const SoapRequest& request, ReplyWriter& reply);
    void GetNotifications(Account& account, const SoapRequest& request, ReplyWriter& reply);

    // The refusal for sending smsCount more SMS this way, or 0.
    int Refusal(const Account& account, const Options& options,
                const std::vector<std::string>& recipients, int smsCount) const;
    void Charge(Account& account, const Options& options, int smsCount);
    void ReportScheduled(const Account& account, std::int64_t messageId, ReplyElement& items);
    void ReportSent(const Account& account, const std::vector<std::string>& ids,
                    ReplyElement& items);

    static Options ReadOptions(const SoapRequest& request);
    static void WriteRecipients(ReplyWriter& reply, const std::vector<std::string>& numbers,
                                const std::vector<std::int64_t>& smsIds);

    ServiceState& m_state;
};
