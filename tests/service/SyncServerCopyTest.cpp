#include "service/SyncServerCopy.h"
#include "model/SmsAddressBook.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

TEST(SyncServerCopyTest, NumberLookupsKeepTheFirstMatchThroughChanges) {
    CSmsAddressBook book;
    book.AddContact("A", "1", "");
    book.AddContact("B", "1", "");
    book.AddContact("C", "2", "");
    CSyncServerCopy copy(book);

    EXPECT_EQ(copy.AliasWithNumber("1")->GetName(), "A");
    copy.RemoveAlias(copy.AliasNamed("A")->GetID());
    EXPECT_EQ(copy.AliasWithNumber("1")->GetName(), "B");
    copy.AddAlias("D", "1");
    EXPECT_EQ(copy.AliasWithNumber("1")->GetName(), "B");
    copy.RemoveAlias(copy.AliasNamed("B")->GetID());
    EXPECT_EQ(copy.AliasWithNumber("1")->GetName(), "D");
    EXPECT_EQ(copy.AliasWithNumber("3"), nullptr);

    // An existing name keeps its number, as the book's AddContact would.
    copy.AddAlias("C", "9");
    EXPECT_EQ(copy.AliasNamed("C")->GetPhone1(), "2");
    EXPECT_EQ(copy.AliasWithNumber("9"), nullptr);
}

TEST(SyncServerCopyTest, RemovedAliasesLeaveTheGroups) {
    CSmsAddressBook book;
    book.AddContact("A", "1", "");
    book.AddContact("B", "2", "");
    const int group = book.AddGroup("G");
    book.AddGroupMember(group, "A");
    book.AddGroupMember(group, "B");
    CSyncServerCopy copy(book);
    copy.AddAlias("D", "4");
    EXPECT_EQ(book.GetItemCount(), 2);

    const std::uint32_t removed = copy.AliasNamed("A")->GetID();
    copy.RemoveAlias(removed);
    EXPECT_THAT(book.GetGroup(group)->GetMembers(), ElementsAre("B"));
    EXPECT_EQ(copy.AliasById(removed), nullptr);
    EXPECT_EQ(copy.AliasNamed("A"), nullptr);

    copy.RemoveGroup(copy.GroupNamed("G")->GetID());
    EXPECT_EQ(copy.GroupNamed("G"), nullptr);
    EXPECT_EQ(book.GetGroupCount(), 0);
}

} // namespace
