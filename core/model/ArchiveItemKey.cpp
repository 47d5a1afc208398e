#include "model/ArchiveItemKey.h"

#include "model/SmsArchive.h"

std::optional<ArchiveItemKey> ArchiveItemKey::Of(const CSmsArchiveItem& item) {
    if (item.IsScheduled())
        return ArchiveItemKey{true, item.GetMessageId()};
    for (int i = 0; i < item.GetRecipientCount(); ++i) {
        if (const std::int64_t smsId = item.GetRecipient(i)->GetSmsId(); smsId > 0)
            return ArchiveItemKey{false, smsId};
    }
    return std::nullopt;
}

CSmsArchiveItem* ArchiveItemKey::Find(const CSmsArchive& archive) const {
    for (int i = 0; i < archive.GetItemCount(); ++i) {
        CSmsArchiveItem* item = archive.GetItem(i);
        if (item->IsScheduled() != scheduled)
            continue;
        if (scheduled ? item->GetMessageId() == id : item->HasSmsId(id))
            return item;
    }
    return nullptr;
}
