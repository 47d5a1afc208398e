// The compose page's widgets, and one send against the simulated service over HTTPS.
#include "ScriptedMessageBox.h"
#include "SimulatorProcess.h"
#include "TestSupport.h"

#include "controls/ControlsText.h"
#include "logic/ISmsPageDialogs.h"
#include "model/SmsAddressBook.h"
#include "model/SmsArchive.h"
#include "model/SmsArchiveItem.h"
#include "model/SmsUserInfo.h"
#include "platform/Paths.h"
#include "service/CurlTransport.h"
#include "windows/NumberChoiceDlg.h"
#include "windows/RecipientChooserDlg.h"
#include "windows/SmsPage.h"
#include "windows/WidgetSmsPageDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>

namespace {

// Runs act on the next modal dialog once it is open.
void OnNextModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        act(dialog);
    });
}

class SmsPageTest : public ::testing::Test {
protected:
    SmsPageTest() {
        CSmsAddressBook& book = user.GetAddressBook();
        book.AddContact("Eva", "0903111111", "");
        book.AddContact("Jana", "0903222222", "0903333333");
        book.AddGroup("Rodina");
        book.AddGroupMember("Rodina", "Eva");
    }
    void Open() {
        page = std::make_unique<SmsPage>(user, boxes, dialogs);
        page->show();
        combo = page->findChild<QComboBox*>("recipientComboBox");
        tree = page->findChild<QTreeWidget*>("recipientTreeWidget");
        text = page->findChild<QPlainTextEdit*>("messageTextEdit");
        ASSERT_TRUE(combo && tree && text);
    }
    void Type(const QString& recipient) {
        combo->setFocus();
        QTest::keyClicks(combo->lineEdit(), recipient);
    }
    QStringList Rows() const {
        QStringList rows;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            rows << tree->topLevelItem(i)->text(0);
        return rows;
    }

    ScopedDataHome dataHome;
    CSmsUserInfo user{"jan", "1.6", "QLN"};
    ScriptedMessageBox boxes;
    WidgetSmsPageDialogs dialogs{user, nullptr};
    std::unique_ptr<SmsPage> page;
    QComboBox* combo = nullptr;
    QTreeWidget* tree = nullptr;
    QPlainTextEdit* text = nullptr;
};

TEST_F(SmsPageTest, RecipientsAreAddedWithEnterAndTheAddButtonAndRemovedWithDelete) {
    Open();
    Type("0903 123 456");
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(combo->currentText().isEmpty());
    Type("rodina");
    QTest::mouseClick(page->findChild<QPushButton*>("addButton"), Qt::LeftButton);
    Type("0903 123 456"); // the same number again is refused
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(Rows(), (QStringList{"0903123456", "Rodina"}));
    EXPECT_TRUE(boxes.Shown().empty());
    // The history offers what was added.
    EXPECT_EQ(combo->count(), 2);

    Type("Nikto");
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{141}));
    EXPECT_EQ(combo->lineEdit()->selectedText(), QStringLiteral("Nikto"));

    tree->setFocus();
    tree->setCurrentItem(tree->topLevelItem(0));
    QTest::keyClick(tree, Qt::Key_Delete);
    EXPECT_EQ(Rows(), (QStringList{"Rodina"}));
}

TEST_F(SmsPageTest, EnterKeyModesAndEmoticons) {
    Open();
    text->setFocus();
    QTest::keyClicks(text, "a");
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClicks(text, "b");
    EXPECT_EQ(page->Editor().GetText(), "a\r\nb");
    QTest::keyClick(text, Qt::Key_Return, Qt::ControlModifier); // sends: no recipient
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{142}));

    user.SetEnterKeyMode(CSmsUserInfo::EnterSends);
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClick(text, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{142, 142}));
    EXPECT_EQ(page->Editor().GetText(), "a\r\nb\r\n");

    auto* wink = page->findChild<QToolButton*>("winkEmoticonButton");
    ASSERT_NE(wink, nullptr);
    EXPECT_EQ(wink->toolTip(), QStringLiteral("Žmurknutie ;-)"));
    QTest::mouseClick(wink, Qt::LeftButton);
    EXPECT_EQ(page->Editor().GetText(), "a\r\nb\r\n;-)");

    auto* flash = page->findChild<QCheckBox*>("flashCheckBox");
    page->Editor().SetText("");
    text->setFocus();
    QTest::keyClick(text, Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(flash->isChecked());
}

TEST_F(SmsPageTest, NumberChoiceDialogPicksTheSecondNumber) {
    Open();
    OnNextModal([](QWidget* dialog) {
        ASSERT_NE(qobject_cast<NumberChoiceDlg*>(dialog), nullptr);
        auto* second = dialog->findChild<QRadioButton*>("secondNumberRadioButton");
        EXPECT_TRUE(second->text().contains("0903333333"));
        second->setChecked(true);
        QTest::mouseClick(dialog->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    Type("Jana");
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    ASSERT_EQ(page->Flow().Entries().size(), 1u);
    EXPECT_TRUE(page->Flow().Entries()[0].IsSecondNumber());

    OnNextModal([](QWidget* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>("dontAddButton"), Qt::LeftButton);
    });
    Type("Jana");
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(page->Flow().Entries().size(), 1u);
}

TEST_F(SmsPageTest, ChooserAddsContactLinesAndGroupsAndReplacesTheEntries) {
    Open();
    Type("0903123456");
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    OnNextModal([](QWidget* dialog) {
        ASSERT_NE(qobject_cast<RecipientChooserDlg*>(dialog), nullptr);
        auto* contacts = dialog->findChild<QListWidget*>("contactsListWidget");
        ASSERT_EQ(contacts->count(), 3); // Jana has a line for each number
        auto* chosen = dialog->findChild<QTreeWidget*>("chosenTreeWidget");
        EXPECT_EQ(chosen->topLevelItemCount(), 1);
        chosen->topLevelItem(0)->setSelected(true);
        QTest::mouseClick(dialog->findChild<QPushButton*>("removeButton"), Qt::LeftButton);
        contacts->item(0)->setSelected(true);
        contacts->item(2)->setSelected(true);
        QTest::mouseClick(dialog->findChild<QPushButton*>("addContactsButton"), Qt::LeftButton);
        // Twice: nothing new.
        QTest::mouseClick(dialog->findChild<QPushButton*>("addContactsButton"), Qt::LeftButton);
        auto* groups = dialog->findChild<QListWidget*>("groupsListWidget");
        groups->setFocus();
        groups->item(0)->setSelected(true);
        QTest::keyClick(groups, Qt::Key_Return);
        EXPECT_EQ(chosen->topLevelItemCount(), 3);
        QTest::mouseClick(dialog->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    QTest::mouseClick(page->findChild<QPushButton*>("fromBookButton"), Qt::LeftButton);
    ASSERT_EQ(Rows().size(), 3);
    EXPECT_TRUE(Rows()[0].startsWith("Eva"));
    EXPECT_EQ(Rows()[2], "Rodina");
    EXPECT_TRUE(page->Flow().Entries()[1].IsSecondNumber());
}

TEST_F(SmsPageTest, SendsToTwoNumbersWithReportsAndFilesTheIds) {
    TempDir simHome;
    SimulatorProcess sim(QUILLON_SIM_PATH, {"--state", (simHome.Path() / "sim").string(),
                                            "--account", "jan:secret:421905111222"});
    user.SetPassword("secret");
    user.SetDeliveryReport(1);
    user.SetTransport(std::make_shared<CurlTransport>(TransportOptions{sim.Url(), sim.CaFile()}));
    ASSERT_EQ(user.KvwsLogin(true), 0);
    Open();
    QSignalSpy credit(page.get(), &SmsPage::creditChanged);
    Type("0905111001");
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    Type("0905111002");
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    text->setFocus();
    QTest::keyClicks(text, "Ahoj");
    auto* send = page->findChild<QPushButton*>("sendButton");
    QTest::mouseClick(send, Qt::LeftButton);
    EXPECT_FALSE(send->isEnabled()); // sending, the window still responds
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.Shown().empty(); }, 30000));
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{167}));
    EXPECT_TRUE(send->isEnabled());
    EXPECT_TRUE(Rows().isEmpty());
    EXPECT_TRUE(page->Editor().GetText().empty());

    std::vector<std::string> numbers;
    {
        const std::lock_guard lock(user.GetArchive().GetMutex());
        CSmsArchive& archive = user.GetArchive();
        ASSERT_EQ(archive.GetItemCount(), 2);
        for (int i = 0; i < 2; ++i) {
            const CSmsRecipientInfo* recipient = archive.GetItem(i)->GetRecipient(0);
            EXPECT_NE(recipient->GetSmsId(), 0);
            EXPECT_EQ(archive.GetItem(i)->GetSmsText(), "Ahoj");
            numbers.push_back(recipient->GetTranslatedNr());
        }
    }
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(numbers, (std::vector<std::string>{"421905111001", "421905111002"}));
    // Without postpaid sending the message was paid from the portal credit.
    EXPECT_EQ(credit.count(), 1);
}

// What the compose page files, against the service: a group member whose number is no number is
// left out, a number reached through a contact, a group and typed goes three times, nothing is
// filed or saved with archiving off, and a schedule that is not confirmed sends nothing.
TEST_F(SmsPageTest, WhatIsSentAndFiledAgainstTheService) {
    TempDir simHome;
    SimulatorProcess sim(QUILLON_SIM_PATH, {"--state", (simHome.Path() / "sim").string(),
                                            "--account", "jan:secret:421905111222"});
    user.GetAddressBook().AddContact("Zlý", "12", "");
    user.GetAddressBook().AddGroupMember("Rodina", "Zlý");
    user.SetPassword("secret");
    user.SetDeliveryReport(1);
    user.SetTransport(std::make_shared<CurlTransport>(TransportOptions{sim.Url(), sim.CaFile()}));
    ASSERT_EQ(user.KvwsLogin(true), 0);
    Open();
    const auto send = [&] {
        text->setFocus();
        page->Editor().SetText("Ahoj");
        QTest::mouseClick(page->findChild<QPushButton*>("sendButton"), Qt::LeftButton);
    };
    const auto addAll = [&] {
        for (const char* recipient : {"Eva", "Rodina", "0903111111"}) {
            Type(QString::fromUtf8(recipient));
            QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        }
        ASSERT_EQ(Rows().size(), 3);
    };

    // Archiving off: sent, but nothing filed and the profile never written.
    user.SetDoArchive(0);
    addAll();
    send();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.Shown().empty(); }, 30000));
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{167}));
    EXPECT_EQ(user.GetArchive().GetItemCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(GetConfigDir(false, false) + "UserData/jan.dat"));

    // "Odošli neskôr" and the scheduling dialog cancelled: nothing sent, the page as it was.
    user.SetDoArchive(1);
    addAll();
    page->findChild<QCheckBox*>("sendLaterCheckBox")->setChecked(true);
    OnNextModal([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    send();
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{167}));
    EXPECT_EQ(Rows().size(), 3);
    EXPECT_EQ(page->Editor().GetText(), "Ahoj");

    page->findChild<QCheckBox*>("sendLaterCheckBox")->setChecked(false);
    send();
    ASSERT_TRUE(QTest::qWaitFor([&] { return boxes.Shown().size() == 2; }, 30000));
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{167, 167}));
    const std::lock_guard lock(user.GetArchive().GetMutex());
    CSmsArchive& archive = user.GetArchive();
    ASSERT_EQ(archive.GetItemCount(), 3);
    std::multiset<std::string> filed;
    for (int i = 0; i < archive.GetItemCount(); ++i) {
        const CSmsArchiveItem* item = archive.GetItem(i);
        if (!item->GetGroupName().empty()) {
            // The group's item lists only the member the service took.
            ASSERT_EQ(item->GetRecipientCount(), 1);
            EXPECT_EQ(item->GetRecipient(0)->GetOrigNr(), "Eva");
        }
        filed.insert(item->GetGroupName().empty() ? item->GetRecipient(0)->GetOrigNr()
                                                  : item->GetGroupName());
        EXPECT_EQ(item->GetRecipient(0)->GetTranslatedNr(), "421903111111");
    }
    EXPECT_EQ(filed, (std::multiset<std::string>{"Eva", "Rodina", "0903111111"}));
}

} // namespace
