#include "AddressBookFixture.h"

#include "logic/GroupPageLogic.h"
#include "logic/ProgramStrings.h"

namespace {

using Answer = IMessageBox::Answer;

class GroupPageLogicTest : public AddressBookFixture {
protected:
    GroupPageLogic logic{user, boxes, dialogs};
};

TEST_F(GroupPageLogicTest, NewGroupWithATakenNameAsksToCorrect) {
    Group("Rodina");
    dialogs.groupAnswers = {FakeAddressPageDialogs::Type("Rodina"),
                            FakeAddressPageDialogs::Type("Rodina 2")};
    boxes.AnswerNext(Answer::Yes);

    EXPECT_EQ(logic.NewGroup(), 1);
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{ProgramString::GroupNameTaken}));
    EXPECT_EQ(dialogs.groupShown, (std::vector<std::string>{"", "Rodina"}));
    EXPECT_EQ(dialogs.groupNew, (std::vector<bool>{true, true}));

    dialogs.groupAnswers = {FakeAddressPageDialogs::Type("Rodina")};
    boxes.AnswerNext(Answer::No);
    EXPECT_FALSE(logic.NewGroup());
    EXPECT_EQ(Book().GetGroupCount(), 2);
}

TEST_F(GroupPageLogicTest, RenamingToAnotherGroupsNameAndNoKeepsTheOldName) {
    Group("Rodina");
    const int work = Group("Práca");
    dialogs.groupAnswers = {FakeAddressPageDialogs::Type("Rodina")};
    boxes.AnswerNext(Answer::No);

    EXPECT_FALSE(logic.EditGroup(work));
    EXPECT_EQ(dialogs.groupShown, (std::vector<std::string>{"Práca"}));
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{ProgramString::GroupNameTaken}));
    EXPECT_EQ(Book().GetGroup(work)->GetName(), "Práca");

    // Its own name again is no conflict.
    dialogs.groupAnswers = {FakeAddressPageDialogs::Type("Práca")};
    EXPECT_TRUE(logic.EditGroup(work));
    dialogs.groupAnswers = {FakeAddressPageDialogs::Type("Robota")};
    EXPECT_TRUE(logic.EditGroup(work));
    EXPECT_EQ(Book().GetGroup(work)->GetName(), "Robota");
    EXPECT_FALSE(logic.EditGroup(5));
}

TEST_F(GroupPageLogicTest, DeleteAsksAndNoKeepsTheGroup) {
    Group("Rodina");
    boxes.AnswerNext(Answer::No);
    EXPECT_FALSE(logic.DeleteGroup(0));
    EXPECT_EQ(boxes.Last().stringId, ProgramString::DeleteGroup);
    EXPECT_EQ(Book().GetGroupCount(), 1);
    boxes.AnswerNext(Answer::Yes);
    EXPECT_TRUE(logic.DeleteGroup(0));
    EXPECT_EQ(Book().GetGroupCount(), 0);
    EXPECT_FALSE(logic.DeleteGroup(-1));
}

TEST_F(GroupPageLogicTest, MemberListsSplitTheContacts) {
    Contact("Eva", "0905000001");
    Contact("Ivan", "0905000002");
    Contact("Ján", "0905000003");
    const int family = Group("Rodina", {"Ján", "Eva"});

    MemberLists lists = logic.Members(family);
    EXPECT_EQ(lists.members, (std::vector<std::string>{"Ján", "Eva"}));
    ASSERT_EQ(lists.people.size(), 1u);
    EXPECT_EQ(lists.people[0].index, 1);
    EXPECT_EQ(logic.Members(-1).people.size(), 3u);
    EXPECT_TRUE(logic.Members(-1).members.empty());

    EXPECT_TRUE(logic.AddMember(family, 1));
    EXPECT_FALSE(logic.AddMember(family, 1));
    EXPECT_TRUE(logic.RemoveMember(family, "Ján"));
    lists = logic.Members(family);
    EXPECT_EQ(lists.members, (std::vector<std::string>{"Eva", "Ivan"}));
    EXPECT_EQ(lists.people.size(), 1u);
    EXPECT_FALSE(logic.AddMember(family, 9));
}

} // namespace
