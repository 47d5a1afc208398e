// The contacts and groups pages' windows: the list, the dialogs driven as a user does, the keys,
// the group assignment, the export to a file.
#include "AddressBookFixture.h"
#include "ScriptedSyncUi.h"

#include "logic/ProgramStrings.h"
#include "windows/AddressBookModel.h"
#include "windows/AddressPage.h"
#include "windows/GroupPage.h"
#include "windows/WidgetAddressPageDialogs.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <fstream>
#include <functional>
#include <sstream>

namespace {

using Answer = IMessageBox::Answer;

template <class T> T* Child(QWidget* parent, const char* name) {
    auto* child = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

// Fills in the modal dialog when it shows, then presses its button.
void WhenModal(const std::function<void(QDialog&)>& fill, const char* button = "okButton") {
    QTimer::singleShot(0, [fill, button] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        fill(*dialog);
        QTest::mouseClick(Child<QPushButton>(dialog, button), Qt::LeftButton);
    });
}

void Type(QDialog& dialog, const char* field, const QString& text) {
    auto* edit = Child<QLineEdit>(&dialog, field);
    edit->selectAll();
    // QtTest types ASCII only; other letters arrive as an input method would put them.
    bool ascii = true;
    for (const QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii)
        QTest::keyClicks(edit, text);
    else
        edit->insert(text);
}

QStringList Texts(QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

class AddressPagesTest : public AddressBookFixture {
protected:
    std::unique_ptr<AddressPage> MakeAddressPage() {
        auto page = std::make_unique<AddressPage>(user, boxes, windows, syncUi);
        tester = std::make_unique<QAbstractItemModelTester>(
            page->Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        page->resize(700, 500);
        page->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(page.get()));
        return page;
    }
    std::unique_ptr<GroupPage> MakeGroupPage() {
        auto page = std::make_unique<GroupPage>(user, boxes, windows);
        page->resize(700, 400);
        page->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(page.get()));
        return page;
    }
    static QStringList Names(AddressPage& page) {
        QStringList names;
        for (int row = 0; row < page.Model()->rowCount(); ++row)
            names << page.Model()->index(row, 0).data().toString();
        return names;
    }
    static void Click(QWidget* page, const char* button) {
        QTest::mouseClick(Child<QPushButton>(page, button), Qt::LeftButton);
    }

    WidgetAddressPageDialogs windows{user, boxes, nullptr};
    CScriptedSyncUi syncUi;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(AddressPagesTest, ContactsAreSortedIgnoringCaseAndButtonsFollowTheSelection) {
    Contact("cyril", "0905000003");
    Contact(Utf8TextToAnsi("Beáta"), "0905000002", "0905999999");
    Contact("adam", "0905000001");
    auto page = MakeAddressPage();

    EXPECT_EQ(Names(*page), (QStringList{"adam", QString::fromUtf8("Beáta"), "cyril"}));
    EXPECT_EQ(page->Model()->index(1, 2).data().toString(), "0905999999");
    EXPECT_EQ(page->Model()->headerData(1, Qt::Horizontal).toString(),
              QString::fromUtf8("Telefón 1"));
    EXPECT_FALSE(Child<QPushButton>(page.get(), "editButton")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>(page.get(), "newButton")->isDefault());

    Click(page.get(), "selectAllButton");
    EXPECT_EQ(page->SelectedIds().size(), 3u);
    EXPECT_TRUE(Child<QPushButton>(page.get(), "deleteButton")->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(page.get(), "addToGroupButton")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>(page.get(), "removeFromGroupButton")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>(page.get(), "editButton")->isDefault());
}

TEST_F(AddressPagesTest, NewEditAndDeleteThroughTheDialogAndTheKeys) {
    Contact("Zuzana", "0905000009");
    auto page = MakeAddressPage();

    // No number: the dialog says so and stays; then only number 2, which becomes number 1.
    WhenModal([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Nový kontakt"));
        Type(dialog, "nameLineEdit", QString::fromUtf8("Ján Šťastný"));
        QTimer::singleShot(0, [&dialog] {
            Type(dialog, "phone2LineEdit", "0905 123 456");
            QTest::mouseClick(Child<QPushButton>(&dialog, "okButton"), Qt::LeftButton);
        });
    });
    Click(page.get(), "newButton");
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{ProgramString::NoPhoneNumber}));
    const CSmsAddressBookItem* jan = Named(Utf8TextToAnsi("Ján Šťastný"));
    ASSERT_NE(jan, nullptr);
    EXPECT_EQ(jan->GetPhone1(), "0905 123 456");
    EXPECT_EQ(jan->GetPhone2(), "");
    EXPECT_EQ(page->SelectedIds(), (std::vector<std::uint32_t>{jan->GetID()}));

    // Enter on the list edits the selected contact.
    auto* view = Child<QTreeView>(page.get(), "contactsTreeView");
    WhenModal([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Úprava kontaktu"));
        EXPECT_EQ(Child<QLineEdit>(&dialog, "phone1LineEdit")->text(), "0905 123 456");
        Type(dialog, "nameLineEdit", "Adam");
    });
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(Names(*page), (QStringList{"Adam", "Zuzana"}));

    // Delete asks; No keeps it, Yes deletes.
    boxes.AnswerNext(Answer::No);
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(page->Model()->rowCount(), 2);
    EXPECT_EQ(boxes.Last().stringId, ProgramString::DeleteContact);
    boxes.AnswerNext(Answer::Yes);
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(Names(*page), (QStringList{"Zuzana"}));
    EXPECT_FALSE(Child<QPushButton>(page.get(), "editButton")->isEnabled());
}

TEST_F(AddressPagesTest, ABadNumberKeepsTheDialogOnThatField) {
    ContactFields fields{"Eva", "0905000001", ""};
    bool typedAgain = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        Type(*dialog, "phone2LineEdit", "12ab");
        QTest::mouseClick(Child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        auto* phone2 = Child<QLineEdit>(dialog, "phone2LineEdit");
        EXPECT_EQ(dialog->focusWidget(), phone2);
        EXPECT_EQ(phone2->selectedText(), "12ab");
        typedAgain = true;
        Type(*dialog, "phone2LineEdit", "0905000002");
        QTest::mouseClick(Child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    });
    ASSERT_TRUE(windows.EditContact(fields, false));
    EXPECT_TRUE(typedAgain);
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{ProgramString::BadNumberFormat}));
    EXPECT_EQ(boxes.Last().icon, IMessageBox::Icon::Exclamation);
    EXPECT_EQ(fields.phone2, "0905000002");
}

TEST_F(AddressPagesTest, TheGroupAssignmentMovesTheContactInAndOut) {
    const std::uint32_t eva = Contact("Eva", "0905000001");
    Group("Rodina", {"Eva"});
    Group(Utf8TextToAnsi("Práca"));
    auto page = MakeAddressPage();
    auto* memberOf = Child<QListWidget>(page.get(), "memberOfListWidget");
    auto* others = Child<QListWidget>(page.get(), "otherGroupsListWidget");
    EXPECT_TRUE(Texts(memberOf).isEmpty());
    EXPECT_EQ(Texts(others).size(), 2);

    page->Select({eva});
    EXPECT_EQ(Texts(memberOf), QStringList{"Rodina"});
    others->setCurrentRow(0);
    Click(page.get(), "addToGroupButton");
    EXPECT_EQ(Texts(memberOf), (QStringList{"Rodina", QString::fromUtf8("Práca")}));
    EXPECT_TRUE(Texts(others).isEmpty());
    EXPECT_TRUE(Book().GetGroup(1)->IsMember("Eva"));

    memberOf->setCurrentRow(0);
    Click(page.get(), "removeFromGroupButton");
    EXPECT_EQ(Texts(memberOf), QStringList{QString::fromUtf8("Práca")});
    EXPECT_FALSE(Book().GetGroup(0)->IsMember("Eva"));
}

TEST_F(AddressPagesTest, ExportWritesTheChosenFile) {
    Contact("Novák, Ján", "0905000001");
    Group("Rodina", {"Novák, Ján"});
    auto page = MakeAddressPage();
    const std::string path = (dataHome.Path() / "kontakty").string();
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->defaultSuffix(), "csv");
        EXPECT_TRUE(dialog->nameFilters().front().contains("*.csv"));
        dialog->selectFile(QString::fromStdString(path));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    Click(page.get(), "exportButton");
    std::ifstream file(path + ".csv");
    std::stringstream written;
    written << file.rdbuf();
    EXPECT_EQ(written.str(), "\"Novák, Ján\",0905000001,,Rodina\n");
}

TEST_F(AddressPagesTest, TheGroupsPageAddsRenamesAndDeletesGroupsAndMembers) {
    Contact("Eva", "0905000001");
    Contact("Ivan", "0905000002");
    Group("Rodina", {"Eva"});
    auto page = MakeGroupPage();
    auto* groups = Child<QListWidget>(page.get(), "groupsListWidget");
    auto* members = Child<QListWidget>(page.get(), "membersListWidget");
    auto* people = Child<QListWidget>(page.get(), "peopleListWidget");
    EXPECT_FALSE(Child<QPushButton>(page.get(), "editButton")->isEnabled());
    EXPECT_EQ(Texts(people), (QStringList{"Eva", "Ivan"}));

    WhenModal([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Nová skupina"));
        Type(dialog, "nameLineEdit", "Futbal");
    });
    Click(page.get(), "newButton");
    EXPECT_EQ(Texts(groups), (QStringList{"Rodina", "Futbal"}));
    EXPECT_EQ(page->SelectedGroup(), 1);
    EXPECT_TRUE(Child<QPushButton>(page.get(), "addMemberButton")->isEnabled());

    // A double-click on a person makes a member; on a member lets it go.
    const QPoint ivan = people->visualItemRect(people->item(1)).center();
    QTest::mouseClick(people->viewport(), Qt::LeftButton, {}, ivan);
    QTest::mouseDClick(people->viewport(), Qt::LeftButton, {}, ivan);
    EXPECT_EQ(Texts(members), QStringList{"Ivan"});
    EXPECT_EQ(Texts(people), QStringList{"Eva"});
    members->setCurrentRow(0);
    Click(page.get(), "removeMemberButton");
    EXPECT_TRUE(Texts(members).isEmpty());

    // Renaming to a taken name and No leaves the old one.
    boxes.AnswerNext(Answer::No);
    WhenModal([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Úprava skupiny"));
        Type(dialog, "nameLineEdit", "Rodina");
    });
    QTest::keyClick(groups, Qt::Key_Return);
    EXPECT_EQ(boxes.Last().stringId, ProgramString::GroupNameTaken);
    EXPECT_EQ(Texts(groups), (QStringList{"Rodina", "Futbal"}));

    boxes.AnswerNext(Answer::Yes);
    QTest::keyClick(groups, Qt::Key_Delete);
    EXPECT_EQ(Texts(groups), QStringList{"Rodina"});
    EXPECT_FALSE(Child<QPushButton>(page.get(), "deleteButton")->isEnabled());
    EXPECT_EQ(Texts(people), (QStringList{"Eva", "Ivan"}));
}

TEST_F(AddressPagesTest, TheGroupsPageFollowsAReload) {
    auto page = MakeGroupPage();
    Group(Utf8TextToAnsi("Nová"));
    page->Reload();
    EXPECT_EQ(Texts(Child<QListWidget>(page.get(), "groupsListWidget")),
              QStringList{QString::fromUtf8("Nová")});
}

} // namespace
