// The three-way merge of two copies of one archive (see CSmsArchive::Merge).
#include "SmsArchive.h"

#include "XmlWriter.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// What tells a recipient of an item from the others: its numbers and SMS id.
std::string RecipientKey(const CSmsRecipientInfo& recipient) {
    return recipient.GetOrigNr() + '\0' + recipient.GetTranslatedNr() + '\0' +
           std::to_string(recipient.GetSmsId());
}

// The recipients' keys in a fixed order: each load of the archive reverses their stored order.
std::vector<std::string> SortedRecipientKeys(const CSmsArchiveItem& item) {
    std::vector<std::string> recipients;
    for (int i = 0; i < item.GetRecipientCount(); ++i)
        recipients.push_back(RecipientKey(*item.GetRecipient(i)));
    std::sort(recipients.begin(), recipients.end());
    return recipients;
}

// Tells one archived message from every other across copies of the archive: what never
// changes once it is filed. A scheduled message keeps its message id and moment of sending when
// it is replaced; a sent one keeps its text and recipients with their SMS ids.
std::string IdentityOf(const CSmsArchiveItem& item) {
    std::string key = std::to_string(item.GetSentTime());
    if (item.IsScheduled())
        return key + "/S" + std::to_string(item.GetMessageId());
    key += item.GetType() ? "/F" : "/T";
    key += item.GetGroupName() + '\0' + item.GetSmsText();
    for (const std::string& recipient : SortedRecipientKeys(item))
        key += '\0' + recipient;
    return key;
}

// The stored form of everything an item holds, its recipients in a fixed order. The writer
// escapes "<" in texts, so the recipients' element is found by its tag.
std::string VersionOf(const CSmsArchiveItem& item, CXmlWriter& writer, std::string& written) {
    written.clear();
    item.WriteXML(writer);
    writer.Flush();
    std::string version = std::move(written);
    const std::size_t start = version.find("<Recipients>");
    const std::size_t end = version.find("</Recipients>");
    if (start == std::string::npos || end == std::string::npos)
        return version;
    version.erase(start, end - start);
    const auto stored = [&](const CSmsRecipientInfo& recipient) {
        written.clear();
        recipient.WriteXML(writer);
        writer.Flush();
        return std::move(written);
    };
    std::vector<std::string> recipients;
    for (int i = 0; i < item.GetRecipientCount(); ++i)
        recipients.push_back(stored(*item.GetRecipient(i)));
    std::sort(recipients.begin(), recipients.end());
    for (const std::string& recipient : recipients)
        version += recipient;
    return version;
}

// The identity and the whole stored form of every item of a list, in order. Identical
// messages filed twice stay apart by the count of their earlier twins.
struct ItemVersions {
    std::vector<std::string> identities;
    std::vector<std::string> texts;
    std::unordered_map<std::string, std::size_t> indexOf;

    explicit ItemVersions(const CSmsArchive::ItemList& items) {
        std::string written;
        CXmlWriter writer(
            [&](const char* data, std::size_t count) { written.append(data, count); });
        std::unordered_map<std::string, int> twins;
        for (const auto& item : items) {
            std::string identity = IdentityOf(*item);
            identity += '#' + std::to_string(twins[identity]++);
            indexOf.emplace(identity, identities.size());
            identities.push_back(std::move(identity));
            texts.push_back(VersionOf(*item, writer, written));
        }
    }

    const std::string* TextOf(const std::string& identity) const {
        const auto found = indexOf.find(identity);
        return found == indexOf.end() ? nullptr : &texts[found->second];
    }
};

// The recipient of the item with the same numbers and SMS id; null when there is none.
const CSmsRecipientInfo* SameRecipient(const CSmsArchiveItem& item,
                                       const CSmsRecipientInfo& recipient) {
    const std::string key = RecipientKey(recipient);
    for (int i = 0; i < item.GetRecipientCount(); ++i) {
        if (RecipientKey(*item.GetRecipient(i)) == key)
            return item.GetRecipient(i);
    }
    return nullptr;
}

// Reports that only theirs received: a recipient still pending here takes the state of the same
// recipient there.
void TakeDeliveryStates(CSmsArchiveItem& ours, const CSmsArchiveItem& theirs) {
    if (ours.IsScheduled())
        return;
    for (int i = 0; i < ours.GetRecipientCount(); ++i) {
        CSmsRecipientInfo& mine = *ours.GetRecipient(i);
        const CSmsRecipientInfo* other = SameRecipient(theirs, mine);
        if (other && mine.GetStatus() == CSmsRecipientInfo::Pending &&
            other->GetStatus() != CSmsRecipientInfo::Pending)
            mine.SetStatus(other->GetStatus(), other->GetDeliveryTime());
    }
    ours.SetLastQueryTime(std::max(ours.GetLastQueryTime(), theirs.GetLastQueryTime()));
}

} // namespace

void CSmsArchive::Merge(const CSmsArchive& base, CSmsArchive& theirs) {
    const ItemVersions baseVersions(base.m_items);
    const ItemVersions ourVersions(m_items);
    const ItemVersions theirVersions(theirs.m_items);

    ItemList merged;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const std::string& identity = ourVersions.identities[i];
        const std::string* baseText = baseVersions.TextOf(identity);
        const auto their = theirVersions.indexOf.find(identity);
        const bool changedHere = !baseText || *baseText != ourVersions.texts[i];
        if (their == theirVersions.indexOf.end()) {
            // Deleted there: it goes unless it is new or changed here.
            if (changedHere)
                merged.push_back(std::move(m_items[i]));
            continue;
        }
        CSmsArchiveItem& other = *theirs.m_items[their->second];
        const bool changedThere = !baseText || *baseText != theirVersions.texts[their->second];
        // The item object stays, so whoever shows it keeps it.
        if (changedThere && !changedHere)
            *m_items[i] = std::move(other);
        else if (changedThere)
            TakeDeliveryStates(*m_items[i], other);
        merged.push_back(std::move(m_items[i]));
    }
    // Added there: in theirs, but neither in base nor here (items taken over above are here).
    for (std::size_t i = 0; i < theirs.m_items.size(); ++i) {
        const std::string& identity = theirVersions.identities[i];
        if (baseVersions.indexOf.count(identity) || ourVersions.indexOf.count(identity))
            continue;
        merged.push_back(std::move(theirs.m_items[i]));
        if (m_newItems >= 0)
            ++m_newItems;
    }
    std::stable_sort(merged.begin(), merged.end(), [](const auto& newer, const auto& older) {
        return newer->GetSentTime() > older->GetSentTime();
    });
    m_items = std::move(merged);
}
