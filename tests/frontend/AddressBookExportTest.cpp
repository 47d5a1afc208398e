#include "frontend/AddressBookExport.h"
#include "model/SmsAddressBook.h"

#include <gtest/gtest.h>

namespace {

TEST(AddressBookExportTest, ValuesAreQuotedOnlyWhenTheyNeedIt) {
    EXPECT_EQ(AddressBookExport::Quote("Eva"), "Eva");
    EXPECT_EQ(AddressBookExport::Quote("Novák, Ján"), "\"Novák, Ján\"");
    EXPECT_EQ(AddressBookExport::Quote("Ján \"Jano\""), "\"Ján \"\"Jano\"\"\"");
    EXPECT_EQ(AddressBookExport::Quote(""), "");
}

TEST(AddressBookExportTest, OneLinePerContactInBookOrderWithTheGroupsQuotedTwice) {
    CSmsAddressBook book;
    book.AddContact("Zuzana", "0905000001", "");
    book.AddContact("Novák, Ján", "0905000002", "+421 905 000 003");
    book.AddContact("Ján \"Jano\"", "0905000004", "");
    const int family = book.AddGroup("Rodina");
    const int work = book.AddGroup("Práca");
    const int friends = book.AddGroup("Kamoši, blízki");
    book.AddGroupMember(family, "Zuzana");
    book.AddGroupMember(work, "Zuzana");
    book.AddGroupMember(friends, "Novák, Ján");
    book.AddGroupMember(work, "Novák, Ján");

    EXPECT_EQ(AddressBookExport::Csv(book),
              "Zuzana,0905000001,,Rodina;Práca\n"
              "\"Novák, Ján\",0905000002,+421 905 000 003,\"Práca;\"\"Kamoši, blízki\"\"\"\n"
              "\"Ján \"\"Jano\"\"\",0905000004,,\n");
}

TEST(AddressBookExportTest, AFileThatCannotBeCreatedGivesTheSystemsText) {
    CSmsAddressBook book;
    std::string error;
    EXPECT_FALSE(AddressBookExport::Write(book, "/nonexistent-folder/book.csv", error));
    EXPECT_FALSE(error.empty());
}

} // namespace
