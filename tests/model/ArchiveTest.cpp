#include "TestSupport.h"
#include "model/SmsArchive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <thread>

namespace {

constexpr std::int64_t Day = 86400;

// The texts of the items in archive order.
std::string Texts(const CSmsArchive& archive) {
    std::string texts;
    for (int i = 0; i < archive.GetItemCount(); ++i)
        texts += archive.GetItem(i)->GetSmsText();
    return texts;
}

std::string ItemXml(std::int64_t sentTime, const std::string& text) {
    return "<ArchiveItem><TimeSent>" + std::to_string(sentTime) + "</TimeSent><Text>" + text +
           "</Text></ArchiveItem>";
}

void Load(CSmsArchive& archive, const std::string& items) {
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(("<Archive>" + items + "</Archive>").c_str()));
    archive.ReadXML(document.first_child());
}

// Unscheduled "u" and scheduled "S" items, given oldest first with their ages in days; each is
// added at the front, so the archive ends newest first.
void Fill(CSmsArchive& archive, std::int64_t now,
          std::initializer_list<std::pair<const char*, int>> items) {
    for (const auto& [text, age] : items) {
        if (text[0] == 'S')
            archive.AddScheduledItem(text, now - age * Day, false, 1, true, 0, now, 1, "");
        else
            archive.AddItem(text, "A", "421903000001", now - age * Day, false, 1, 1);
    }
}

} // namespace

TEST(Archive, NewItemsGoFirstAndAreCountedOnlyWhileCounting) {
    CSmsArchive archive;
    EXPECT_EQ(archive.GetNewItemCount(), -1);
    archive.AddItem("a", "Jana", "421903000001", 100, false, 11, 1);
    EXPECT_EQ(archive.GetNewItemCount(), -1);
    archive.ResetNewItems();
    CSmsArchiveItem* group = archive.AddGroupItem("b", 200, true, 2, "Friends");
    CSmsArchiveItem* scheduled =
        archive.AddScheduledItem("c", 300, false, 1, true, CSmsScheduleInfo::Weekly, 900, 77, "n");
    EXPECT_EQ(archive.GetNewItemCount(), 2);
    EXPECT_EQ(Texts(archive), "cba");
    EXPECT_EQ(group->GetRecipientCount(), 0);
    EXPECT_EQ(group->GetGroupName(), "Friends");
    EXPECT_EQ(scheduled->GetMessageId(), 77);
    EXPECT_EQ(archive.GetItem(2)->GetRecipient(0)->GetSmsId(), 11);
    EXPECT_EQ(archive.GetItem(3), nullptr);

    CSmsArchiveItem foreign("x", 1, false, 1);
    EXPECT_FALSE(archive.DeleteItem(&foreign));
    EXPECT_EQ(archive.GetNewItemCount(), 2);
    EXPECT_TRUE(archive.DeleteItem(group));
    EXPECT_EQ(Texts(archive), "ca");
    EXPECT_EQ(archive.GetNewItemCount(), -1);
}

TEST(Archive, UpdatesGoToTheFirstItemHoldingTheSmsId) {
    CSmsArchive archive;
    archive.AddItem("old", "A", "1", 100, false, 5, 1);
    archive.AddItem("new", "B", "2", 200, false, 5, 1);
    CSmsArchiveItem* updated = archive.UpdateItem(5, CSmsRecipientInfo::Delivered, 250);
    ASSERT_EQ(updated, archive.GetItem(0));
    EXPECT_EQ(updated->GetStatus(), CSmsRecipientInfo::Delivered);
    EXPECT_EQ(archive.GetItem(1)->GetStatus(), CSmsRecipientInfo::Pending);
    EXPECT_EQ(archive.UpdateItem(6, CSmsRecipientInfo::Delivered, 250), nullptr);

    EXPECT_TRUE(archive.UpdateItem(5, 300));
    EXPECT_EQ(archive.GetItem(0)->GetLastQueryTime(), 300);
    EXPECT_EQ(archive.GetItem(1)->GetLastQueryTime(), 0);
    EXPECT_FALSE(archive.UpdateItem(6, 300));
}

TEST(ArchiveAgeing, ByDaysKeepsScheduledItemsInTheirOrder) {
    FixedClock clock(LocalTime(2024, 6, 1, 12));
    CSmsArchive archive;
    Fill(archive, clock.Now(), {{"u3", 30}, {"S2", 20}, {"u2", 5}, {"S1", 10}, {"u1", 1}});
    archive.ResetNewItems();
    archive.RemoveOldItems(3, true);
    EXPECT_EQ(Texts(archive), "u1S1S2");
    EXPECT_EQ(archive.GetNewItemCount(), -1);

    CSmsArchive old;
    Fill(old, clock.Now(), {{"a", 9}, {"b", 8}});
    old.RemoveOldItems(7, true);
    EXPECT_EQ(old.GetItemCount(), 0);
}

TEST(ArchiveAgeing, ByCountNeverRemovesScheduledItems) {
    FixedClock clock(LocalTime(2024, 6, 1, 12));
    const auto fill = [&clock](CSmsArchive& archive) {
        Fill(archive, clock.Now(),
             {{"u5", 9}, {"S2", 8}, {"u4", 7}, {"u3", 6}, {"S1", 5}, {"u2", 4}, {"u1", 3}});
    };
    CSmsArchive three;
    fill(three);
    three.RemoveOldItems(3, false);
    EXPECT_EQ(Texts(three), "u1S1S2");

    CSmsArchive one;
    fill(one);
    one.RemoveOldItems(1, false);
    EXPECT_EQ(Texts(one), "S1S2");
    EXPECT_EQ(one.GetNewItemCount(), -1);

    CSmsArchive enough;
    fill(enough);
    enough.ResetNewItems();
    enough.RemoveOldItems(7, false);
    EXPECT_EQ(enough.GetItemCount(), 7);
    EXPECT_EQ(enough.GetNewItemCount(), 0);
    for (int limit : {0, -1, -100}) {
        enough.RemoveOldItems(limit, false);
        enough.RemoveOldItems(limit, true);
    }
    EXPECT_EQ(enough.GetItemCount(), 7);
}

TEST(ArchiveSort, EqualTimesTakeTheOrderOfThePartitioning) {
    CSmsArchive three;
    Load(three, ItemXml(5, "A") + ItemXml(5, "B") + ItemXml(5, "C"));
    EXPECT_EQ(Texts(three), "BAC");

    CSmsArchive mixed;
    Load(mixed,
         ItemXml(1, "A") + ItemXml(3, "B") + ItemXml(2, "C") + ItemXml(3, "D") + ItemXml(2, "E"));
    EXPECT_EQ(Texts(mixed), "DBCEA");
    EXPECT_EQ(mixed.GetNewItemCount(), -1);
}

TEST(ArchiveSort, TenThousandItemsComeOutNewestFirst) {
    std::mt19937 random(12345);
    std::string items;
    std::vector<std::int64_t> times;
    for (int i = 0; i < 10000; ++i) {
        times.push_back(1'700'000'000 + static_cast<std::int64_t>(random() % 3000));
        items += ItemXml(times.back(), std::to_string(i));
    }
    CSmsArchive archive;
    Load(archive, items);
    ASSERT_EQ(archive.GetItemCount(), 10000);
    std::vector<std::int64_t> sorted;
    std::vector<bool> seen(10000);
    for (int i = 0; i < archive.GetItemCount(); ++i) {
        sorted.push_back(archive.GetItem(i)->GetSentTime());
        seen[std::stoul(archive.GetItem(i)->GetSmsText())] = true;
    }
    EXPECT_TRUE(std::is_sorted(sorted.rbegin(), sorted.rend()));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 10000);
    std::sort(times.rbegin(), times.rend());
    EXPECT_EQ(sorted, times);
}

TEST(ArchiveLock, AnotherThreadGivesUpWhileTheLockIsHeld) {
    CSmsArchive archive;
    const auto lockedElsewhere = [&archive] {
        bool locked = false;
        std::thread([&] { locked = archive.TryLock().owns_lock(); }).join();
        return locked;
    };
    {
        auto lock = archive.TryLock();
        ASSERT_TRUE(lock.owns_lock());
        EXPECT_TRUE(archive.TryLock().owns_lock()) << "the holder may lock again";
        EXPECT_FALSE(lockedElsewhere());
    }
    EXPECT_TRUE(lockedElsewhere());
}
