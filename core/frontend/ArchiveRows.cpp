#include "frontend/ArchiveRows.h"

#include "model/SmsArchiveItem.h"
#include "model/UtilitiesInternal.h"

namespace {

bool ShowsGroup(const CSmsArchiveItem& item) {
    return !item.GetGroupName().empty() || item.GetRecipientCount() >= 2;
}

int CompareIgnoringCase(const std::string& a, const std::string& b) {
    return AnsiLowerCase(a).compare(AnsiLowerCase(b));
}

int Sign(std::int64_t value) {
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

} // namespace

ArchiveRows::Icon ArchiveRows::RecipientIcon(const CSmsRecipientInfo& recipient) {
    if (recipient.GetSmsId() == 0)
        return ArchiveRows::NoReport;
    switch (recipient.GetStatus()) {
    case CSmsRecipientInfo::Delivered:
        return ArchiveRows::Delivered;
    case CSmsRecipientInfo::Pending:
        return ArchiveRows::Pending;
    default:
        return ArchiveRows::NotDelivered;
    }
}

ArchiveRows::Row ArchiveRows::NameAndIcon(const CSmsArchiveItem& item) {
    if (item.IsScheduled())
        return {item.GetName(), Scheduled};
    if (ShowsGroup(item))
        return {item.GetGroupName(), Group};
    const CSmsRecipientInfo* recipient = item.GetRecipient(0);
    if (!recipient)
        return {};
    return {recipient->GetOrigNr(), RecipientIcon(*recipient)};
}

ArchiveRows::Icon ArchiveRows::NotifiedIcon(const CSmsArchiveItem& item) {
    return item.GetStatus() == CSmsRecipientInfo::Delivered ? Delivered : NotDelivered;
}

std::string ArchiveRows::RowText(const std::string& text) {
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        line += text[i] == '\n' ? ' ' : text[i];
    }
    return line;
}

bool ArchiveRows::Passes(const CSmsArchiveItem& item, int filter) {
    const bool scheduled = item.IsScheduled();
    switch (filter) {
    case OnlyDelivered:
        return !scheduled && !(!item.IsDelivered() && item.HasDeliveryReport());
    case OnlyUndelivered:
        return !scheduled && !item.IsDelivered();
    case OnlyScheduled:
        return scheduled;
    default:
        return true;
    }
}

std::string ArchiveRows::SortName(const CSmsArchiveItem& item) {
    if (item.IsScheduled() || ShowsGroup(item))
        return {};
    return NameAndIcon(item).name;
}

int ArchiveRows::Compare(const CSmsArchiveItem& a, const CSmsArchiveItem& b, int column,
                         bool ascending) {
    int order = 0;
    switch (column) {
    case NameColumn:
        order = CompareIgnoringCase(SortName(a), SortName(b));
        break;
    case TimeColumn:
        order = Sign(a.GetSentTime() - b.GetSentTime());
        break;
    default:
        order = CompareIgnoringCase(a.GetSmsText(), b.GetSmsText());
        break;
    }
    return ascending ? Sign(order) : -Sign(order);
}
