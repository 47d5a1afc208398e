#include "ArchiveView.h"

#include "ScheduleText.h"

#include "frontend/ArchiveRows.h"
#include "model/SmsArchive.h"

#include <algorithm>

namespace {

bool WaitsForSmsReport(const CSmsArchiveItem& item) {
    for (int i = 0; i < item.GetRecipientCount(); ++i) {
        const CSmsRecipientInfo& recipient = *item.GetRecipient(i);
        if (recipient.GetSmsId() > 0 && recipient.GetStatus() == CSmsRecipientInfo::Pending)
            return true;
    }
    return false;
}

// The text on one line, as the archive page shows it; lone CRs and tabs as blanks too, so that
// a line of tab-separated fields stays one.
std::string OneLine(const std::string& text) {
    std::string line = ArchiveRows::RowText(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\t'; }, ' ');
    return line;
}

const char* Kind(const CSmsArchiveItem& item) {
    if (item.IsScheduled())
        return "scheduled";
    return item.IsGroup() ? "group" : "sms";
}

std::string Heading(const CSmsArchiveItem& item) {
    std::string heading;
    if (item.IsScheduled()) {
        heading = "scheduled \"" + item.GetName() + "\", " +
                  PeriodicityName(item.GetPeriodicity()) +
                  (item.GetPeriodicity() == 0 ? " at " : " from ") +
                  FormatLocalTime(item.GetDeliverAt()) + ", message id " +
                  std::to_string(item.GetMessageId());
        if (item.HasDeliveryReport())
            heading += ", report";
    } else if (!item.GetGroupName().empty()) {
        heading = "group \"" + item.GetGroupName() + "\"";
    } else {
        const int count = item.GetRecipientCount();
        heading = count == 1 ? "to " + item.GetRecipient(0)->GetOrigNr()
                             : "to " + std::to_string(count) + " recipients";
    }
    if (item.GetType())
        heading += ", flash";
    if (item.GetSmsCount() > 0)
        heading += ", " + std::to_string(item.GetSmsCount()) + " SMS";
    return heading;
}

std::string Padded(std::string text, std::size_t width) {
    text.resize(std::max(text.size(), width), ' ');
    return text;
}

std::string DeliveryTime(const CSmsRecipientInfo& recipient) {
    const bool known =
        recipient.GetStatus() == CSmsRecipientInfo::Delivered && recipient.GetDeliveryTime() != 0;
    return known ? " " + recipient.GetDeliveryTimeAsString() : std::string();
}

template <class Visit>
void ForEachShown(CSmsArchive& archive, const ArchiveFilter& filter, std::int64_t now,
                  Visit&& visit) {
    int shown = 0;
    for (int i = 0; i < archive.GetItemCount(); ++i) {
        const CSmsArchiveItem& item = *archive.GetItem(i);
        if (!filter.Passes(item, now))
            continue;
        if (filter.limit > 0 && shown == filter.limit)
            break;
        ++shown;
        visit(i + 1, item);
    }
}

} // namespace

bool AwaitsReport(const CSmsArchiveItem& item, std::int64_t now) {
    if (!item.IsScheduled())
        return now <= item.GetLatestQueryTime() && WaitsForSmsReport(item);
    if (!item.HasDeliveryReport() || now < item.GetDeliverAt())
        return false;
    const bool periodic = item.GetPeriodicity() != 0;
    const std::int64_t latest = periodic ? item.GetLastSchedule(now) : item.GetDeliverAt();
    if (now > latest + CSmsArchiveItem::GetExpiryTime())
        return false;
    return item.IsPending() || (periodic && latest >= item.GetMaxDeliveryTime());
}

bool ArchiveFilter::Passes(const CSmsArchiveItem& item, std::int64_t now) const {
    if (delivered && !ArchiveRows::Passes(item, ArchiveRows::OnlyDelivered))
        return false;
    if (undelivered && !ArchiveRows::Passes(item, ArchiveRows::OnlyUndelivered))
        return false;
    if (scheduled && !ArchiveRows::Passes(item, ArchiveRows::OnlyScheduled))
        return false;
    if (pending && !AwaitsReport(item, now))
        return false;
    return !since || item.GetSentTime() >= *since;
}

std::string RecipientState(const CSmsArchiveItem& item, const CSmsRecipientInfo& recipient) {
    if (!item.IsScheduled() && recipient.GetSmsId() <= 0)
        return "no delivery report";
    switch (recipient.GetStatus()) {
    case CSmsRecipientInfo::Delivered:
        return "delivered";
    case CSmsRecipientInfo::Pending:
        return "pending";
    case CSmsRecipientInfo::Expired:
        return "expired";
    default:
        return "not deliverable";
    }
}

std::string FormatArchive(CSmsArchive& archive, const ArchiveFilter& filter, std::int64_t now) {
    std::string out;
    ForEachShown(archive, filter, now, [&](int index, const CSmsArchiveItem& item) {
        out += "#" + std::to_string(index) + "  " + item.GetSentTimeAsString() + "  " +
               Heading(item) + "\n    " + OneLine(item.GetSmsText()) + "\n";
        std::size_t nameWidth = 0;
        std::size_t numberWidth = 0;
        for (int r = 0; r < item.GetRecipientCount(); ++r) {
            nameWidth = std::max(nameWidth, item.GetRecipient(r)->GetOrigNr().size());
            numberWidth = std::max(numberWidth, item.GetRecipient(r)->GetTranslatedNr().size());
        }
        for (int r = 0; r < item.GetRecipientCount(); ++r) {
            const CSmsRecipientInfo& recipient = *item.GetRecipient(r);
            out += "    " + Padded(recipient.GetOrigNr(), nameWidth) + "  " +
                   Padded(recipient.GetTranslatedNr(), numberWidth) + "  " +
                   RecipientState(item, recipient) + DeliveryTime(recipient) + "\n";
        }
    });
    return out;
}

std::string FormatArchiveTsv(CSmsArchive& archive, const ArchiveFilter& filter, std::int64_t now) {
    std::string out;
    ForEachShown(archive, filter, now, [&](int index, const CSmsArchiveItem& item) {
        const std::string messageId =
            item.IsScheduled() ? std::to_string(item.GetMessageId()) : std::string();
        for (int r = 0; r < item.GetRecipientCount(); ++r) {
            const CSmsRecipientInfo& recipient = *item.GetRecipient(r);
            const std::int64_t delivered = recipient.GetDeliveryTime();
            for (const std::string& field :
                 {std::to_string(index), std::to_string(item.GetSentTime()),
                  std::string(Kind(item)), messageId, OneLine(recipient.GetOrigNr()),
                  recipient.GetTranslatedNr(), std::to_string(recipient.GetSmsId()),
                  std::to_string(static_cast<int>(recipient.GetStatus())),
                  RecipientState(item, recipient), delivered ? std::to_string(delivered) : "",
                  OneLine(item.GetSmsText())})
                out += field + '\t';
            out.back() = '\n';
        }
    });
    return out;
}
