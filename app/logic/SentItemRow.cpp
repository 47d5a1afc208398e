#include "logic/SentItemRow.h"

#include "frontend/ArchiveRows.h"
#include "logic/SearchFold.h"
#include "model/SmsArchive.h"

namespace {

std::string FirstNumber(const CSmsArchiveItem& item) {
    const CSmsRecipientInfo* first = item.GetRecipient(0);
    return first ? first->GetTranslatedNr() : std::string();
}

// Fields apart, so that no match runs from one into the next.
std::wstring Searched(const CSmsArchiveItem& item) {
    std::string all = item.GetSmsText();
    const auto add = [&all](const std::string& part) {
        if (!part.empty())
            all.append("\n").append(part);
    };
    add(item.GetGroupName());
    if (item.IsScheduled())
        add(item.GetName());
    for (int i = 0; i < item.GetRecipientCount(); ++i) {
        add(item.GetRecipient(i)->GetOrigNr());
        add(item.GetRecipient(i)->GetTranslatedNr());
    }
    return SearchFold::OfAnsi(all);
}

} // namespace

SentItemId SentItemId::Of(const CSmsArchiveItem& item) {
    return {ArchiveItemKey::Of(item), item.GetSentTime(), item.GetSmsText(), FirstNumber(item)};
}

CSmsArchiveItem* SentItemId::Find(const CSmsArchive& archive) const {
    if (key)
        return key->Find(archive);
    for (int i = 0; i < archive.GetItemCount(); ++i) {
        CSmsArchiveItem* item = archive.GetItem(i);
        if (item->GetSentTime() == sentTime && item->GetSmsText() == text &&
            FirstNumber(*item) == number && !ArchiveItemKey::Of(*item))
            return item;
    }
    return nullptr;
}

SentItemRow SentItemRow::Of(const CSmsArchiveItem& item) {
    SentItemRow row;
    row.id = SentItemId::Of(item);
    const ArchiveRows::Row shown = ArchiveRows::NameAndIcon(item);
    row.name = shown.name;
    row.icon = shown.icon;
    row.time = item.GetSentTimeAsString();
    row.text = ArchiveRows::RowText(item.GetSmsText());
    row.scheduled = item.IsScheduled();
    row.sentTime = item.GetSentTime();
    row.sortName = SearchFold::LowerOfAnsi(ArchiveRows::SortName(item));
    row.sortText = SearchFold::LowerOfAnsi(item.GetSmsText());
    row.searched = Searched(item);
    return row;
}
