#pragma once

#include "QuillonCoreExport.h"

#include "SmsArchiveItem.h"
#include "SmsHistoryItem.h"

#include <pugixml.hpp>

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CXmlWriter;

// The messages one user sent or scheduled from this computer, newest first, and the functions
// that keep the recipient history. The archive takes no lock of its own: its users lock
// GetMutex() around every access. In a user object this mutex is the data lock of all the
// user's data (CSmsUserInfo::LockData).
class QUILLON_CORE_EXPORT CSmsArchive {
public:
    using Mutex = std::recursive_timed_mutex;
    // The longest a user of the archive waits for it (TryLock).
    static constexpr std::chrono::milliseconds LockTimeout{500};
    // The history keeps at most this many entries.
    static constexpr int MaxHistoryItems = 20;

    CSmsArchive() = default;
    virtual ~CSmsArchive() = default;
    CSmsArchive(const CSmsArchive&) = delete;
    CSmsArchive& operator=(const CSmsArchive&) = delete;

    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    // Null outside 0..GetItemCount()-1.
    CSmsArchiveItem* GetItem(int index) const;
    // Recursive, like the lock it stands for: the thread that holds it may take it again.
    // Locking is no change of the archive, so a reader holding it const may lock.
    Mutex& GetMutex() const { return m_mutex; }
    // Waits at most LockTimeout; the result owns the lock only when it was had in time.
    std::unique_lock<Mutex> TryLock() const {
        return std::unique_lock<Mutex>(m_mutex, LockTimeout);
    }

    // Items added since ResetNewItems; -1 when nothing is being counted.
    int GetNewItemCount() const { return m_newItems; }
    void ResetNewItems() { m_newItems = 0; }

    // Each of these puts the new item first. AddItem files a message with its one recipient; the
    // callers of the other two add the recipients at once.
    CSmsArchiveItem* AddItem(const std::string& text, const std::string& origNr,
                             const std::string& translatedNr, std::int64_t sentTime, bool type,
                             std::int64_t smsId, int smsCount);
    CSmsArchiveItem* AddScheduledItem(const std::string& text, std::int64_t sentTime, bool type,
                                      int smsCount, bool notify, int periodicity,
                                      std::int64_t deliverAt, std::int64_t messageId,
                                      const std::string& name);
    CSmsArchiveItem* AddGroupItem(const std::string& text, std::int64_t sentTime, bool type,
                                  int smsCount, const std::string& groupName);
    // False when the item is not in this archive.
    bool DeleteItem(const CSmsArchiveItem* item);

    // Ageing: by days, the items sent more than limit days ago go; by count, the archive keeps
    // limit items. Scheduled messages are never removed. A limit of 0 or less does nothing.
    void RemoveOldItems(int limit, bool byDays);

    // The first item holding the SMS id gets the delivery state; returns it, or null.
    CSmsArchiveItem* UpdateItem(std::int64_t smsId, CSmsRecipientInfo::DeliveryStatus status,
                                std::int64_t time);
    // The first item holding the SMS id gets its last query time; false when there is none.
    bool UpdateItem(std::int64_t smsId, std::int64_t queryTime);

    // Every recipient of every item, newest first, into the history.
    void Archive2History(SmsHistoryList& history, int max) const;
    // Takes the entry; newest first, no two entries of the same text, at most max entries. False
    // when the entry was dropped because the history already has its text with a newer time.
    static bool InsertHistory(SmsHistoryList& history, std::unique_ptr<CSmsHistoryItem> entry,
                              int max);
    // The "HistoryItem" children of the element.
    static void ReadHistoryXML(SmsHistoryList& history, const pugi::xml_node& element);
    static void WriteHistoryXML(const SmsHistoryList& history, CXmlWriter& writer);

    // A deque: new items go to the front.
    using ItemList = std::deque<std::unique_ptr<CSmsArchiveItem>>;

    // Appends the "ArchiveItem" children of the element, then sorts.
    void ReadXML(const pugi::xml_node& element);
    void WriteXML(CXmlWriter& writer) const;

    // Takes in what theirs (another copy of this archive) changed since base, the copy both
    // started from: items added or changed there and not here come over, items deleted there
    // and not changed here go, and what this archive added, changed or deleted stays so. An
    // item changed on both sides keeps this archive's version with the delivery states that
    // only theirs had received. Items taken from theirs count as new items; an item kept here
    // stays the same object, also when it takes the content changed there.
    void Merge(const CSmsArchive& base, CSmsArchive& theirs);

private:
    CSmsArchiveItem* AddFirst(std::unique_ptr<CSmsArchiveItem> item);
    void RemoveOldItems(std::int64_t cutoff);
    void RemoveSurplusItems(int limit);
    static void QuickSort(ItemList& work, ItemList& scratch, std::size_t first, std::size_t count);
    void SortByDate();

    ItemList m_items;
    int m_newItems = -1;
    mutable Mutex m_mutex;
};
