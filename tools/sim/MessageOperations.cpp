#include "MessageOperations.h"

#include "PhoneNumber.h"
#include "Recurrence.h"
#include "RequestError.h"

#include "ServiceStatus.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

using namespace ServiceStatus;

constexpr std::int64_t kEarliestDelay = 15 * 60;
constexpr int kLatestMonths = 12;

// "dd.mm.yyyy HH:MM" in UTC.
std::int64_t ParseDeliverAt(const std::string& text) {
    int day = 0, month = 0, year = 0, hour = 0, minute = 0;
    char tail = 0;
    const bool shaped = text.size() == 16 && text[2] == '.' && text[5] == '.' && text[10] == ' ' &&
                        text[13] == ':' &&
                        std::sscanf(text.c_str(), "%2d.%2d.%4d %2d:%2d%c", &day, &month, &year,
                                    &hour, &minute, &tail) == 5;
    if (!shaped || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59)
        throw RequestError("deliverAt \"" + text + "\" is not a UTC time dd.mm.yyyy HH:MM");
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    return timegm(&tm);
}

std::string LocalTimeText(std::int64_t t) {
    const auto time = static_cast<std::time_t>(t);
    std::tm tm{};
    localtime_r(&time, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%d.%m.%Y %H:%M:%S", &tm);
    return text;
}

// SMS parts of a text: 160 characters fit in one, longer texts go in parts of 153.
int PartsOf(const std::string& text) {
    const auto length = static_cast<int>(text.size());
    return length <= 160 ? 1 : (length + 152) / 153;
}

void WriteDelivery(ReplyElement& item, const Delivery& delivery, const std::string& number) {
    if (delivery.status == 1)
        item.Attribute("delivered", LocalTimeText(delivery.deliveredAt));
    item.Attribute("status", std::to_string(delivery.status)).Attribute("mobile", number);
}

} // namespace

void MessageOperations::Register(OperationRegistry& registry) {
    registry.AddSession("sendSMS", this, &MessageOperations::SendSms);
    registry.AddSession("replaceSMS", this, &MessageOperations::ReplaceSms);
    registry.AddSession("deleteSMS", this, &MessageOperations::DeleteSms);
    registry.AddSession("getNotifications", this, &MessageOperations::GetNotifications);
}

MessageOperations::Options MessageOperations::ReadOptions(const SoapRequest& request) {
    Options options;
    options.type = static_cast<int>(request.AttributeNumber("service", "type").value_or(0));
    if (options.type != 0 && options.type != 1)
        throw RequestError("the tariff type of service is " + std::to_string(options.type) +
                           "; 0 (portal credit) or 1 (postpaid)");
    options.flash = request.Flag("service", "flash");
    options.notify = request.Flag("service", "notification");
    const std::optional<std::string> deliverAt = request.Attribute("service", "deliverAt");
    const std::optional<std::int64_t> periodicity =
        request.AttributeNumber("service", "periodicity");
    if (deliverAt.has_value() != periodicity.has_value())
        throw RequestError("deliverAt and periodicity of service come together or not at all");
    if (deliverAt) {
        options.deliverAt = ParseDeliverAt(*deliverAt);
        if (*periodicity < 0 || *periodicity > Recurrence::kMaxPeriodicity)
            throw RequestError("periodicity " + std::to_string(*periodicity) +
                               " is outside 0 to 11");
        options.periodicity = static_cast<int>(*periodicity);
    }
    return options;
}

int MessageOperations::Refusal(const Account& account, const Options& options,
                               const std::vector<std::string>& recipients, int smsCount) const {
    const int service = options.type == 0 ? kServiceObk : kServicePostpaid;
    if (account.mobile.empty())
        return kNoMobile;
    if (account.blocked[service])
        return kServiceDisabled;
    if (!account.active[service])
        return kServiceNotActivated;
    if (recipients.empty())
        return kNoRecipients;
    for (const std::string& number : recipients) {
        if (!IsWellFormedNumber(number))
            return kWrongNumber;
        if (!IsInNetwork(number, m_state.Options().networkPrefixes))
            return kNotInNetwork;
    }
    const std::int64_t now = m_state.Now();
    if (options.deliverAt &&
        (*options.deliverAt < now + kEarliestDelay ||
         *options.deliverAt >
             Recurrence::AddMonths(now, kLatestMonths, Recurrence::DayOfMonth(now))))
        return kBadSchedule;
    if (m_state.Messages().SentOnDayOf(account.login, now) + smsCount > account.dailyLimit)
        return kDailyLimit;
    if (options.type == 0 && account.portalCredit < smsCount)
        return kNoCredit;
    return 0;
}

void MessageOperations::Charge(Account& account, const Options& options, int smsCount) {
    m_state.Messages().CountSent(account.login, m_state.Now(), smsCount);
    if (options.type == 0)
        account.portalCredit -= smsCount;
}

void MessageOperations::WriteRecipients(ReplyWriter& reply, const std::vector<std::string>& numbers,
                                        const std::vector<std::int64_t>& smsIds) {
    ReplyElement& list = reply.Array("recipients", "ns1:to");
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        ReplyElement& item = list.AddItem().Attribute("mobile", numbers[i]);
        if (i < smsIds.size())
            item.Child("smsid").Text(std::to_string(smsIds[i]));
    }
}

void MessageOperations::SendSms(Account& account, const SoapRequest& request, ReplyWriter& reply) {
    const Options options = ReadOptions(request);
    const std::string text = request.EscapedText("text");
    const std::vector<std::string>& recipients = request.Items("recipients");
    const int smsCount = PartsOf(text) * static_cast<int>(recipients.size());
    if (const int refusal = Refusal(account, options, recipients, smsCount)) {
        reply.Status(refusal);
        return;
    }
    Charge(account, options, smsCount);
    MessageStore& messages = m_state.Messages();
    const std::int64_t messageId = messages.NewMessageId();
    std::vector<std::int64_t> smsIds;
    if (options.deliverAt) {
        messages.AddScheduled({messageId, account.login, text, options.type, options.flash,
                               options.notify, *options.deliverAt, options.periodicity,
                               recipients});
    } else {
        for (const std::string& number : recipients)
            smsIds.push_back(messages.AddSms(account.login, number, m_state.Now(), options.notify));
    }
    reply.Status(0).Attribute("messageid", std::to_string(messageId));
    WriteRecipients(reply, recipients, smsIds);
}

void MessageOperations::ReplaceSms(Account& account, const SoapRequest& request,
                                   ReplyWriter& reply) {
    const std::int64_t messageId = request.Number("messageid");
    ScheduledMessage* message =
        m_state.Messages().FindPending(account.login, messageId, m_state.Now());
    if (!message) {
        reply.Status(kUnknownMessage);
        return;
    }
    Options options = ReadOptions(request);
    const std::string text = request.EscapedText("text");
    const std::vector<std::string>& recipients = request.Items("recipients");
    const int oldCount = PartsOf(message->text) * static_cast<int>(message->recipients.size());
    const int extra = std::max(0, PartsOf(text) * static_cast<int>(recipients.size()) - oldCount);
    if (const int refusal = Refusal(account, options, recipients, extra)) {
        reply.Status(refusal);
        return;
    }
    Charge(account, options, extra);
    message->text = text;
    message->type = options.type;
    message->flash = options.flash;
    message->notify = options.notify;
    message->recipients = recipients;
    if (options.deliverAt) {
        message->deliverAt = *options.deliverAt;
        message->periodicity = options.periodicity;
    }
    reply.Status(0).Attribute("messageid", std::to_string(messageId));
    WriteRecipients(reply, recipients, {});
}

void MessageOperations::DeleteSms(Account& account, const SoapRequest& request,
                                  ReplyWriter& reply) {
    const std::int64_t messageId = request.Number("messageid");
    if (!m_state.Messages().FindPending(account.login, messageId, m_state.Now())) {
        reply.Status(kUnknownMessage);
        return;
    }
    m_state.Messages().DeleteScheduled(messageId);
    reply.Status(0);
}

void MessageOperations::ReportScheduled(const Account& account, std::int64_t messageId,
                                        ReplyElement& items) {
    const ScheduledMessage* message = m_state.Messages().FindScheduled(account.login, messageId);
    if (!message)
        return;
    const std::int64_t now = m_state.Now();
    const std::optional<std::int64_t> occurrence =
        Recurrence::Last(message->deliverAt, message->periodicity, now);
    for (const std::string& number : message->recipients) {
        const Delivery delivery =
            occurrence ? m_state.Messages().DeliveryOf(number, *occurrence, now) : Delivery{};
        // A scheduled message's reports name the number; there is no SMS number to give.
        WriteDelivery(items.AddItem().Text("0"), delivery, number);
    }
}

void MessageOperations::ReportSent(const Account& account, const std::vector<std::string>& ids,
                                   ReplyElement& items) {
    for (const std::string& id : ids) {
        const SentSms* sms =
            m_state.Messages().FindSms(account.login, static_cast<std::int32_t>(std::stol(id)));
        if (!sms || !sms->notify)
            continue;
        ReplyElement& item = items.AddItem();
        WriteDelivery(item, m_state.Messages().DeliveryOf(sms->number, sms->sentAt, m_state.Now()),
                      sms->number);
        item.Text(std::to_string(sms->id));
    }
}

void MessageOperations::GetNotifications(Account& account, const SoapRequest& request,
                                         ReplyWriter& reply) {
    reply.Status(0);
    ReplyElement& items = reply.Array("sms", "ns1:id");
    if (const auto messageId = request.AttributeNumber("sms", "messageid"))
        ReportScheduled(account, *messageId, items);
    else
        ReportSent(account, request.Items("sms"), items);
}
