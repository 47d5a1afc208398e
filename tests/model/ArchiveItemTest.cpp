#include "model/SmsArchiveItem.h"

#include <gtest/gtest.h>

using Status = CSmsRecipientInfo::DeliveryStatus;

TEST(RecipientInfo, StatusIsClampedAndTimeKeptUnlessZero) {
    CSmsRecipientInfo recipient("Jana", "421903111222", 55);
    EXPECT_EQ(recipient.GetStatus(), CSmsRecipientInfo::Pending);
    recipient.SetStatus(CSmsRecipientInfo::Delivered, 1000);
    recipient.SetStatus(static_cast<Status>(-7), 0);
    EXPECT_EQ(recipient.GetStatus(), CSmsRecipientInfo::Undeliverable);
    EXPECT_EQ(recipient.GetDeliveryTime(), 1000);
    recipient.SetStatus(static_cast<Status>(5), 2000);
    EXPECT_EQ(recipient.GetStatus(), CSmsRecipientInfo::Delivered);
    EXPECT_EQ(recipient.GetDeliveryTime(), 2000);
}

TEST(ArchiveItem, NewestRecipientComesFirst) {
    CSmsArchiveItem item("text", 100, false, 1);
    item.AddRecipient("A", "1", 1);
    item.AddRecipient(std::make_unique<CSmsRecipientInfo>("B", "2", 2));
    ASSERT_EQ(item.GetRecipientCount(), 2);
    EXPECT_EQ(item.GetRecipient(0)->GetOrigNr(), "B");
    EXPECT_EQ(item.GetRecipient(1)->GetOrigNr(), "A");
    EXPECT_EQ(item.GetRecipient(2), nullptr);
    EXPECT_EQ(item.GetRecipient(-1), nullptr);
}

TEST(ArchiveItem, SummaryOfRecipientStates) {
    CSmsArchiveItem single("text", 100, false, 1);
    EXPECT_EQ(single.GetStatus(), CSmsRecipientInfo::Pending);
    EXPECT_FALSE(single.HasDeliveryReport());
    single.AddRecipient("A", "1", 0);
    EXPECT_FALSE(single.IsGroup());
    EXPECT_FALSE(single.HasDeliveryReport());

    CSmsArchiveItem pair("text", 100, false, 1);
    pair.AddRecipient("A", "1", 11);
    pair.AddRecipient("B", "2", 12);
    EXPECT_TRUE(pair.IsGroup());
    EXPECT_TRUE(pair.HasDeliveryReport());
    pair.SetStatus(11, CSmsRecipientInfo::Delivered, 500);
    EXPECT_EQ(pair.GetStatus(), CSmsRecipientInfo::Various);
    EXPECT_TRUE(pair.IsDelivered());
    EXPECT_TRUE(pair.IsPending());
    pair.SetStatus(12, CSmsRecipientInfo::Delivered, 700);
    EXPECT_EQ(pair.GetStatus(), CSmsRecipientInfo::Delivered);
    EXPECT_FALSE(pair.IsPending());
    EXPECT_EQ(pair.GetMaxDeliveryTime(), 700);

    CSmsArchiveItem group("text", 100, false, 1, "Friends");
    group.AddRecipient("A", "1", 11);
    group.SetStatus(11, CSmsRecipientInfo::Expired, 0);
    EXPECT_TRUE(group.IsGroup());
    EXPECT_EQ(group.GetStatus(), CSmsRecipientInfo::Expired);
    EXPECT_FALSE(group.IsDelivered());
    EXPECT_EQ(group.GetMaxDeliveryTime(), 0);
}

TEST(ArchiveItem, ScheduledItemSummaryComesFromTheSchedule) {
    CSmsArchiveItem item("text", 100, false, 1, "Friends");
    item.SetScheduleInfo(77, CSmsScheduleInfo::Daily, 5000, true, "weekly note");
    item.AddRecipient("A", "421903000001", 0);
    item.AddRecipient("B", "421903000002", 0);
    item.UpdateSchDlvrStatus("421903000001", 1, 6000);
    EXPECT_TRUE(item.IsScheduled());
    EXPECT_FALSE(item.IsGroup());
    EXPECT_FALSE(item.IsDelivered());
    EXPECT_TRUE(item.IsPending());
    EXPECT_EQ(item.GetStatus(), CSmsRecipientInfo::Various);
    EXPECT_TRUE(item.HasDeliveryReport());
    EXPECT_EQ(item.GetMaxDeliveryTime(), 6000);
}

TEST(ArchiveItem, LookupBySmsIdAndByNumber) {
    CSmsArchiveItem item("text", 100, false, 1);
    item.AddRecipient("A", "421903000001", 11);
    item.AddRecipient("B", "421903000002", 12);
    EXPECT_FALSE(item.HasSmsId(13));
    EXPECT_TRUE(item.HasSmsId(11));
    EXPECT_TRUE(item.SetStatus(12, static_cast<Status>(-2), 0));
    EXPECT_TRUE(item.SetStatus(11, static_cast<Status>(3), 900));
    EXPECT_FALSE(item.SetStatus(13, CSmsRecipientInfo::Delivered, 1));
    EXPECT_EQ(item.GetRecipient(0)->GetStatus(), CSmsRecipientInfo::Expired);
    EXPECT_EQ(item.GetRecipient(1)->GetStatus(), CSmsRecipientInfo::Delivered);
    EXPECT_EQ(item.GetRecipient(1)->GetDeliveryTime(), 900);

    // Exact number only; the first match wins.
    item.AddRecipient("C", "421903000001", 14);
    EXPECT_FALSE(item.UpdateSchDlvrStatus("+421903000001", 1, 5));
    EXPECT_TRUE(item.UpdateSchDlvrStatus("421903000001", -9, 0));
    EXPECT_EQ(item.GetRecipient(0)->GetStatus(), CSmsRecipientInfo::Undeliverable);
    EXPECT_EQ(item.GetRecipient(2)->GetStatus(), CSmsRecipientInfo::Delivered);

    // The lookup cache must not outlive the recipients.
    EXPECT_TRUE(item.HasSmsId(14));
    item.RemoveAllRecipients();
    EXPECT_FALSE(item.SetStatus(14, CSmsRecipientInfo::Delivered, 1));
    EXPECT_EQ(item.GetRecipientCount(), 0);
}

TEST(ArchiveItem, ScheduleAccessAndEditingOnlyForScheduledItems) {
    CSmsArchiveItem sent("sent text", 100, false, 1);
    EXPECT_EQ(sent.GetMessageId(), -1);
    EXPECT_EQ(sent.GetPeriodicity(), -1);
    EXPECT_EQ(sent.GetDeliverAt(), -1);
    EXPECT_EQ(sent.GetLastSchedule(999999), 0);
    sent.SetName("ignored");
    EXPECT_EQ(sent.GetName(), "");
    std::int64_t next = 3, last = 4;
    sent.GetNextDeliveryTime(999999, next, last);
    EXPECT_EQ(next, 3);
    EXPECT_EQ(last, 4);
    sent.SetType(true);
    sent.SetSmsText("changed");
    EXPECT_FALSE(sent.GetType());
    EXPECT_EQ(sent.GetSmsText(), "sent text");

    CSmsArchiveItem scheduled("old", 100, false, 1);
    scheduled.SetScheduleInfo(42, CSmsScheduleInfo::Once, 5000, false, "first name");
    scheduled.SetScheduleInfo(43, CSmsScheduleInfo::Daily, 6000, true, "second name");
    EXPECT_EQ(scheduled.GetMessageId(), 42);
    EXPECT_EQ(scheduled.GetPeriodicity(), CSmsScheduleInfo::Daily);
    EXPECT_EQ(scheduled.GetDeliverAt(), 6000);
    EXPECT_TRUE(scheduled.HasDeliveryReport());
    EXPECT_EQ(scheduled.GetName(), "first name");
    scheduled.SetName("a name that is clearly longer than thirty characters");
    EXPECT_EQ(scheduled.GetName(), "a name that is clearly longer ");
    scheduled.GetNextDeliveryTime(6000 + 86400, next, last);
    EXPECT_EQ(next, 6000 + 2 * 86400);
    EXPECT_EQ(last, 6000 + 86400);
    scheduled.SetType(true);
    scheduled.SetSmsText("new");
    EXPECT_TRUE(scheduled.GetType());
    EXPECT_EQ(scheduled.GetSmsText(), "new");
    EXPECT_EQ(scheduled.GetLatestQueryTime(), 100 + 259200);
}
