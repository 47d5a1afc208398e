#include "logic/SmsDetails.h"

#include "frontend/ArchiveRows.h"
#include "model/LocalCalendar.h"
#include "model/SmsArchiveItem.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr std::int64_t kSent = 1781078400; // 10.06.2026 10:00:00 CEST

std::unique_ptr<CSmsRecipientInfo> RecipientOf(const char* name, std::int64_t smsId, int status,
                                               std::int64_t time = 0) {
    auto recipient = std::make_unique<CSmsRecipientInfo>(name, "421903000001", smsId);
    recipient->SetStatus(static_cast<CSmsRecipientInfo::DeliveryStatus>(status), time);
    return recipient;
}

} // namespace

TEST(SmsDetails, OneRecipientWithItsStateFlashCharactersAndParts) {
    CSmsArchiveItem item("Ahoj\r\nako sa mas?", kSent, true, 2);
    item.AddRecipient(RecipientOf("Jana", 77, 1, kSent + 65));
    const SmsDetails details = SmsDetails::Of(item);
    EXPECT_FALSE(details.group);
    EXPECT_EQ(details.sentTime, "10.06.2026 10:00:00");
    EXPECT_EQ(details.flash, "Áno");
    EXPECT_EQ(details.characters, "16"); // CR LF is one character
    EXPECT_EQ(details.parts, "2");
    EXPECT_EQ(details.text, "Ahoj\r\nako sa mas?");
    ASSERT_EQ(details.recipients.size(), 1u);
    EXPECT_EQ(details.recipients[0].name, "Jana");
    EXPECT_EQ(details.recipients[0].number, "421903000001");
    EXPECT_EQ(details.recipients[0].state, "Doručená 10.06.2026 10:01:05");
    EXPECT_EQ(details.recipients[0].deliveryTime, "10.06.2026 10:01:05");
    EXPECT_EQ(details.recipients[0].icon, ArchiveRows::Delivered);

    CSmsArchiveItem plain("Text", kSent, false, 0);
    plain.AddRecipient(RecipientOf("0903000001", 0, 1));
    const SmsDetails noReport = SmsDetails::Of(plain);
    EXPECT_EQ(noReport.flash, "Nie");
    EXPECT_EQ(noReport.parts, "Nedostupné");
    // Without an SMS id the state is unknown whatever the record says.
    EXPECT_EQ(noReport.recipients[0].state, "Bez potvrdenky");
    EXPECT_EQ(noReport.recipients[0].icon, ArchiveRows::NoReport);
}

TEST(SmsDetails, StateTexts) {
    using S = CSmsRecipientInfo;
    EXPECT_EQ(SmsDetails::StateText(S::Expired, true, {}), "Expirovaná");
    EXPECT_EQ(SmsDetails::StateText(S::Pending, true, {}), "Doručuje sa");
    EXPECT_EQ(SmsDetails::StateText(S::Delivered, true, {}), "Doručená ");
    EXPECT_EQ(SmsDetails::StateText(S::NotDelivered, true, {}), "Nemožno doručiť");
    EXPECT_EQ(SmsDetails::StateText(S::Undeliverable, true, {}), "Nemožno doručiť");
    EXPECT_EQ(SmsDetails::StateText(S::Delivered, false, "x"), "Bez potvrdenky");
    // A delivery time the text holds is never read as a format.
    EXPECT_EQ(SmsDetails::StateText(S::Delivered, true, "%s%n"), "Doručená %s%n");
    EXPECT_EQ(SmsDetails::Characters(""), 0);
    EXPECT_EQ(SmsDetails::Characters("\r\n\r\n\n\r"), 4);
}

TEST(SmsDetails, AGroupOrSeveralRecipientsTakeTheGroupDialog) {
    CSmsArchiveItem group("Schôdza", kSent, false, 1, "Kolegovia");
    group.AddRecipient(RecipientOf("Peter", 10, -2));
    const SmsDetails ofGroup = SmsDetails::Of(group);
    EXPECT_TRUE(ofGroup.group);
    EXPECT_EQ(ofGroup.groupName, "Kolegovia");
    EXPECT_EQ(ofGroup.recipients[0].icon, ArchiveRows::NotDelivered);
    EXPECT_EQ(ofGroup.recipients[0].deliveryTime, "");

    CSmsArchiveItem several("Text", kSent, false, 1);
    several.AddRecipient(RecipientOf("A", 1, 0));
    several.AddRecipient(RecipientOf("B", 2, 1, kSent));
    const SmsDetails ofSeveral = SmsDetails::Of(several);
    EXPECT_TRUE(ofSeveral.group);
    ASSERT_EQ(ofSeveral.recipients.size(), 2u);
    EXPECT_EQ(ofSeveral.recipients[0].name, "B"); // the newest first, as the archive keeps them
    EXPECT_EQ(ofSeveral.recipients[1].icon, ArchiveRows::Pending);
}

TEST(ScheduledSms, TakenAndAppliedBack) {
    CSmsArchiveItem item("Stará", kSent, false, 1);
    item.SetScheduleInfo(555, 5, kSent + 3600, true, "Ranná");
    item.AddRecipient(RecipientOf("B", 0, 1, kSent));
    item.AddRecipient(RecipientOf("A", 0, 0));
    item.SetLastQueryTime(kSent + 100);

    ScheduledSms message = ScheduledSms::Of(item);
    EXPECT_EQ(message.messageId, 555);
    EXPECT_EQ(message.schedule.periodicity, 5);
    EXPECT_EQ(message.schedule.deliverAt, kSent + 3600);
    EXPECT_EQ(message.schedule.name, "Ranná");
    EXPECT_TRUE(message.schedule.report);
    EXPECT_EQ(message.text, "Stará");
    ASSERT_EQ(message.recipients.size(), 2u);
    EXPECT_EQ(message.recipients[0].name, "A");
    EXPECT_EQ(message.states[1], CSmsRecipientInfo::Delivered);

    message.schedule = {kSent + 7200, 9, "Mesačná", false};
    message.text = "Nová";
    message.flash = true;
    message.recipients = {{"C", "421903000003"}, {"A", "421903000001"}};
    message.states = {CSmsRecipientInfo::Pending, CSmsRecipientInfo::Pending};
    message.ApplyTo(item);
    EXPECT_EQ(item.GetMessageId(), 555);
    EXPECT_EQ(item.GetPeriodicity(), 9);
    EXPECT_EQ(item.GetDeliverAt(), kSent + 7200);
    EXPECT_FALSE(item.HasDeliveryReport());
    EXPECT_EQ(item.GetName(), "Mesačná");
    EXPECT_EQ(item.GetSmsText(), "Nová");
    EXPECT_TRUE(item.GetType());
    EXPECT_EQ(item.GetLastQueryTime(), 0);
    ASSERT_EQ(item.GetRecipientCount(), 2);
    EXPECT_EQ(item.GetRecipient(0)->GetOrigNr(), "C"); // the order stays
    EXPECT_EQ(item.GetRecipient(1)->GetTranslatedNr(), "421903000001");
    EXPECT_EQ(item.GetRecipient(1)->GetStatus(), CSmsRecipientInfo::Pending);
    // Taken again, it is what was applied.
    const ScheduledSms again = ScheduledSms::Of(item);
    EXPECT_EQ(again.recipients, message.recipients);
    EXPECT_EQ(again.schedule.name, "Mesačná");
}
