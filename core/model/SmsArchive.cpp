#include "SmsArchive.h"

#include "XmlNumber.h"
#include "XmlText.h"
#include "XmlWriter.h"
#include "platform/Clock.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace {

constexpr std::int64_t SecondsPerDay = 86400;

bool IsNamed(const pugi::xml_node& node, std::string_view name) {
    return node.type() == pugi::node_element && name == node.name();
}

// Keeps the history within max entries by dropping the oldest.
void TrimHistory(SmsHistoryList& history, int max) {
    while (!history.empty() && static_cast<std::int64_t>(history.size()) > max)
        history.pop_back();
}

// An entry older than the newest and newer than the oldest: it goes before the first entry that
// is not newer. An older entry of the same text goes; a newer one keeps its place and the entry
// is dropped (false).
bool InsertBetween(SmsHistoryList& history, std::unique_ptr<CSmsHistoryItem> entry) {
    const std::string text = entry->GetText();
    const std::int64_t time = entry->GetTimeStamp();
    bool placed = false;
    for (auto it = history.begin(); it != history.end();) {
        if (!placed && (*it)->GetTimeStamp() <= time) {
            history.insert(it, std::move(entry));
            placed = true;
        }
        if ((*it)->GetText() != text) {
            ++it;
        } else if (placed) {
            it = history.erase(it);
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

CSmsArchiveItem* CSmsArchive::GetItem(int index) const {
    if (index < 0 || index >= GetItemCount())
        return nullptr;
    return m_items[static_cast<std::size_t>(index)].get();
}

CSmsArchiveItem* CSmsArchive::AddFirst(std::unique_ptr<CSmsArchiveItem> item) {
    if (m_newItems >= 0)
        ++m_newItems;
    m_items.push_front(std::move(item));
    return m_items.front().get();
}

CSmsArchiveItem* CSmsArchive::AddItem(const std::string& text, const std::string& origNr,
                                      const std::string& translatedNr, std::int64_t sentTime,
                                      bool type, std::int64_t smsId, int smsCount) {
    auto item = std::make_unique<CSmsArchiveItem>(text, sentTime, type, smsCount);
    item->AddRecipient(origNr, translatedNr, smsId);
    return AddFirst(std::move(item));
}

CSmsArchiveItem* CSmsArchive::AddScheduledItem(const std::string& text, std::int64_t sentTime,
                                               bool type, int smsCount, bool notify,
                                               int periodicity, std::int64_t deliverAt,
                                               std::int64_t messageId, const std::string& name) {
    auto item = std::make_unique<CSmsArchiveItem>(text, sentTime, type, smsCount);
    item->SetScheduleInfo(messageId, periodicity, deliverAt, notify, name);
    return AddFirst(std::move(item));
}

CSmsArchiveItem* CSmsArchive::AddGroupItem(const std::string& text, std::int64_t sentTime,
                                           bool type, int smsCount, const std::string& groupName) {
    return AddFirst(std::make_unique<CSmsArchiveItem>(text, sentTime, type, smsCount, groupName));
}

bool CSmsArchive::DeleteItem(const CSmsArchiveItem* item) {
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [item](const auto& held) { return held.get() == item; });
    if (found == m_items.end())
        return false;
    m_items.erase(found);
    m_newItems = -1;
    return true;
}

void CSmsArchive::RemoveOldItems(int limit, bool byDays) {
    if (limit <= 0)
        return;
    if (byDays)
        RemoveOldItems(Clock::Now() - limit * SecondsPerDay);
    else
        RemoveSurplusItems(limit);
}

// From the oldest end, up to the first item sent at or after the cut-off: those items go, except
// the scheduled ones, which stay in their order behind the rest.
void CSmsArchive::RemoveOldItems(std::int64_t cutoff) {
    auto oldest = m_items.end();
    while (oldest != m_items.begin() && (*(oldest - 1))->GetSentTime() < cutoff)
        --oldest;
    const auto kept = std::remove_if(oldest, m_items.end(),
                                     [](const auto& item) { return !item->IsScheduled(); });
    m_items.erase(kept, m_items.end());
    m_newItems = -1;
}

// All scheduled items stay, and as many of the newest others as the limit leaves room for.
void CSmsArchive::RemoveSurplusItems(int limit) {
    const auto total = static_cast<std::int64_t>(m_items.size());
    if (total <= limit)
        return;
    const auto scheduled = std::count_if(m_items.begin(), m_items.end(),
                                         [](const auto& item) { return item->IsScheduled(); });
    std::int64_t room = std::max<std::int64_t>(limit, scheduled) - scheduled;
    ItemList kept;
    for (auto& item : m_items)
        if (item->IsScheduled() || room-- > 0)
            kept.push_back(std::move(item));
    m_items = std::move(kept);
    SortByDate();
    m_newItems = -1;
}

CSmsArchiveItem* CSmsArchive::UpdateItem(std::int64_t smsId,
                                         CSmsRecipientInfo::DeliveryStatus status,
                                         std::int64_t time) {
    for (const auto& item : m_items) {
        if (item->HasSmsId(smsId)) {
            item->SetStatus(smsId, status, time);
            return item.get();
        }
    }
    return nullptr;
}

bool CSmsArchive::UpdateItem(std::int64_t smsId, std::int64_t queryTime) {
    for (const auto& item : m_items) {
        if (item->HasSmsId(smsId)) {
            item->SetLastQueryTime(queryTime);
            return true;
        }
    }
    return false;
}

// ---- Sorting ----------------------------------------------------------------------------------

// Newest first. The pivot is the middle element; newer elements fill the scratch range from the
// front, the others (equal times included) from the back, so items of equal time end in the
// order this partitioning gives, which stored archives already show. Recursing into the smaller
// part keeps the stack shallow; the order does not depend on which part is done first.
void CSmsArchive::QuickSort(ItemList& work, ItemList& scratch, std::size_t first,
                            std::size_t count) {
    while (count >= 2) {
        const std::size_t pivotIndex = first + count / 2;
        const std::int64_t pivotTime = work[pivotIndex]->GetSentTime();
        std::size_t front = first;
        std::size_t back = first + count - 1;
        for (std::size_t i = first; i < first + count; ++i) {
            if (i == pivotIndex)
                continue;
            if (work[i]->GetSentTime() > pivotTime)
                scratch[front++] = std::move(work[i]);
            else
                scratch[back--] = std::move(work[i]);
        }
        scratch[front] = std::move(work[pivotIndex]);
        std::move(scratch.begin() + static_cast<std::ptrdiff_t>(first),
                  scratch.begin() + static_cast<std::ptrdiff_t>(first + count),
                  work.begin() + static_cast<std::ptrdiff_t>(first));
        const std::size_t newer = front - first;
        const std::size_t older = count - newer - 1;
        if (newer < older) {
            QuickSort(work, scratch, first, newer);
            first = front + 1;
            count = older;
        } else {
            QuickSort(work, scratch, front + 1, older);
            count = newer;
        }
    }
}

// Stored archives are usually in order already; with no two times equal, that order is the
// sorted one.
void CSmsArchive::SortByDate() {
    const auto notNewer = [](const auto& newer, const auto& older) {
        return newer->GetSentTime() <= older->GetSentTime();
    };
    if (std::adjacent_find(m_items.begin(), m_items.end(), notNewer) == m_items.end())
        return;
    ItemList scratch(m_items.size());
    QuickSort(m_items, scratch, 0, m_items.size());
}

// ---- Recipient history ------------------------------------------------------------------------

void CSmsArchive::Archive2History(SmsHistoryList& history, int max) const {
    for (const auto& item : m_items)
        for (int i = 0; i < item->GetRecipientCount(); ++i)
            InsertHistory(history,
                          std::make_unique<CSmsHistoryItem>(item->GetRecipient(i)->GetOrigNr(),
                                                            item->GetSentTime()),
                          max);
}

// The newest entry goes first and replaces an older one of its text; the oldest goes last unless
// its text is there already; any other goes in its place by time. The list is kept within max
// entries in every case (also when the new entry is the newest).
bool CSmsArchive::InsertHistory(SmsHistoryList& history, std::unique_ptr<CSmsHistoryItem> entry,
                                int max) {
    if (!entry)
        return false;
    const auto sameText = [&text = entry->GetText()](const auto& held) {
        return held->GetText() == text;
    };
    bool kept = true;
    if (history.empty() || entry->GetTimeStamp() >= history.front()->GetTimeStamp()) {
        history.push_front(std::move(entry));
        const auto older = std::find_if(std::next(history.begin()), history.end(), sameText);
        if (older != history.end())
            history.erase(older);
    } else if (entry->GetTimeStamp() <= history.back()->GetTimeStamp()) {
        if (std::any_of(history.begin(), history.end(), sameText))
            return false;
        history.push_back(std::move(entry));
    } else {
        kept = InsertBetween(history, std::move(entry));
    }
    TrimHistory(history, max);
    return kept;
}

void CSmsArchive::ReadHistoryXML(SmsHistoryList& history, const pugi::xml_node& element) {
    for (const pugi::xml_node& child : element.children()) {
        if (!IsNamed(child, "HistoryItem"))
            continue;
        const pugi::xml_attribute timeStamp = child.attribute("TimeStamp");
        const std::string text = XmlTextToAnsi(child.text().get());
        if (!timeStamp || text.empty())
            continue;
        const std::int64_t time = XmlDecimal(timeStamp.value()).value_or(0);
        InsertHistory(history, std::make_unique<CSmsHistoryItem>(text, time), MaxHistoryItems);
    }
}

void CSmsArchive::WriteHistoryXML(const SmsHistoryList& history, CXmlWriter& writer) {
    for (const auto& entry : history)
        entry->WriteXML(writer);
}

// ---- XML --------------------------------------------------------------------------------------

void CSmsArchive::ReadXML(const pugi::xml_node& element) {
    for (const pugi::xml_node& child : element.children())
        if (IsNamed(child, "ArchiveItem"))
            m_items.push_back(std::make_unique<CSmsArchiveItem>(child));
    m_newItems = -1;
    SortByDate();
}

void CSmsArchive::WriteXML(CXmlWriter& writer) const {
    for (const auto& item : m_items)
        item->WriteXML(writer);
}
