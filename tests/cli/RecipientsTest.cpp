#include "Recipients.h"
#include "../platform/ScopedEnv.h"
#include "ExitCode.h"
#include "MessageFiling.h"

#include "model/SmsAddressBook.h"
#include "model/SmsArchive.h"

#include <gtest/gtest.h>

namespace {

class Recipients : public testing::Test {
protected:
    void SetUp() override {
        book.AddContact("Alice", "0903111111", "0903222222");
        book.AddContact("Bob", "+421903333333", "");
        book.AddContact("Nobody", "12", ""); // a number that fails validation
        book.AddContact("Kim#2", "0903444444", "");
        book.AddGroup("Friends");
        book.AddGroupMember("Friends", "Alice");
        book.AddGroupMember("Friends", "Nobody");
        book.AddGroupMember("Friends", "Bob");
    }

    ExitCode ErrorOf(const std::string& text) {
        try {
            ResolveRecipient(text, book);
        } catch (const CliError& error) {
            return error.Code();
        }
        return ExitOk;
    }

    CSmsAddressBook book;
};

const FiledMessage kMessage{"Hello\r\nthere", 1000, true, 1};

} // namespace

TEST_F(Recipients, NumbersComeFirstThenGroupsThenContacts) {
    const RecipientEntry number = ResolveRecipient("0903 555 555", book);
    EXPECT_EQ(number.kind, RecipientEntry::Number);
    EXPECT_EQ(number.name, "0903555555");
    EXPECT_EQ(number.recipients, (std::vector<Recipient>{{"0903555555", "421903555555"}}));

    const RecipientEntry group = ResolveRecipient("friends", book);
    EXPECT_EQ(group.kind, RecipientEntry::Group);
    EXPECT_EQ(group.name, "Friends");
    // The member whose number fails validation is left out.
    EXPECT_EQ(group.recipients,
              (std::vector<Recipient>{{"Alice", "421903111111"}, {"Bob", "421903333333"}}));

    EXPECT_EQ(ResolveRecipient("ALICE", book).recipients[0].number, "421903111111");
    EXPECT_EQ(ResolveRecipient("Alice#2", book).recipients[0].number, "421903222222");
    EXPECT_EQ(ResolveRecipient("Alice#1", book).recipients[0].number, "421903111111");
    // A name that itself ends in "#2" is taken whole.
    EXPECT_EQ(ResolveRecipient("Kim#2", book).recipients[0].number, "421903444444");
}

TEST_F(Recipients, UnknownTextsAndMissingSecondNumbersAreLocalErrors) {
    EXPECT_EQ(ErrorOf("Carol"), ExitLocalError);
    EXPECT_EQ(ErrorOf("12"), ExitLocalError);
    EXPECT_EQ(ErrorOf("Bob#2"), ExitLocalError);
}

TEST_F(Recipients, RepeatedEntriesAreLeftOutButNumbersReachedTwiceStay) {
    const auto entries =
        ResolveRecipients({"0903111111", "Friends", "FRIENDS", "0903 111 111", "Alice"}, book);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(NumberList(entries), (std::vector<std::string>{"421903111111", "421903111111",
                                                             "421903333333", "421903111111"}));
}

TEST_F(Recipients, NamesIgnoringCaseFoldTheLettersOfTheCodePage) {
    ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1250");
    book.AddContact("J\xE1n", "0903555555", ""); // Ján
    book.AddGroup("\x8Akola");                   // Škola
    book.AddGroupMember("\x8Akola", "Bob");
    book.AddGroup("\x9Akola"); // škola, another group
    book.AddGroupMember("\x9Akola", "Alice");

    EXPECT_EQ(ResolveRecipient("J\xC1N", book).name, "J\xE1n");
    EXPECT_EQ(ResolveRecipient("\x9AKOLA", book).name, "\x8Akola");
    // Group entries are the same when their names differ in case only.
    const auto entries = ResolveRecipients({"\x8Akola", "\x9Akola"}, book);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "\x8Akola");
}

TEST_F(Recipients, SentMessageIsFiledPerContactGroupAndNumber) {
    const auto entries = ResolveRecipients({"0903555555", "Friends", "Bob"}, book);
    CSmsArchive archive;
    // The service echoes every number once; Alice got no result, one number matches no entry.
    FileSentMessage(
        archive, kMessage, entries,
        {{"421903555555", 11}, {"421903333333", 12}, {"421903333333", 13}, {"421903999999", 14}});
    ASSERT_EQ(archive.GetItemCount(), 4);
    // Filed contacts, groups, numbers, left-overs; each new item goes first.
    const CSmsArchiveItem& leftOver = *archive.GetItem(0);
    EXPECT_EQ(leftOver.GetRecipient(0)->GetOrigNr(), "+421903999999");
    EXPECT_EQ(leftOver.GetRecipient(0)->GetSmsId(), 14);
    const CSmsArchiveItem& number = *archive.GetItem(1);
    EXPECT_EQ(number.GetRecipient(0)->GetOrigNr(), "0903555555");
    EXPECT_EQ(number.GetRecipient(0)->GetSmsId(), 11);
    const CSmsArchiveItem& group = *archive.GetItem(2);
    EXPECT_EQ(group.GetGroupName(), "Friends");
    ASSERT_EQ(group.GetRecipientCount(), 1);
    EXPECT_EQ(group.GetRecipient(0)->GetOrigNr(), "Bob");
    EXPECT_EQ(group.GetRecipient(0)->GetSmsId(), 13);
    const CSmsArchiveItem& contact = *archive.GetItem(3);
    EXPECT_EQ(contact.GetRecipient(0)->GetOrigNr(), "Bob");
    EXPECT_EQ(contact.GetRecipient(0)->GetSmsId(), 12);
    EXPECT_TRUE(contact.GetType());
    EXPECT_EQ(contact.GetSmsText(), "Hello\r\nthere");
    EXPECT_EQ(contact.GetSentTime(), 1000);
}

TEST_F(Recipients, ScheduledMessageIsOneItemWithEveryAcceptedRecipient) {
    const auto entries = ResolveRecipients({"0903555555", "Friends"}, book);
    CSmsArchive archive;
    const CSmsArchiveItem* item =
        FileScheduledMessage(archive, kMessage, {5000, 5, "Weekly news", true}, 77, entries,
                             {{"421903111111", 0}, {"421903555555", 0}, {"421903999999", 0}});
    ASSERT_EQ(archive.GetItemCount(), 1);
    EXPECT_EQ(item->GetMessageId(), 77);
    EXPECT_EQ(item->GetPeriodicity(), 5);
    EXPECT_EQ(item->GetDeliverAt(), 5000);
    EXPECT_EQ(item->GetName(), "Weekly news");
    EXPECT_TRUE(item->HasDeliveryReport());
    // Newest recipient first: the left-over, then the number, then Alice of the group.
    ASSERT_EQ(item->GetRecipientCount(), 3);
    EXPECT_EQ(item->GetRecipient(0)->GetOrigNr(), "+421903999999");
    EXPECT_EQ(item->GetRecipient(1)->GetOrigNr(), "0903555555");
    EXPECT_EQ(item->GetRecipient(2)->GetOrigNr(), "Alice");

    const CSmsArchiveItem* noId =
        FileScheduledMessage(archive, kMessage, {5000, 0, "", true}, 0, entries, {});
    EXPECT_FALSE(noId->HasDeliveryReport()) << "no message id to ask by";
    EXPECT_EQ(noId->GetRecipientCount(), 0);
}

TEST_F(Recipients, ScheduledMessageSentWithoutReportIsFiledWithout) {
    const auto entries = ResolveRecipients({"0903555555"}, book);
    CSmsArchive archive;
    const CSmsArchiveItem* item = FileScheduledMessage(archive, kMessage, {5000, 0, "", false}, 77,
                                                       entries, {{"421903555555", 0}});
    EXPECT_EQ(item->GetMessageId(), 77);
    EXPECT_FALSE(item->HasDeliveryReport());
}

TEST_F(Recipients, ReplacedRecipientsKeepThoseWithAResult) {
    const std::vector<Recipient> before{{"Alice", "421903111111"}, {"Bob", "421903333333"}};
    EXPECT_EQ(
        ReplacedRecipients(before, {{"421903333333", 0}, {"421903000001", 0}, {"421903000002", 0}}),
        (std::vector<Recipient>{{"+421903000002", "421903000002"},
                                {"+421903000001", "421903000001"},
                                {"Bob", "421903333333"}}));
}
