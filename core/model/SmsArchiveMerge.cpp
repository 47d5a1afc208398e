// The three-way merge of two copies of one archive (see CSmsArchive::Merge).
#include "SmsArchive.h"

#include "XmlWriter.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

// Items are told apart and compared by 64-bit fingerprints of their texts: a false match is as
// unlikely as any in a 64-bit hash of ten thousand values, and strings would take most of the
// merge's time.
using Fingerprint = std::uint64_t;

Fingerprint Mixed(Fingerprint value) {
    value ^= value >> 33;
    value *= 0xff51afd7ed558ccdULL;
    value ^= value >> 33;
    value *= 0xc4ceb9fe1a85ec53ULL;
    return value ^ (value >> 33);
}

Fingerprint Combined(Fingerprint seed, Fingerprint value) {
    return Mixed(seed ^ (value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2)));
}

Fingerprint OfText(std::string_view text) {
    return std::hash<std::string_view>{}(text);
}

// What tells a recipient of an item from the others: its numbers and SMS id.
Fingerprint RecipientKey(const CSmsRecipientInfo& recipient) {
    Fingerprint key = Combined(OfText(recipient.GetOrigNr()), OfText(recipient.GetTranslatedNr()));
    return Combined(key, static_cast<Fingerprint>(recipient.GetSmsId()));
}

// Tells one archived message from every other across copies of the archive: what never
// changes once it is filed. A scheduled message keeps its message id and moment of sending when
// it is replaced; a sent one keeps its text and recipients with their SMS ids. The recipients
// count in any order: each load of the archive reverses their stored order.
Fingerprint IdentityOf(const CSmsArchiveItem& item) {
    const Fingerprint sent = Mixed(static_cast<Fingerprint>(item.GetSentTime()));
    if (item.IsScheduled())
        return Combined(Combined(sent, 'S'), static_cast<Fingerprint>(item.GetMessageId()));
    Fingerprint key = Combined(sent, item.GetType() ? 'F' : 'T');
    key = Combined(Combined(key, OfText(item.GetGroupName())), OfText(item.GetSmsText()));
    Fingerprint recipients = 0;
    for (int i = 0; i < item.GetRecipientCount(); ++i)
        recipients += Mixed(RecipientKey(*item.GetRecipient(i)));
    return Combined(key, recipients);
}

// Everything an item holds, as its stored form tells it, the recipients in any order. The
// writer escapes "<" in texts, so the recipients' element is found by its tag.
Fingerprint VersionOf(const CSmsArchiveItem& item, CXmlWriter& writer, std::string& written) {
    const auto stored = [&](const auto& part) {
        written.clear();
        part.WriteXML(writer);
        writer.Flush();
        return std::string_view(written);
    };
    const std::string_view whole = stored(item);
    const std::size_t start = whole.find("<Recipients>");
    const std::size_t end = whole.find("</Recipients>");
    if (start == std::string_view::npos || end == std::string_view::npos)
        return OfText(whole);
    Fingerprint version = Combined(OfText(whole.substr(0, start)), OfText(whole.substr(end)));
    Fingerprint recipients = 0;
    for (int i = 0; i < item.GetRecipientCount(); ++i)
        recipients += Mixed(OfText(stored(*item.GetRecipient(i))));
    return Combined(version, recipients);
}

// The identity and the version of every item of a list, in order. Identical messages filed
// twice stay apart by the count of their earlier twins.
struct ItemVersions {
    std::vector<Fingerprint> identities;
    std::vector<Fingerprint> versions;
    std::unordered_map<Fingerprint, std::size_t> indexOf;

    explicit ItemVersions(const CSmsArchive::ItemList& items) {
        std::string written;
        CXmlWriter writer(
            [&](const char* data, std::size_t count) { written.append(data, count); });
        std::unordered_map<Fingerprint, int> twins;
        identities.reserve(items.size());
        versions.reserve(items.size());
        indexOf.reserve(items.size());
        for (const auto& item : items) {
            const Fingerprint once = IdentityOf(*item);
            const Fingerprint identity = Combined(once, static_cast<Fingerprint>(twins[once]++));
            indexOf.emplace(identity, identities.size());
            identities.push_back(identity);
            versions.push_back(VersionOf(*item, writer, written));
        }
    }

    const Fingerprint* VersionOfItem(Fingerprint identity) const {
        const auto found = indexOf.find(identity);
        return found == indexOf.end() ? nullptr : &versions[found->second];
    }
};

// The recipient of the item with the same numbers and SMS id; null when there is none.
const CSmsRecipientInfo* SameRecipient(const CSmsArchiveItem& item,
                                       const CSmsRecipientInfo& recipient) {
    const Fingerprint key = RecipientKey(recipient);
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
        const Fingerprint identity = ourVersions.identities[i];
        const Fingerprint* baseVersion = baseVersions.VersionOfItem(identity);
        const auto their = theirVersions.indexOf.find(identity);
        const bool changedHere = !baseVersion || *baseVersion != ourVersions.versions[i];
        if (their == theirVersions.indexOf.end()) {
            // Deleted there: it goes unless it is new or changed here.
            if (changedHere)
                merged.push_back(std::move(m_items[i]));
            continue;
        }
        CSmsArchiveItem& other = *theirs.m_items[their->second];
        const bool changedThere =
            !baseVersion || *baseVersion != theirVersions.versions[their->second];
        // The item object stays, so whoever shows it keeps it.
        if (changedThere && !changedHere)
            *m_items[i] = std::move(other);
        else if (changedThere)
            TakeDeliveryStates(*m_items[i], other);
        merged.push_back(std::move(m_items[i]));
    }
    // Added there: in theirs, but neither in base nor here (items taken over above are here).
    for (std::size_t i = 0; i < theirs.m_items.size(); ++i) {
        const Fingerprint identity = theirVersions.identities[i];
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
