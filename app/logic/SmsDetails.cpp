#include "logic/SmsDetails.h"

#include "frontend/ArchiveRows.h"
#include "logic/ProgramStrings.h"
#include "model/FormatText.h"
#include "model/SmsArchiveItem.h"
#include "platform/CodePage.h"

#include <algorithm>

namespace {

constexpr int kDelivered = 178;
constexpr int kUndeliverable = 179;
constexpr int kPending = 180;
constexpr int kExpired = 181;
constexpr int kNoReport = 182;
constexpr int kUnavailable = 150;
constexpr int kYes = 206;
constexpr int kNo = 207;

std::string Text(int id) {
    const auto text = ProgramStrings().GetUtf8(id);
    return text ? std::string(*text) : std::string();
}

std::string DeliveryTime(const CSmsRecipientInfo& recipient) {
    return recipient.GetDeliveryTime() != 0 ? recipient.GetDeliveryTimeAsString() : std::string();
}

} // namespace

std::string SmsDetails::StateText(CSmsRecipientInfo::DeliveryStatus status, bool hasId,
                                  const std::string& deliveryTime) {
    if (!hasId)
        return Text(kNoReport);
    switch (status) {
    case CSmsRecipientInfo::Expired:
        return Text(kExpired);
    case CSmsRecipientInfo::Pending:
        return Text(kPending);
    case CSmsRecipientInfo::Delivered:
        return FormatText(Text(kDelivered), {deliveryTime});
    default:
        return Text(kUndeliverable);
    }
}

std::string SmsDetails::StateText(const CSmsRecipientInfo& recipient) {
    return StateText(recipient.GetStatus(), recipient.GetSmsId() > 0, DeliveryTime(recipient));
}

int SmsDetails::Characters(const std::string& text) {
    int pairs = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2))
        ++pairs;
    return static_cast<int>(text.size()) - pairs;
}

SmsDetails SmsDetails::Of(const CSmsArchiveItem& item) {
    SmsDetails details;
    details.group = !item.GetGroupName().empty() || item.GetRecipientCount() >= 2;
    details.groupName = AnsiTextToUtf8(item.GetGroupName());
    details.sentTime = item.GetSentTimeAsString();
    details.flash = Text(item.GetType() ? kYes : kNo);
    details.characters = FormatText("%d", {Characters(item.GetSmsText())});
    details.parts =
        item.GetSmsCount() == 0 ? Text(kUnavailable) : FormatText("%d", {item.GetSmsCount()});
    details.text = AnsiTextToUtf8(item.GetSmsText());
    for (int i = 0; i < item.GetRecipientCount(); ++i) {
        const CSmsRecipientInfo& recipient = *item.GetRecipient(i);
        details.recipients.push_back(
            {AnsiTextToUtf8(recipient.GetOrigNr()), AnsiTextToUtf8(recipient.GetTranslatedNr()),
             StateText(recipient), DeliveryTime(recipient), ArchiveRows::RecipientIcon(recipient)});
    }
    return details;
}

ScheduledSms ScheduledSms::Of(const CSmsArchiveItem& item) {
    ScheduledSms message;
    message.messageId = item.GetMessageId();
    message.schedule.deliverAt = item.GetDeliverAt();
    message.schedule.periodicity = item.GetPeriodicity();
    message.schedule.name = item.GetName();
    message.schedule.report = item.HasDeliveryReport();
    message.text = item.GetSmsText();
    message.flash = item.GetType();
    message.smsCount = item.GetSmsCount();
    for (int i = 0; i < item.GetRecipientCount(); ++i) {
        const CSmsRecipientInfo& recipient = *item.GetRecipient(i);
        message.recipients.push_back({recipient.GetOrigNr(), recipient.GetTranslatedNr()});
        message.states.push_back(recipient.GetStatus());
    }
    return message;
}

void ScheduledSms::ApplyTo(CSmsArchiveItem& item) const {
    item.SetScheduleInfo(messageId, schedule.periodicity, schedule.deliverAt, schedule.report,
                         schedule.name);
    item.SetType(flash);
    item.SetSmsText(text);
    item.RemoveAllRecipients();
    // The newest recipient goes first, so the list is added from its end.
    for (std::size_t i = recipients.size(); i-- > 0;) {
        auto recipient =
            std::make_unique<CSmsRecipientInfo>(recipients[i].name, recipients[i].number, 0);
        if (i < states.size())
            recipient->SetStatus(states[i], 0);
        item.AddRecipient(std::move(recipient));
    }
    item.SetLastQueryTime(0);
    item.SetName(schedule.name);
}
