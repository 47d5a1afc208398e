// The user object's sending methods and delivery report queries.

#include "service/SmsUserInfoService.h"

#include "model/LocalCalendar.h"
#include "model/Utilities.h"

#include <algorithm>
#include <ctime>

namespace {

// Tariff types of the message options.
constexpr std::int32_t kTypeByCredit = 0;
constexpr std::int32_t kTypePostpaid = 1;

Kvws::MessageOptions Options(bool byCredit, bool flash, bool deliveryReport,
                             const char* postpaidTariff) {
    Kvws::MessageOptions options;
    options.notification = deliveryReport;
    options.flash = flash;
    options.type = byCredit ? kTypeByCredit : kTypePostpaid;
    options.tariff = byCredit ? "OBK" : postpaidTariff;
    return options;
}

// The delivery moment in UTC, seconds dropped.
std::string DeliverAtText(std::int64_t deliverAt) {
    const std::time_t time = static_cast<std::time_t>(deliverAt);
    std::tm tm{};
    char text[32] = "";
    if (gmtime_r(&time, &tm))
        std::strftime(text, sizeof text, "%d.%m.%Y %H:%M", &tm);
    return text;
}

void Schedule(Kvws::MessageOptions& options, int periodicity, std::int64_t deliverAt) {
    options.deliverAt = DeliverAtText(deliverAt);
    options.periodicity = periodicity;
}

// A decimal number of at most width digits at the position; nothing when there is no digit.
std::optional<int> DecimalAt(const std::string& text, std::size_t position, std::size_t width) {
    int value = 0;
    std::size_t digits = 0;
    for (; digits < width && position + digits < text.size(); ++digits) {
        const char c = text[position + digits];
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
    }
    return digits ? std::optional<int>(value) : std::nullopt;
}

// A "delivered" text of the "%d.%m.%Y %H:%M:%S" layout in local time; nothing unless it has
// exactly 19 characters and a number in each field.
std::optional<std::int64_t> DeliveredTime(const std::optional<std::string>& delivered) {
    if (!delivered || delivered->size() != 19)
        return std::nullopt;
    const std::string& text = *delivered;
    const auto day = DecimalAt(text, 0, 2), month = DecimalAt(text, 3, 2);
    const auto year = DecimalAt(text, 6, 4), hour = DecimalAt(text, 11, 2);
    const auto minute = DecimalAt(text, 14, 2), second = DecimalAt(text, 17, 2);
    if (!day || !month || !year || !hour || !minute || !second)
        return std::nullopt;
    std::tm tm{};
    tm.tm_mday = *day;
    tm.tm_mon = *month - 1;
    tm.tm_year = *year - 1900;
    tm.tm_hour = *hour;
    tm.tm_min = *minute;
    tm.tm_sec = *second;
    tm.tm_isdst = -1;
    return FromLocalTm(tm);
}

void AppendSent(const Kvws::SendSmsResponse& response, bool withSmsIds, SmsSentInfoList& sentInfo) {
    for (const Kvws::SentTo& item : response.recipients)
        sentInfo.push_back({withSmsIds ? item.smsid.value_or(0) : 0, item.mobile.value_or("")});
}

} // namespace

int CSmsUserInfo::KvwsSendSms(const std::string& text, bool byCredit, bool flash,
                              bool deliveryReport, const std::vector<std::string>& recipients,
                              SmsSentInfoList& sentInfo) {
    Kvws::SendSmsRequest request;
    request.service = Options(byCredit, flash, deliveryReport, "POSTPAID");
    request.recipients = recipients;
    request.text = EncodeAmpChars(text);
    return CallWithRenewal(request, [&sentInfo](const Kvws::SendSmsResponse& response) {
        AppendSent(response, true, sentInfo);
    });
}

int CSmsUserInfo::KvwsSendSms(const std::string& text, bool byCredit, bool flash,
                              const std::string& recipient) {
    Kvws::SendSmsRequest request;
    request.service = Options(byCredit, flash, false, "POSTPAID");
    request.recipients = {recipient};
    request.text = EncodeAmpChars(text);
    return CallWithRenewal(request, [](const Kvws::SendSmsResponse&) {});
}

int CSmsUserInfo::KvwsSendScheduledSms(const std::string& text, bool byCredit, bool flash,
                                       bool deliveryReport, int periodicity, std::int64_t deliverAt,
                                       const std::vector<std::string>& recipients,
                                       SmsSentInfoList& sentInfo, std::int64_t& messageId) {
    Kvws::SendSmsRequest request;
    // The content is always "OBK" here; only the type tells the tariff.
    request.service = Options(byCredit, flash, deliveryReport, "OBK");
    Schedule(request.service, periodicity, deliverAt);
    request.recipients = recipients;
    request.text = EncodeAmpChars(text);
    return CallWithRenewal(request, [&](const Kvws::SendSmsResponse& response) {
        messageId = response.status.messageid.value_or(0);
        AppendSent(response, false, sentInfo);
    });
}

int CSmsUserInfo::KvwsReplaceSms(const std::string& text, bool byCredit, bool flash,
                                 bool deliveryReport, const int* periodicity,
                                 const std::int64_t* deliverAt,
                                 const std::vector<std::string>& recipients,
                                 SmsSentInfoList& sentInfo, std::int64_t messageId) {
    Kvws::ReplaceSmsRequest request;
    request.messageid = messageId;
    request.service = Options(byCredit, flash, deliveryReport, "Postpaid");
    if (periodicity && deliverAt)
        Schedule(*request.service, *periodicity, *deliverAt);
    request.recipients = recipients;
    request.text = EncodeAmpChars(text);
    return CallWithRenewal(request, [&sentInfo](const Kvws::ReplaceSmsResponse& response) {
        AppendSent(response, true, sentInfo);
    });
}

int CSmsUserInfo::KvwsDeleteSms(std::uint64_t messageId) {
    Kvws::DeleteSmsRequest request;
    request.messageid = static_cast<std::int64_t>(messageId);
    return CallWithRenewal(request, [](const Kvws::DeleteSmsResponse&) {});
}

int CSmsUserInfo::KvwsGetNotifications(SmsDeliveryInfoList& deliveryInfo) {
    Kvws::GetNotificationsRequest request;
    // The query's items are 32-bit: each SMS number goes out cut to its low 32 bits.
    for (const _smsDeliveryInfo& record : deliveryInfo)
        request.sms.id.push_back(
            static_cast<std::int32_t>(static_cast<std::uint32_t>(record.smsId)));
    return CallWithRenewal(
        request, [&deliveryInfo](const Kvws::GetNotificationsResponse& response) {
            for (const Kvws::Delivery& item : response.sms) {
                const auto record = std::find_if(
                    deliveryInfo.begin(), deliveryInfo.end(),
                    [&item](const _smsDeliveryInfo& info) { return info.smsId == item.smsid; });
                if (record == deliveryInfo.end())
                    continue;
                record->status = item.status;
                if (item.status == 1) {
                    if (const std::optional<std::int64_t> time = DeliveredTime(item.delivered))
                        record->timeDelivered = *time;
                }
            }
        });
}

int CSmsUserInfo::KvwsGetNotificationsSched(std::int64_t messageId,
                                            SmsSchedDlvrInfoList& schedInfo) {
    Kvws::GetNotificationsRequest request;
    request.sms.messageid = messageId;
    request.sms.id = {0};
    return CallWithRenewal(request, [&schedInfo](const Kvws::GetNotificationsResponse& response) {
        for (const Kvws::Delivery& item : response.sms) {
            const std::optional<std::int64_t> time =
                item.status == 1 ? DeliveredTime(item.delivered) : std::nullopt;
            schedInfo.push_back({item.mobile.value_or(""), item.status, time.value_or(0)});
        }
    });
}
