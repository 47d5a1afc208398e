#include "frontend/RecipientList.h"
#include "../platform/ScopedEnv.h"

#include "model/SmsAddressBook.h"
#include "model/SmsArchive.h"

#include <gtest/gtest.h>

namespace {

using Resolution = RecipientList::Resolution;
using Choice = RecipientList::NumberChoice;

class RecipientListTest : public testing::Test {
protected:
    void SetUp() override {
        book.AddContact("Alice", "0903111111", "0903222222");
        book.AddContact("Bob", "+421903333333", "");
        book.AddContact("Nobody", "12", ""); // a number that fails validation
        book.AddGroup("Friends");
        book.AddGroupMember("Friends", "Alice");
        book.AddGroupMember("Friends", "Nobody");
        book.AddGroupMember("Friends", "Bob");
    }

    // Resolves and adds each text; contacts with two numbers mean their first.
    RecipientList ListOf(const std::vector<std::string>& texts) {
        RecipientList list;
        for (const std::string& text : texts) {
            const Resolution resolution = list.Resolve(text, book, Choice::First);
            EXPECT_TRUE(resolution.IsResolved() || resolution.status == Resolution::AlreadyListed)
                << text;
            list.Add(resolution.entry);
        }
        return list;
    }

    const CSmsAddressBookItem& Contact(const std::string& name) {
        return *book.GetItemByName(name);
    }

    CSmsAddressBook book;
};

const FiledMessage kMessage{"Hello\r\nthere", 1000, true, 1};

} // namespace

TEST_F(RecipientListTest, TypedTextIsANumberThenAGroupThenAContact) {
    RecipientList list;
    const Resolution number = list.Resolve("  0903 555 555 ", book);
    ASSERT_TRUE(number.IsResolved());
    EXPECT_EQ(number.entry.kind, RecipientEntry::Number);
    EXPECT_EQ(number.entry.name, "0903555555");
    EXPECT_EQ(number.entry.display, "0903555555");
    EXPECT_EQ(number.entry.id, 0u);

    const Resolution group = list.Resolve("friends", book);
    ASSERT_TRUE(group.IsResolved());
    EXPECT_EQ(group.entry.kind, RecipientEntry::Group);
    EXPECT_EQ(group.entry.name, "Friends");
    EXPECT_EQ(group.entry.id, book.GetGroupByName("Friends")->GetID());

    const Resolution bob = list.Resolve("BOB", book);
    ASSERT_TRUE(bob.IsResolved());
    EXPECT_EQ(bob.entry.kind, RecipientEntry::Contact);
    EXPECT_EQ(bob.entry.display, "Bob (#1) +421903333333");
    EXPECT_EQ(bob.entry.id, Contact("Bob").GetID());

    EXPECT_EQ(list.Resolve("Carol", book).status, Resolution::NotFound);
    EXPECT_EQ(list.Resolve("12", book).status, Resolution::NotFound);
    EXPECT_EQ(list.Resolve(" \t", book).status, Resolution::NotFound);
}

TEST_F(RecipientListTest, AnExactNameWinsOverOneDifferingInCase) {
    book.AddGroup("friends");
    book.AddContact("alice", "0903666666", "");
    RecipientList list;
    EXPECT_EQ(list.Resolve("friends", book).entry.id, book.GetGroupByName("friends")->GetID());
    EXPECT_EQ(list.Resolve("alice", book).entry.id, Contact("alice").GetID());
    EXPECT_EQ(list.Resolve("ALICE", book, Choice::First).entry.id, Contact("Alice").GetID());
}

TEST_F(RecipientListTest, AContactWithTwoNumbersNeedsAChoice) {
    RecipientList list;
    const Resolution asked = list.Resolve("Alice", book);
    EXPECT_EQ(asked.status, Resolution::NeedsNumberChoice);
    ASSERT_NE(asked.contact, nullptr);
    EXPECT_EQ(asked.contact->GetPhone2(), "0903222222");

    const Resolution second = list.Resolve("Alice", book, Choice::Second);
    ASSERT_TRUE(second.IsResolved());
    EXPECT_TRUE(second.entry.IsSecondNumber());
    EXPECT_EQ(second.entry.ContactId(), Contact("Alice").GetID());
    EXPECT_EQ(second.entry.id, Contact("Alice").GetID() | RecipientEntry::SecondNumber);
    EXPECT_EQ(second.entry.display, "Alice (#2) 0903222222");

    // One number: no question, and no second number to pick.
    EXPECT_TRUE(list.Resolve("Bob", book).IsResolved());
    EXPECT_EQ(list.Resolve("Bob", book, Choice::Second).status, Resolution::NoSecondNumber);
}

TEST_F(RecipientListTest, EqualEntriesAreRefused) {
    RecipientList list = ListOf({"0903111111", "Friends", "Alice"});
    EXPECT_EQ(list.Resolve("0903 111 111", book).status, Resolution::AlreadyListed);
    EXPECT_EQ(list.Resolve("FRIENDS", book).status, Resolution::AlreadyListed);
    EXPECT_EQ(list.Resolve("Alice", book, Choice::First).status, Resolution::AlreadyListed);
    // The other number of the contact is another entry.
    const Resolution second = list.Resolve("Alice", book, Choice::Second);
    ASSERT_TRUE(second.IsResolved());
    EXPECT_TRUE(list.Add(second.entry));
    EXPECT_FALSE(list.Add(second.entry));
    EXPECT_EQ(list.Entries().size(), 4u);

    list.RemoveAt(0);
    list.RemoveAt(99); // out of range: nothing happens
    EXPECT_EQ(list.Entries().size(), 3u);
    EXPECT_TRUE(list.Resolve("0903111111", book).IsResolved());
}

TEST_F(RecipientListTest, GroupsDifferingInCaseByTheCodePageAreEqual) {
    ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1250");
    book.AddContact("J\xE1n", "0903555555", ""); // Ján
    book.AddGroup("\x8Akola");                   // Škola
    book.AddGroupMember("\x8Akola", "Bob");
    book.AddGroup("\x9Akola"); // škola, another group
    book.AddGroupMember("\x9Akola", "Alice");

    RecipientList list;
    EXPECT_EQ(list.Resolve("J\xC1N", book).entry.name, "J\xE1n");
    const Resolution group = list.Resolve("\x9AKOLA", book);
    EXPECT_EQ(group.entry.name, "\x8Akola");
    list.Add(group.entry);
    EXPECT_EQ(list.Resolve("\x9Akola", book).status, Resolution::AlreadyListed);
}

TEST_F(RecipientListTest, NumberListFollowsTheEntriesAndKeepsRepeatedNumbers) {
    const RecipientList list = ListOf({"0903111111", "Friends", "Alice"});
    const RecipientList::NumberList numbers = list.Expand(book);
    EXPECT_TRUE(numbers.missing.empty());
    // The member whose number fails validation is left out; Alice is reached three times.
    EXPECT_EQ(numbers.Numbers(), (std::vector<std::string>{"421903111111", "421903111111",
                                                           "421903333333", "421903111111"}));
    EXPECT_EQ(numbers.Recipients(), (std::vector<Recipient>{{"0903111111", "421903111111"},
                                                            {"Alice", "421903111111"},
                                                            {"Bob", "421903333333"},
                                                            {"Alice", "421903111111"}}));
}

TEST_F(RecipientListTest, NumberListFindsContactsAndGroupsByIdAndReportsDeletedOnes) {
    RecipientList list = ListOf({"Bob", "Friends"});
    list.Add(list.Resolve("Alice", book, Choice::Second).entry);
    // Renamed and renumbered since it was added: still the same contact (the group now has
    // the new name as its last member).
    ASSERT_TRUE(
        book.EditContactByID(Contact("Alice").GetID(), "Alicia", "0903111111", "0903999999"));
    EXPECT_EQ(
        list.Expand(book).Numbers(),
        (std::vector<std::string>{"421903333333", "421903333333", "421903111111", "421903999999"}));

    book.DelContactByID(Contact("Bob").GetID());
    book.DelGroup(0);
    const RecipientList::NumberList numbers = list.Expand(book);
    EXPECT_EQ(numbers.Numbers(), (std::vector<std::string>{"421903999999"}));
    ASSERT_EQ(numbers.missing.size(), 2u);
    EXPECT_EQ(numbers.missing[0].kind, RecipientEntry::Contact);
    EXPECT_EQ(numbers.missing[0].name, "Bob");
    EXPECT_EQ(numbers.missing[1].kind, RecipientEntry::Group);
    EXPECT_EQ(numbers.missing[1].name, "Friends");

    // A second number taken away leaves the entry without a number, never an empty one.
    ASSERT_TRUE(book.EditContactByID(Contact("Alicia").GetID(), "Alicia", "0903111111", ""));
    EXPECT_TRUE(list.Expand(book).Numbers().empty());
}

TEST_F(RecipientListTest, SentMessageIsFiledPerContactGroupAndNumber) {
    const RecipientList list = ListOf({"0903555555", "Friends", "Bob"});
    CSmsArchive archive;
    // The service echoes every number once; Alice got no result, one number matches no entry.
    RecipientList::FileSent(
        archive, kMessage, list.Expand(book),
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

TEST_F(RecipientListTest, AGroupWithoutAnyResultIsNotFiled) {
    const RecipientList list = ListOf({"Friends"});
    CSmsArchive archive;
    RecipientList::FileSent(archive, kMessage, list.Expand(book), {});
    EXPECT_EQ(archive.GetItemCount(), 0);
}

TEST_F(RecipientListTest, ScheduledMessageIsOneItemWithEveryAcceptedRecipient) {
    const RecipientList list = ListOf({"0903555555", "Friends"});
    CSmsArchive archive;
    const CSmsArchiveItem* item = RecipientList::FileScheduled(
        archive, kMessage, {5000, 5, "Weekly news", true}, 77, list.Expand(book),
        {{"421903111111", 0}, {"421903555555", 0}, {"421903999999", 0}});
    ASSERT_EQ(archive.GetItemCount(), 1) << "nothing is filed as sent";
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

    const CSmsArchiveItem* noId = RecipientList::FileScheduled(
        archive, kMessage, {5000, 0, "", true}, 0, list.Expand(book), {});
    EXPECT_FALSE(noId->HasDeliveryReport()) << "no message id to ask by";
    EXPECT_EQ(noId->GetRecipientCount(), 0);

    const CSmsArchiveItem* silent = RecipientList::FileScheduled(
        archive, kMessage, {5000, 0, "", false}, 78, list.Expand(book), {{"421903555555", 0}});
    EXPECT_EQ(silent->GetMessageId(), 78);
    EXPECT_FALSE(silent->HasDeliveryReport());
}

TEST(RecipientListReplace, RecipientsWithAResultStayAndLeftOversGoOnTop) {
    const std::vector<Recipient> before{{"Alice", "421903111111"}, {"Bob", "421903333333"}};
    EXPECT_EQ(RecipientList::Replaced(
                  before, {{"421903333333", 0}, {"421903000001", 0}, {"421903000002", 0}}),
              (std::vector<Recipient>{{"+421903000002", "421903000002"},
                                      {"+421903000001", "421903000001"},
                                      {"Bob", "421903333333"}}));
}

TEST(RecipientListResults, SentInfoBecomesResults) {
    SmsSentInfoList sentInfo;
    sentInfo.push_back({42, "421903111111"});
    const std::vector<SentResult> results = RecipientList::ResultsOf(sentInfo);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].number, "421903111111");
    EXPECT_EQ(results[0].smsId, 42);
}
