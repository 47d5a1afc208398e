#include "frontend/ArchiveRows.h"
#include "../platform/ScopedEnv.h"

#include "model/SmsArchive.h"

#include <gtest/gtest.h>

namespace {

class ArchiveRowsTest : public testing::Test {
protected:
    CSmsArchiveItem& Single(const std::string& name, std::int64_t smsId,
                            CSmsRecipientInfo::DeliveryStatus status = CSmsRecipientInfo::Pending,
                            const std::string& text = "text", std::int64_t sent = 100) {
        CSmsArchiveItem* item = archive.AddItem(text, name, "421903111111", sent, false, smsId, 1);
        if (status != CSmsRecipientInfo::Pending)
            item->SetStatus(smsId, status, sent + 5);
        return *item;
    }
    CSmsArchiveItem& Scheduled(const std::string& name) {
        CSmsArchiveItem* item =
            archive.AddScheduledItem("later", 100, false, 1, true, 0, 5000, 77, name);
        item->AddRecipient("Dan", "421903555555", 0);
        return *item;
    }

    CSmsArchive archive;
};

} // namespace

TEST_F(ArchiveRowsTest, NameAndIconOfEachKindOfRow) {
    const auto row = [](const CSmsArchiveItem& item) {
        const ArchiveRows::Row r = ArchiveRows::NameAndIcon(item);
        return r.name + "/" + std::to_string(r.icon);
    };
    EXPECT_EQ(row(Scheduled("Morning")), "Morning/3");
    CSmsArchiveItem* group = archive.AddGroupItem("hi", 100, false, 1, "Friends");
    group->AddRecipient("Bob", "421903333333", 5);
    EXPECT_EQ(row(*group), "Friends/4");
    // Two recipients without a group name: still shown as a group.
    CSmsArchiveItem* several = archive.AddGroupItem("hi", 100, false, 1, "");
    several->AddRecipient("Bob", "421903333333", 6);
    several->AddRecipient("Eva", "421903444444", 7);
    EXPECT_EQ(row(*several), "/4");

    EXPECT_EQ(row(Single("Ann", 0)), "Ann/0") << "no report";
    EXPECT_EQ(row(Single("Ann", 11)), "Ann/0") << "pending";
    EXPECT_EQ(row(Single("Ann", 12, CSmsRecipientInfo::Delivered)), "Ann/1");
    EXPECT_EQ(row(Single("Ann", 13, CSmsRecipientInfo::Expired)), "Ann/2");
    EXPECT_EQ(row(Single("Ann", 14, CSmsRecipientInfo::Undeliverable)), "Ann/2");
}

TEST_F(ArchiveRowsTest, ANotifiedRowShowsDeliveredOrNot) {
    CSmsArchiveItem& item = Single("Ann", 11);
    EXPECT_EQ(ArchiveRows::NotifiedIcon(item), ArchiveRows::NotDelivered);
    item.SetStatus(11, CSmsRecipientInfo::Delivered, 200);
    EXPECT_EQ(ArchiveRows::NotifiedIcon(item), ArchiveRows::Delivered);
}

TEST_F(ArchiveRowsTest, FiltersOfTheArchivePage) {
    const CSmsArchiveItem& noReport = Single("A", 0);
    const CSmsArchiveItem& waiting = Single("B", 11);
    const CSmsArchiveItem& delivered = Single("C", 12, CSmsRecipientInfo::Delivered);
    const CSmsArchiveItem& failed = Single("D", 13, CSmsRecipientInfo::Undeliverable);
    const CSmsArchiveItem& scheduled = Scheduled("S");
    const auto shown = [&](int filter) {
        std::string names;
        for (const CSmsArchiveItem* item : {&noReport, &waiting, &delivered, &failed, &scheduled})
            names += ArchiveRows::Passes(*item, filter) ? ArchiveRows::NameAndIcon(*item).name : "";
        return names;
    };
    EXPECT_EQ(shown(ArchiveRows::All), "ABCDS");
    // Without a delivery report a message counts as delivered; one waiting for it does not.
    EXPECT_EQ(shown(ArchiveRows::OnlyDelivered), "AC");
    EXPECT_EQ(shown(ArchiveRows::OnlyUndelivered), "ABD");
    EXPECT_EQ(shown(ArchiveRows::OnlyScheduled), "S");
    EXPECT_EQ(shown(42), "ABCDS");
}

TEST_F(ArchiveRowsTest, SortingByNameTimeAndText) {
    ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1250");
    const CSmsArchiveItem& anna = Single("anna", 0, CSmsRecipientInfo::Pending, "Zebra", 300);
    const CSmsArchiveItem& bob = Single("Bob", 0, CSmsRecipientInfo::Pending, "apple", 200);
    const CSmsArchiveItem& scheduled = Scheduled("Aaron");
    using enum ArchiveRows::Column;
    EXPECT_LT(ArchiveRows::Compare(anna, bob, NameColumn, true), 0);
    EXPECT_GT(ArchiveRows::Compare(anna, bob, NameColumn, false), 0);
    // A scheduled row sorts by an empty name, before every named one.
    EXPECT_EQ(ArchiveRows::SortName(scheduled), "");
    EXPECT_LT(ArchiveRows::Compare(scheduled, anna, NameColumn, true), 0);
    EXPECT_GT(ArchiveRows::Compare(anna, bob, TimeColumn, true), 0);
    EXPECT_LT(ArchiveRows::Compare(anna, bob, TimeColumn, false), 0);
    EXPECT_GT(ArchiveRows::Compare(anna, bob, TextColumn, true), 0) << "ignoring case";
    EXPECT_EQ(ArchiveRows::Compare(anna, anna, TextColumn, false), 0);
    // Letters of the code page compare without regard to case as well.
    const CSmsArchiveItem& upper = Single("\x8A"
                                          "ara",
                                          0); // Šara
    const CSmsArchiveItem& lower = Single("\x9A"
                                          "ARA",
                                          0); // šARA
    EXPECT_EQ(ArchiveRows::Compare(upper, lower, NameColumn, true), 0);
}

TEST(ArchiveRowText, LineBreaksShowAsBlanks) {
    EXPECT_EQ(ArchiveRows::RowText("one\r\ntwo\nthree"), "one two three");
    EXPECT_EQ(ArchiveRows::RowText("plain"), "plain");
}
