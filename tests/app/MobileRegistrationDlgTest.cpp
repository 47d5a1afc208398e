#include "windows/MobileRegistrationDlg.h"
#include "controls/WindowCallRunner.h"
#include "frontend/ImmediateCallRunner.h"
#include "logic/ProgramStrings.h"
#include "service/KvwsDbException.h"

#include "../controls/GuiWait.h"
#include "FakeMobileAccount.h"
#include "ScriptedMessageBox.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

using Answer = IMessageBox::Answer;

class MobileRegistrationDialog : public testing::Test {
protected:
    template <class W> W* Find(const char* name) {
        W* widget = m_dialog.findChild<W*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* Number() { return Find<QLineEdit>("numberLineEdit"); }
    QLineEdit* Code() { return Find<QLineEdit>("codeLineEdit"); }
    QPushButton* Send() { return Find<QPushButton>("sendRequestButton"); }
    QPushButton* Verify() { return Find<QPushButton>("verifyButton"); }
    QPushButton* Close() { return Find<QPushButton>("closeButton"); }

    void ExpectEntering() {
        EXPECT_TRUE(Number()->isEnabled());
        EXPECT_TRUE(Send()->isEnabled());
        EXPECT_TRUE(Send()->isDefault());
        EXPECT_FALSE(Code()->isEnabled());
        EXPECT_FALSE(Verify()->isEnabled());
        EXPECT_FALSE(Verify()->isDefault());
        EXPECT_EQ(m_dialog.Flow().GetRequestId(), 0);
    }
    void ExpectWaiting() {
        EXPECT_FALSE(Number()->isEnabled());
        EXPECT_FALSE(Send()->isEnabled());
        EXPECT_FALSE(Send()->isDefault());
        EXPECT_TRUE(Code()->isEnabled());
        EXPECT_TRUE(Verify()->isEnabled());
        EXPECT_TRUE(Verify()->isDefault());
    }
    // Shown, with the request for a number sent.
    void Requested() {
        m_dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_dialog));
        QTest::keyClicks(Number(), QStringLiteral("0905 123 456"));
        QTest::keyClick(Number(), Qt::Key_Return);
        m_boxes.Clear();
    }

    FakeMobileAccount m_account;
    ScriptedMessageBox m_boxes;
    MobileRegistrationDlg m_dialog{m_account, ProgramStrings(), m_boxes, nullptr,
                                   std::make_unique<ImmediateCallRunner>()};
};

TEST_F(MobileRegistrationDialog, StartsEnteringTheNumberAndNeedsOne) {
    EXPECT_EQ(m_dialog.windowTitle(), QStringLiteral("Registrácia mobilného čísla"));
    EXPECT_EQ(Send()->text(), QStringLiteral("&Odoslať požiadavku"));
    EXPECT_EQ(Verify()->text(), QStringLiteral("&Overiť"));
    EXPECT_EQ(Close()->text(), QStringLiteral("&Zavrieť okno"));
    EXPECT_EQ(Code()->maxLength(), 20);
    ExpectEntering();

    QTest::mouseClick(Send(), Qt::LeftButton);
    EXPECT_EQ(m_boxes.ShownIds(), std::vector<int>{ProgramString::NoNumber});
    EXPECT_TRUE(m_account.asks.empty());
    ExpectEntering();
}

TEST_F(MobileRegistrationDialog, SentRequestWaitsForTheCheckStringThatRegisters) {
    m_dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_dialog));
    QTest::keyClicks(Number(), QStringLiteral("0905 123 456"));
    QTest::keyClick(Number(), Qt::Key_Return); // the default button sends
    ASSERT_EQ(m_account.asks.size(), 1u);
    EXPECT_EQ(m_boxes.ShownIds(), std::vector<int>{ProgramString::RegistrationRequestSent});
    ExpectWaiting();
    EXPECT_EQ(m_dialog.focusWidget(), Code());

    // Without a check string nothing goes to the service.
    QTest::mouseClick(Verify(), Qt::LeftButton);
    EXPECT_EQ(m_boxes.Last().text, "Nezadali ste kontrolný reťazec");
    EXPECT_TRUE(m_account.checks.empty());

    QTest::keyClicks(Code(), QStringLiteral("ABC123"));
    QTest::keyClick(Code(), Qt::Key_Return);
    ASSERT_EQ(m_account.checks.size(), 1u);
    EXPECT_EQ(m_account.checks[0].code, "ABC123");
    EXPECT_EQ(m_account.checks[0].transaction, m_account.nextTransaction);
    EXPECT_EQ(m_boxes.ShownIds().back(), ProgramString::NumberRegistered);
    EXPECT_FALSE(m_account.phoneNr.empty());
    EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(m_dialog.isVisible());
}

TEST_F(MobileRegistrationDialog, WrongCheckStringStartsOverOrEnds) {
    Requested();
    m_account.checkStatuses = {MobileRegistrationFlow::kWrongCode};
    m_boxes.AnswerNext(Answer::Yes);
    QTest::keyClicks(Code(), QStringLiteral("zle"));
    QTest::mouseClick(Verify(), Qt::LeftButton);
    EXPECT_EQ(m_boxes.ShownIds(), std::vector<int>{ProgramString::WrongCheckString});
    ExpectEntering();
    EXPECT_TRUE(Code()->text().isEmpty());
    EXPECT_EQ(m_dialog.focusWidget(), Number());
    EXPECT_TRUE(m_dialog.isVisible());

    // Sent again, wrong again, and this time the user gives up.
    QTest::mouseClick(Send(), Qt::LeftButton);
    m_account.checkStatuses = {MobileRegistrationFlow::kWrongCode};
    m_boxes.AnswerNext(Answer::No);
    QTest::keyClicks(Code(), QStringLiteral("zle"));
    QTest::mouseClick(Verify(), Qt::LeftButton);
    EXPECT_EQ(m_dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(m_dialog.isVisible());
    EXPECT_TRUE(m_account.phoneNr.empty());
}

TEST_F(MobileRegistrationDialog, ClosingAPendingRequestAsksFirst) {
    Requested();
    // Unanswered, the question takes its default, No: the dialog stays.
    QTest::mouseClick(Close(), Qt::LeftButton);
    EXPECT_EQ(m_boxes.ShownIds(), std::vector<int>{ProgramString::StopRegistration});
    EXPECT_EQ(m_boxes.Last().defaultButton, Answer::No);
    EXPECT_TRUE(m_dialog.isVisible());
    EXPECT_TRUE(m_dialog.Flow().View().WaitsForCode());
    EXPECT_TRUE(Code()->isEnabled());

    m_boxes.AnswerNext(Answer::Yes);
    QTest::keyClick(&m_dialog, Qt::Key_Escape);
    EXPECT_EQ(m_dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(m_dialog.isVisible());
}

TEST_F(MobileRegistrationDialog, ClosingWithoutARequestAsksNothing) {
    m_dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_dialog));
    QTest::mouseClick(Close(), Qt::LeftButton);
    EXPECT_TRUE(m_boxes.Shown().empty());
    EXPECT_FALSE(m_dialog.isVisible());
    EXPECT_EQ(m_dialog.result(), QDialog::Rejected);
}

TEST_F(MobileRegistrationDialog, FailedCallGoesBackToTheNumber) {
    Requested();
    m_account.failNext = std::make_exception_ptr(CKvwsDbException());
    QTest::keyClicks(Code(), QStringLiteral("ABC"));
    QTest::mouseClick(Verify(), Qt::LeftButton);
    EXPECT_EQ(m_boxes.Last().text, "Služba je dočasne nedostupná");
    ExpectEntering();
    EXPECT_TRUE(m_dialog.isVisible());
}

TEST(MobileRegistrationDialogThread, RequestRunsOffTheWindowThread) {
    FakeMobileAccount account;
    ScriptedMessageBox boxes;
    MobileRegistrationDlg dialog(account, ProgramStrings(), boxes);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* number = dialog.findChild<QLineEdit*>("numberLineEdit");
    QTest::keyClicks(number, QStringLiteral("0905123456"));
    QTest::keyClick(number, Qt::Key_Return);
    ASSERT_TRUE(WaitUntil([&] { return dialog.Flow().View().WaitsForCode(); }));
    EXPECT_EQ(dialog.Flow().GetRequestId(), account.nextTransaction);
    EXPECT_TRUE(dialog.findChild<QLineEdit*>("codeLineEdit")->isEnabled());
    EXPECT_TRUE(dialog.findChild<QPushButton*>("verifyButton")->isDefault());
}

} // namespace
