#include "AddressBookFixture.h"
#include "ScriptedSyncUi.h"

#include "frontend/ImmediateCallRunner.h"
#include "logic/AddressPageLogic.h"
#include "logic/ContactEdit.h"
#include "logic/ProgramStrings.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using Answer = IMessageBox::Answer;
using Field = ContactEdit::Field;

class AddressPageLogicTest : public AddressBookFixture {
protected:
    bool ProfileWritten() const {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dataHome.Path()))
            if (entry.path().filename() == "jan.novak.dat")
                return true;
        return false;
    }

    AddressPageLogic logic{user, boxes, dialogs};
};

TEST(ContactEditTest, NumbersAreCheckedAndTheSecondMovesUp) {
    ContactFields onlySecond{"Eva", "", "0905 123 456"};
    EXPECT_FALSE(ContactEdit::Check(onlySecond));
    EXPECT_EQ(onlySecond.phone1, "0905 123 456");
    EXPECT_EQ(onlySecond.phone2, "");

    ContactFields none{"Eva", "", ""};
    const auto noNumber = ContactEdit::Check(none);
    ASSERT_TRUE(noNumber);
    EXPECT_EQ(noNumber->stringId, ProgramString::NoPhoneNumber);
    EXPECT_EQ(noNumber->field, Field::Phone1);

    ContactFields badFirst{"Eva", "09x5", "0905123456"};
    const auto first = ContactEdit::Check(badFirst);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->stringId, ProgramString::BadNumberFormat);
    EXPECT_EQ(first->field, Field::Phone1);

    ContactFields badSecond{"Eva", "0905123456", "abc"};
    const auto second = ContactEdit::Check(badSecond);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->stringId, ProgramString::BadNumberFormat);
    EXPECT_EQ(second->field, Field::Phone2);

    // An empty name is the address book's business, not the dialog's.
    ContactFields noName{"", "0905123456", ""};
    EXPECT_FALSE(ContactEdit::Check(noName));
}

TEST_F(AddressPageLogicTest, ButtonsFollowTheSelection) {
    const auto none = AddressPageLogic::ButtonsFor(0);
    EXPECT_FALSE(none.edit || none.addToGroup || none.removeFromGroup || none.editIsDefault);
    const auto one = AddressPageLogic::ButtonsFor(1);
    EXPECT_TRUE(one.edit && one.addToGroup && one.removeFromGroup && one.editIsDefault);
    const auto two = AddressPageLogic::ButtonsFor(2);
    EXPECT_TRUE(two.edit && two.removeFromGroup && two.editIsDefault);
    EXPECT_FALSE(two.addToGroup);
}

TEST_F(AddressPageLogicTest, NewContactWithATakenNameAsksToCorrect) {
    Contact("Jano", "0905111111");
    dialogs.contactAnswers = {FakeAddressPageDialogs::Type("Jano", "0905222222"),
                              FakeAddressPageDialogs::Type("Jano Malý", "0905222222")};
    boxes.AnswerNext(Answer::Yes);

    const auto id = logic.NewContact();

    ASSERT_TRUE(id);
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{ProgramString::ContactNameTaken}));
    EXPECT_EQ(boxes.Last().icon, IMessageBox::Icon::Question);
    // The dialog came back with what had been typed.
    ASSERT_EQ(dialogs.contactShown.size(), 2u);
    EXPECT_EQ(dialogs.contactShown[1].name, "Jano");
    EXPECT_EQ(dialogs.contactShown[1].phone1, "0905222222");
    EXPECT_TRUE(dialogs.contactNew[1]);
    EXPECT_EQ(Book().GetItemByID(*id)->GetName(), "Jano Malý");
    EXPECT_EQ(Named("Jano")->GetPhone1(), "0905111111");

    // No gives up and adds nothing.
    dialogs.contactAnswers = {FakeAddressPageDialogs::Type("Jano", "0905333333")};
    boxes.AnswerNext(Answer::No);
    EXPECT_FALSE(logic.NewContact());
    EXPECT_EQ(Book().GetItemCount(), 2);
}

TEST_F(AddressPageLogicTest, EditStartsWithTheContactAndKeepsItOnATakenName) {
    const std::uint32_t eva = Contact("Eva", "0905111111", "0905999999");
    Contact("Ivan", "0905222222");
    Group("Rodina", {"Eva"});
    dialogs.contactAnswers = {FakeAddressPageDialogs::Type("Ivan", "0905111111")};
    boxes.AnswerNext(Answer::No);

    EXPECT_FALSE(logic.EditContact(eva));
    ASSERT_EQ(dialogs.contactShown.size(), 1u);
    EXPECT_EQ(dialogs.contactShown[0].name, "Eva");
    EXPECT_EQ(dialogs.contactShown[0].phone2, "0905999999");
    EXPECT_FALSE(dialogs.contactNew[0]);
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{ProgramString::ContactNameTaken}));
    EXPECT_EQ(Book().GetItemByID(eva)->GetName(), "Eva");

    // A new name follows into the groups.
    dialogs.contactAnswers = {FakeAddressPageDialogs::Type("Evka", "0905111111")};
    EXPECT_TRUE(logic.EditContact(eva));
    EXPECT_TRUE(Book().GetGroup(0)->IsMember("Evka"));
    EXPECT_FALSE(logic.EditContact(12345678));
}

TEST_F(AddressPageLogicTest, DeleteAsksOnceForOneOrWithTheCount) {
    const std::uint32_t a = Contact("A", "0905000001");
    const std::uint32_t b = Contact("B", "0905000002");
    const std::uint32_t c = Contact("C", "0905000003");
    Group("G", {"A", "B"});

    // Unscripted: the default, No, keeps everything.
    EXPECT_FALSE(logic.Delete({a, b}));
    EXPECT_EQ(boxes.Last().stringId, ProgramString::DeleteContacts);
    EXPECT_NE(boxes.Last().text.find(" 2 "), std::string::npos);
    EXPECT_EQ(boxes.Last().defaultButton, Answer::No);
    EXPECT_EQ(Book().GetItemCount(), 3);
    EXPECT_FALSE(ProfileWritten());

    boxes.AnswerNext(Answer::Yes);
    EXPECT_TRUE(logic.Delete({a, c}));
    EXPECT_EQ(Book().GetItemCount(), 1);
    EXPECT_EQ(Book().GetGroup(0)->GetMembers(), (std::vector<std::string>{"B"}));
    EXPECT_TRUE(ProfileWritten());

    logic.Delete({b});
    EXPECT_EQ(boxes.Last().stringId, ProgramString::DeleteContact);
    EXPECT_EQ(boxes.Last().defaultButton, Answer::No);
}

TEST_F(AddressPageLogicTest, GroupAssignmentListsFollowTheOneSelectedContact) {
    const std::uint32_t eva = Contact("Eva", "0905000001");
    const std::uint32_t ivan = Contact("Ivan", "0905000002");
    Group("Rodina", {"Eva"});
    Group("Práca");
    Group("Futbal", {"Eva", "Ivan"});

    auto lists = logic.Assignment({eva});
    ASSERT_EQ(lists.memberOf.size(), 2u);
    EXPECT_EQ(lists.memberOf[0].name, "Rodina");
    EXPECT_EQ(lists.memberOf[1].index, 2);
    ASSERT_EQ(lists.others.size(), 1u);
    EXPECT_EQ(lists.others[0].index, 1);

    // Several (or none) selected: every group among the others.
    lists = logic.Assignment({eva, ivan});
    EXPECT_TRUE(lists.memberOf.empty());
    EXPECT_EQ(lists.others.size(), 3u);
    EXPECT_EQ(logic.Assignment({}).others.size(), 3u);

    EXPECT_TRUE(logic.AddToGroup(ivan, 1));
    EXPECT_FALSE(logic.AddToGroup(ivan, 1));
    EXPECT_TRUE(logic.RemoveFromGroup(ivan, 2));
    lists = logic.Assignment({ivan});
    ASSERT_EQ(lists.memberOf.size(), 1u);
    EXPECT_EQ(lists.memberOf[0].name, "Práca");
    EXPECT_FALSE(logic.AddToGroup(777777, 0));
}

TEST_F(AddressPageLogicTest, ExportWritesTheFileOrShowsTheSystemsError) {
    Contact("Eva", "0905000001");
    dialogs.exportPath = (dataHome.Path() / "adresar.csv").string();
    ASSERT_TRUE(logic.Export());
    std::ifstream file(*dialogs.exportPath);
    std::stringstream written;
    written << file.rdbuf();
    EXPECT_EQ(written.str(), "Eva,0905000001,,\n");

    EXPECT_FALSE(logic.ExportTo((dataHome.Path() / "no" / "such" / "folder.csv").string()));
    EXPECT_EQ(boxes.Last().icon, IMessageBox::Icon::Stop);
    EXPECT_FALSE(boxes.Last().text.empty());

    dialogs.exportPath.reset();
    const std::size_t shown = boxes.Shown().size();
    EXPECT_FALSE(logic.Export());
    EXPECT_EQ(boxes.Shown().size(), shown);
}

TEST_F(AddressPageLogicTest, ImportSavesOnlyWhenTheBookMayHaveChanged) {
    EXPECT_FALSE(logic.Import());
    EXPECT_FALSE(ProfileWritten());
    dialogs.import = [](CSmsAddressBook& book) {
        book.AddContact("Nový", "0905000009", "");
        return true;
    };
    EXPECT_TRUE(logic.Import());
    EXPECT_TRUE(Named("Nový"));
    EXPECT_TRUE(ProfileWritten());
}

TEST_F(AddressPageLogicTest, SynchronisationEndsWithASavedProfile) {
    // Duplicates stop it before anything goes to the service.
    Contact("A", "0905000001");
    Contact("B", "00421905000001");
    CScriptedSyncUi ui;
    ImmediateCallRunner runner;
    bool finished = false;
    EXPECT_TRUE(logic.Synchronize(runner, ui, [&] { finished = true; }));
    EXPECT_TRUE(finished);
    ASSERT_FALSE(ui.events.empty());
    EXPECT_EQ(ui.events.front().rfind("duplicates", 0), 0u);
    EXPECT_TRUE(ProfileWritten());
}

} // namespace
