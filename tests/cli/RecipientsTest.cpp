#include "Recipients.h"
#include "ExitCode.h"

#include "model/SmsAddressBook.h"

#include <gtest/gtest.h>

namespace {

class Recipients : public testing::Test {
protected:
    void SetUp() override {
        book.AddContact("Alice", "0903111111", "0903222222");
        book.AddContact("Bob", "+421903333333", "");
        book.AddContact("Kim#2", "0903444444", "");
        book.AddGroup("Friends");
        book.AddGroupMember("Friends", "Alice");
        book.AddGroupMember("Friends", "Bob");
    }

    std::vector<std::string> Numbers(const std::vector<std::string>& texts) {
        return ResolveRecipients(texts, book).Expand(book).Numbers();
    }

    std::string ErrorOf(const std::string& text) {
        try {
            ResolveRecipients({text}, book);
        } catch (const CliError& error) {
            EXPECT_EQ(error.Code(), ExitLocalError);
            return error.what();
        }
        return {};
    }

    CSmsAddressBook book;
};

} // namespace

TEST_F(Recipients, AContactMeansItsFirstNumberUnlessTheSuffixPicks) {
    EXPECT_EQ(Numbers({"ALICE"}), (std::vector<std::string>{"421903111111"}));
    EXPECT_EQ(Numbers({"Alice#2"}), (std::vector<std::string>{"421903222222"}));
    EXPECT_EQ(Numbers({"Alice#1"}), (std::vector<std::string>{"421903111111"}));
    // A name that itself ends in "#2" is taken whole.
    EXPECT_EQ(Numbers({"Kim#2"}), (std::vector<std::string>{"421903444444"}));
    // The suffix picks among contacts only.
    EXPECT_EQ(ErrorOf("Friends#1"),
              "\"Friends#1\" is neither a valid number nor a contact or group of the address book");
}

TEST_F(Recipients, UnknownTextsAndMissingSecondNumbersAreLocalErrors) {
    EXPECT_EQ(ErrorOf("Carol"),
              "\"Carol\" is neither a valid number nor a contact or group of the address book");
    EXPECT_EQ(ErrorOf("12"),
              "\"12\" is neither a valid number nor a contact or group of the address book");
    EXPECT_EQ(ErrorOf("bob#2"), "contact \"Bob\" has no second number");
}

TEST_F(Recipients, RepeatedEntriesAreLeftOutButNumbersReachedTwiceStay) {
    const RecipientList list = ResolveRecipients(
        {"0903111111", "Friends", "FRIENDS", "0903 111 111", "Alice", "Alice#1", "Alice#2"}, book);
    ASSERT_EQ(list.Entries().size(), 4u);
    EXPECT_EQ(list.Expand(book).Numbers(),
              (std::vector<std::string>{"421903111111", "421903111111", "421903333333",
                                        "421903111111", "421903222222"}));
}
