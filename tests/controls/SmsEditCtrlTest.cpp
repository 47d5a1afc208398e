#include "controls/SmsEditCtrl.h"

#include "../platform/ScopedEnv.h"
#include "ScriptedMessageBox.h"
#include "frontend/ISmsEditOwner.h"
#include "model/CoreTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Answer = IMessageBox::Answer;

// A dialog around the control that answers the owner keys as told and notes them.
class OwnerDialog : public QDialog, public ISmsEditOwner {
public:
    bool OnSmsAbort(char key) override {
        keys.push_back(key);
        return mayProcess;
    }
    std::vector<char> keys;
    bool mayProcess = true;
};

// The control in a shown, active dialog, with the code page fixed and questions scripted.
class SmsEditCtrlTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.setLayout(new QVBoxLayout);
        ASSERT_TRUE(ctrl->Create(QRect(0, 0, 300, 120), &dialog, 100));
        dialog.layout()->addWidget(ctrl);
        ctrl->SetMessageBox(&boxes);
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        edit()->setFocus();
    }

    QPlainTextEdit* edit() const { return ctrl->findChild<QPlainTextEdit*>("messageTextEdit"); }
    QCheckBox* flashBox() const { return ctrl->findChild<QCheckBox*>("flashCheckBox"); }
    QString lengthCounter() const { return ctrl->findChild<QLabel*>("lengthCounterLabel")->text(); }
    QString partCounter() const { return ctrl->findChild<QLabel*>("partCounterLabel")->text(); }

    void Paste(const QString& text) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(edit(), Qt::Key_V, Qt::ControlModifier);
    }

    ScopedEnv codePage{"QUILLON_ANSI_CODEPAGE", "1250"};
    OwnerDialog dialog;
    CSmsEditCtrl* ctrl = new CSmsEditCtrl;
    ScriptedMessageBox boxes;
};

// Types characters that QTest's key names lack, as a keyboard layout would deliver them.
void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

std::string Chars(std::size_t count) {
    return std::string(count, 'x');
}

} // namespace

TEST_F(SmsEditCtrlTest, CountersFollowTypingAndLineBreaksCountTwiceInTheField) {
    EXPECT_EQ(lengthCounter(), "Pocet znakov");
    EXPECT_EQ(partCounter(), "Pocet SMS-iek");
    EXPECT_EQ(flashBox()->text(), "&Flash SMS");
    EXPECT_TRUE(ctrl->HasFocus());

    QTest::keyClicks(edit(), "ab");
    EXPECT_EQ(lengthCounter(), QString::fromUtf8("Dĺžka: 2/468"));
    EXPECT_EQ(partCounter(), QString::fromUtf8("Počet SMS: 1/3"));

    QTest::keyClick(edit(), Qt::Key_Return);
    QTest::keyClicks(edit(), QString(158, 'y'));
    EXPECT_EQ(ctrl->GetText(), "ab\r\n" + std::string(158, 'y'));
    EXPECT_EQ(ctrl->GetTextLength(), 162);
    EXPECT_EQ(lengthCounter(), QString::fromUtf8("Dĺžka: 161/468"));
    EXPECT_EQ(ctrl->GetSmsCount(), 2);
    EXPECT_EQ(partCounter(), QString::fromUtf8("Počet SMS: 2/3"));
    EXPECT_EQ(dialog.keys, std::vector<char>{13});
}

TEST_F(SmsEditCtrlTest, TypedAccentsBecomePlainAndTypingStopsAtTheLimit) {
    TypeText(edit(), QString::fromUtf8("čaj € ß"));
    EXPECT_EQ(edit()->toPlainText(), "caj  ");

    ctrl->SetText(Chars(466));
    edit()->moveCursor(QTextCursor::End);
    QTest::keyClick(edit(), Qt::Key_Return);
    QTest::keyClicks(edit(), "abc");
    EXPECT_EQ(ctrl->GetText(), Chars(466) + "\r\n");
    EXPECT_EQ(ctrl->GetTextLength(), 468);
    QTest::keyClick(edit(), Qt::Key_Backspace);
    QTest::keyClicks(edit(), "abc");
    EXPECT_EQ(ctrl->GetText(), Chars(466) + "ab");
}

TEST_F(SmsEditCtrlTest, InputMethodTextPassesTheSameFilter) {
    // A dead key shows its accent while composing, then commits the letter.
    QInputMethodEvent composing(QStringLiteral("\u02C7"), {});
    QApplication::sendEvent(edit(), &composing);
    QInputMethodEvent committed;
    committed.setCommitString(QString::fromUtf8("čü€ж"));
    QApplication::sendEvent(edit(), &committed);
    EXPECT_EQ(edit()->toPlainText(), "cu");

    ctrl->SetText(Chars(467));
    edit()->moveCursor(QTextCursor::End);
    QInputMethodEvent tooMuch;
    tooMuch.setCommitString(QStringLiteral("abc"));
    QApplication::sendEvent(edit(), &tooMuch);
    EXPECT_EQ(ctrl->GetText(), Chars(467) + "a");
}

TEST_F(SmsEditCtrlTest, OwnerKeysAreSwallowedWhenTheOwnerSaysSo) {
    dialog.mayProcess = false;
    QTest::keyClicks(edit(), "a");
    QTest::keyClick(edit(), Qt::Key_Return);
    QTest::keyClick(edit(), Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(edit(), Qt::Key_Tab);
    QTest::keyClick(edit(), Qt::Key_Escape);
    EXPECT_EQ(dialog.keys, (std::vector<char>{13, 10, 9, 27}));
    EXPECT_EQ(ctrl->GetText(), "a");
    EXPECT_TRUE(ctrl->HasFocus());
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(SmsEditCtrlTest, ProcessedKeysBreakLinesMoveTheFocusAndReachTheDialog) {
    QTest::keyClick(edit(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(ctrl->GetText(), "\r\n");

    QTest::keyClick(edit(), Qt::Key_Tab);
    EXPECT_TRUE(flashBox()->hasFocus());
    QTest::keyClick(flashBox(), Qt::Key_Backtab);
    EXPECT_TRUE(ctrl->HasFocus());
    QTest::keyClick(edit(), Qt::Key_Backtab);
    EXPECT_FALSE(ctrl->HasFocus()) << "Shift+Tab leaves backwards";
    edit()->setFocus();

    QSignalSpy rejected(&dialog, &QDialog::rejected);
    QTest::keyClick(edit(), Qt::Key_Escape);
    EXPECT_EQ(rejected.count(), 1);
    EXPECT_EQ(dialog.keys, (std::vector<char>{10, 9, 9, 27}));
}

TEST_F(SmsEditCtrlTest, AltFInTheFieldAsksBeforeCuttingAndNoLeavesEverything) {
    ctrl->SetText(Chars(200));
    boxes.AnswerNext(Answer::No);
    QTest::keyClick(edit(), Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{int(CoreString::FlashTooLong)});
    EXPECT_FALSE(ctrl->IsFlash());
    EXPECT_EQ(ctrl->GetText(), Chars(200));
    EXPECT_EQ(ctrl->GetLimitText(), 468);

    boxes.AnswerNext(Answer::Yes);
    QTest::keyClick(edit(), Qt::Key_F, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_TRUE(ctrl->IsFlash());
    EXPECT_EQ(ctrl->GetText(), Chars(160));
    EXPECT_EQ(ctrl->GetLimitText(), 160);
    EXPECT_EQ(lengthCounter(), QString::fromUtf8("Dĺžka: 160/160"));
    EXPECT_EQ(partCounter(), QString::fromUtf8("Počet SMS: 1/1"));
    QTest::keyClicks(edit(), "more");
    EXPECT_EQ(ctrl->GetTextLength(), 160);
    EXPECT_EQ(edit()->toPlainText(), QString(160, 'x'));
}

TEST_F(SmsEditCtrlTest, AltFOnTheControlAndAClickOnTheBoxRunTheCheck) {
    flashBox()->setFocus();
    QTest::keyClick(flashBox(), Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(ctrl->IsFlash());
    EXPECT_TRUE(boxes.Shown().empty()) << "an empty text fits";
    EXPECT_TRUE(ctrl->HasFocus()) << "the focus goes back to the field";
    QTest::keyClick(ctrl, Qt::Key_F, Qt::AltModifier);
    EXPECT_FALSE(ctrl->IsFlash());

    ctrl->SetText(Chars(161));
    boxes.AnswerNext(Answer::No);
    QTest::mouseClick(flashBox(), Qt::LeftButton);
    EXPECT_EQ(boxes.Shown().size(), 1u);
    EXPECT_FALSE(ctrl->IsFlash());
    EXPECT_EQ(ctrl->GetTextLength(), 161);

    // Setting the state checks nothing.
    ctrl->SetFlash(true);
    EXPECT_EQ(ctrl->GetTextLength(), 161);
    EXPECT_EQ(ctrl->GetMaxUserCharCount(), 160);
    EXPECT_EQ(boxes.Shown().size(), 1u);
}

TEST_F(SmsEditCtrlTest, PasteIsCleanedAndTheCaretStaysAfterIt) {
    ctrl->SetText("ab\xE9\x80"
                  "cd"); // a program's "abé€cd"
    ctrl->SetSel(2, 2);
    Paste(QString::fromUtf8("x\tčÝ😀y"));
    EXPECT_EQ(edit()->toPlainText(), "abx cYyecd");
    EXPECT_EQ(edit()->textCursor().position(), 7);

    QTest::keyClick(edit(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ctrl->GetText(), "ab\xE9\x80"
                               "cd")
        << "one step to undo";
}

TEST_F(SmsEditCtrlTest, BadClipboardDataNeverBreaksTheLimits) {
    Paste(QString(3 << 20, QChar('m')));
    EXPECT_EQ(ctrl->GetTextLength(), 468);

    ctrl->SetText("");
    auto* mime = new QMimeData;
    mime->setData("text/plain", QByteArray("\xFF\xFE"
                                           "a\0b\x01\x1B\xC3"
                                           "c\r\nd",
                                           13));
    QApplication::clipboard()->setMimeData(mime);
    QTest::keyClick(edit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(ctrl->GetText(), "abc\r\nd");

    // A program's text longer than the limit, with NUL and controls.
    ctrl->SetText(std::string("a\0b", 3) + Chars(1 << 20));
    EXPECT_EQ(ctrl->GetTextLength(), 468);
}

TEST_F(SmsEditCtrlTest, DummyTextLengthCutsAndLimits) {
    ctrl->SetText(Chars(450));
    ctrl->SetDummyTextLen(20);
    EXPECT_EQ(ctrl->GetTextLength(), 405);
    EXPECT_EQ(lengthCounter(), QString::fromUtf8("Dĺžka: 405/405"));

    ctrl->SetDummyTextLen(1000);
    EXPECT_EQ(ctrl->GetTextLength(), 0);
    QTest::keyClicks(edit(), "abc");
    Paste("abc");
    EXPECT_EQ(ctrl->GetTextLength(), 0);
    EXPECT_EQ(lengthCounter(), QString::fromUtf8("Dĺžka: 0/0"));
}

TEST_F(SmsEditCtrlTest, SelectionPositionsCountLineBreaksTwice) {
    ctrl->SetText("ab\r\ncd");
    ctrl->SetSel(4, -1);
    EXPECT_EQ(edit()->textCursor().selectedText(), "cd");
    ctrl->SetSel(-1, 0);
    EXPECT_FALSE(edit()->textCursor().hasSelection());
}

namespace {

// A hosted control over an owner window with a field of its own.
class HostedSmsEditCtrlTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner.setLayout(new QVBoxLayout);
        owner.layout()->addWidget(other);
        owner.show();
        ASSERT_TRUE(ctrl->Create(QRect(10, 10, 300, 120), &owner, 1, true));
        ctrl->show();
        ctrl->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ctrl));
        ctrl->setFocus();
    }
    void TearDown() override { CoreTexts::UseBuiltIn(); }

    QPlainTextEdit* edit() const { return ctrl->findChild<QPlainTextEdit*>("messageTextEdit"); }

    QWidget owner;
    QLineEdit* other = new QLineEdit;
    CSmsEditCtrl* ctrl = new CSmsEditCtrl;
};

} // namespace

TEST_F(HostedSmsEditCtrlTest, IsAFramelessWindowThatReportsCountersAndFocusLoss) {
    EXPECT_TRUE(ctrl->isWindow());
    EXPECT_TRUE(ctrl->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(ctrl->parentWidget(), &owner);
    EXPECT_EQ(ctrl->GetDlgCtrlID(), 1);

    QSignalSpy counters(ctrl, &CSmsEditCtrl::countersUpdated);
    QSignalSpy focusLeft(ctrl, &CSmsEditCtrl::focusLeft);
    QTest::keyClicks(edit(), "abc");
    EXPECT_EQ(counters.count(), 3);

    ctrl->findChild<QCheckBox*>("flashCheckBox")->setFocus();
    edit()->setFocus();
    EXPECT_EQ(focusLeft.count(), 0) << "the flash box is the control's own";

    // Another window of the host takes the focus.
    QApplication::setActiveWindow(&owner);
    other->setFocus();
    ASSERT_TRUE(other->hasFocus());
    ASSERT_GE(focusLeft.count(), 1);
    EXPECT_NE(focusLeft.first().first().value<QWidget*>(), edit());
}

TEST_F(HostedSmsEditCtrlTest, NoFocusLossIsReportedWhileTheFlashQuestionIsOpen) {
    ctrl->SetText(Chars(200));
    QSignalSpy focusLeft(ctrl, &CSmsEditCtrl::focusLeft);
    bool asked = false;
    QTimer::singleShot(0, [&asked] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        asked = true;
        box->button(QMessageBox::No)->click();
    });
    ctrl->ToggleFlash();
    EXPECT_TRUE(asked);
    EXPECT_FALSE(ctrl->IsFlash());
    EXPECT_EQ(focusLeft.count(), 0);
}

TEST_F(HostedSmsEditCtrlTest, KeepsTheTextsInForceAtCreation) {
    CSmsEditCtrl child;
    child.Create(QRect(), &owner, 2);
    CoreTexts::UseLanguage(
        LanguageResources{"English", "1", {{1, "SMS count: %d/%d"}, {2, "Length: %d/%d"}}, {}});
    QTest::keyClicks(edit(), "ab");
    EXPECT_EQ(ctrl->findChild<QLabel*>("lengthCounterLabel")->text(),
              QString::fromUtf8("Dĺžka: 2/468"));
    child.SetText("ab");
    EXPECT_EQ(child.findChild<QLabel*>("lengthCounterLabel")->text(), "Length: 2/468");
    EXPECT_EQ(child.findChild<QLabel*>("partCounterLabel")->text(), "SMS count: 1/3");
}
