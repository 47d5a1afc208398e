#include "ArchiveView.h"

#include "model/SmsArchive.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

class ArchiveView : public testing::Test {
protected:
    void SetUp() override {
        // Oldest first, so the archive holds them newest first: scheduled, group, report, plain.
        archive.AddItem("No report", "0903111111", "421903111111", sent, false, 0, 1);
        CSmsArchiveItem* report =
            archive.AddItem("With report", "Alice", "421903222222", sent + 60, true, 101, 2);
        report->SetStatus(101, CSmsRecipientInfo::Delivered, sent + 65);
        CSmsArchiveItem* group =
            archive.AddGroupItem("Line one\r\nline two", sent + 120, false, 1, "Friends");
        group->AddRecipient("Bob", "421903333333", 102);
        group->AddRecipient("Carol", "421903444444", 103);
        group->SetStatus(103, CSmsRecipientInfo::Undeliverable, 0);
        CSmsArchiveItem* scheduled = archive.AddScheduledItem(
            "Later", sent + 180, false, 1, true, 5, LocalTime(2025, 3, 11, 8, 0), 77, "Morning");
        scheduled->AddRecipient("Dan", "421903555555", 0);
    }

    std::int64_t sent = LocalTime(2025, 3, 10, 14, 30);
    CSmsArchive archive;
};

} // namespace

TEST_F(ArchiveView, ListsEveryItemWithItsRecipientsStates) {
    EXPECT_EQ(FormatArchive(archive, {}, sent + 200),
              "#1  10.03.2025 14:33:00  scheduled \"Morning\", daily from 11.03.2025 08:00, "
              "message id 77, report, 1 SMS\n"
              "    Later\n"
              "    Dan  421903555555  pending\n"
              "#2  10.03.2025 14:32:00  group \"Friends\", 1 SMS\n"
              "    Line one line two\n"
              "    Carol  421903444444  not deliverable\n"
              "    Bob    421903333333  pending\n"
              "#3  10.03.2025 14:31:00  to Alice, flash, 2 SMS\n"
              "    With report\n"
              "    Alice  421903222222  delivered 10.03.2025 14:31:05\n"
              "#4  10.03.2025 14:30:00  to 0903111111, 1 SMS\n"
              "    No report\n"
              "    0903111111  421903111111  no delivery report\n");
}

TEST_F(ArchiveView, TsvHasOneLinePerRecipient) {
    ArchiveFilter filter;
    filter.limit = 2;
    EXPECT_EQ(FormatArchiveTsv(archive, filter, sent + 200),
              "1\t" + std::to_string(sent + 180) +
                  "\tscheduled\t77\tDan\t421903555555\t0\t0\tpending\t\tLater\n"
                  "2\t" +
                  std::to_string(sent + 120) +
                  "\tgroup\t\tCarol\t421903444444\t103\t-3\tnot deliverable\t\tLine one line two\n"
                  "2\t" +
                  std::to_string(sent + 120) +
                  "\tgroup\t\tBob\t421903333333\t102\t0\tpending\t\tLine one line two\n");
}

TEST_F(ArchiveView, FiltersFollowTheArchivePage) {
    const auto shown = [&](const ArchiveFilter& filter, std::int64_t now) {
        std::string indexes;
        for (int i = 0; i < archive.GetItemCount(); ++i) {
            if (filter.Passes(*archive.GetItem(i), now))
                indexes += std::to_string(i + 1);
        }
        return indexes;
    };
    const std::int64_t now = sent + 200;
    ArchiveFilter delivered;
    delivered.delivered = true; // without a report counts as delivered
    EXPECT_EQ(shown(delivered, now), "34");
    ArchiveFilter undelivered;
    undelivered.undelivered = true;
    EXPECT_EQ(shown(undelivered, now), "24");
    ArchiveFilter scheduled;
    scheduled.scheduled = true;
    EXPECT_EQ(shown(scheduled, now), "1");
    ArchiveFilter since;
    since.since = sent + 60;
    EXPECT_EQ(shown(since, now), "123");

    // Waiting for a report: Bob's SMS until the notification window closes; the scheduled
    // message once its time has come.
    ArchiveFilter pending;
    pending.pending = true;
    EXPECT_EQ(shown(pending, now), "2");
    EXPECT_EQ(shown(pending, LocalTime(2025, 3, 11, 8, 0)), "12");
    EXPECT_EQ(shown(pending, sent + 120 + CSmsArchiveItem::GetExpiryTime() + 1), "1");
}

TEST(ArchiveReports, PeriodicMessageWaitsAgainForEachOccurrence) {
    const std::int64_t first = LocalTime(2025, 3, 11, 8, 0);
    CSmsArchive archive;
    CSmsArchiveItem* item =
        archive.AddScheduledItem("Daily", first - 3600, false, 1, true, 5, first, 77, "Daily");
    item->AddRecipient("Dan", "421903555555", 0);
    EXPECT_FALSE(AwaitsReport(*item, first - 1));
    EXPECT_TRUE(AwaitsReport(*item, first + 10));
    item->UpdateSchDlvrStatus("421903555555", CSmsRecipientInfo::Delivered, first + 20);
    EXPECT_FALSE(AwaitsReport(*item, first + 30));
    // The next day's occurrence is not reported yet.
    EXPECT_TRUE(AwaitsReport(*item, first + 86400 + 10));
    // Without delivery reports nothing is awaited.
    CSmsArchiveItem* silent =
        archive.AddScheduledItem("x", first - 3600, false, 1, false, 0, first, 78, "");
    silent->AddRecipient("Dan", "421903555555", 0);
    EXPECT_FALSE(AwaitsReport(*silent, first + 10));
}
