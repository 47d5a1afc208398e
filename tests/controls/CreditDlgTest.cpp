#include "controls/CreditDlg.h"
#include "service/CallCanceller.h"
#include "service/KvwsDbException.h"

#include "FakeCreditAccount.h"
#include "GuiWait.h"
#include "ScriptedMessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>

namespace {

using Answer = IMessageBox::Answer;

const StringTable kHost{{300, "Error sending request\n\nError E%d"},
                        {165, "Služba je dočasne nedostupná"},
                        {166, "Chyba pri komunikácii s Velora"}};

class CreditDialog : public testing::Test {
protected:
    CreditDialog() {
        m_account.list = {{50, false, {{100, 0.5f, "EUR"}}},
                          {100, false, {}},
                          {500, true, {{900, 0.0f, ""}, {700, 2.5f, "EUR"}}}};
    }

    template <class W> W* Find(const char* name) {
        W* widget = m_dialog.findChild<W*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // Shown, with the amounts filled by a call on the dialog's own thread.
    void Open() {
        m_dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_dialog));
        ASSERT_TRUE(WaitUntil([&] { return Amounts()->count() > 0 && !Busy(); }));
    }
    bool Busy() const { return QApplication::overrideCursor() != nullptr; }
    QComboBox* Amounts() { return Find<QComboBox>("amountComboBox"); }
    QComboBox* Points() { return Find<QComboBox>("pointsComboBox"); }
    QCheckBox* Club() { return Find<QCheckBox>("clubCheckBox"); }
    QPushButton* Reload() { return Find<QPushButton>("reloadButton"); }
    QPushButton* Verify() { return Find<QPushButton>("verifyButton"); }
    QLineEdit* Code() { return Find<QLineEdit>("codeLineEdit"); }
    void Click(QPushButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_TRUE(WaitUntil([&] { return !Busy(); }));
    }

    FakeCreditAccount m_account;
    ScriptedMessageBox m_boxes;
    CCreditDlg m_dialog{m_account, kHost, {}, m_boxes};
};

TEST_F(CreditDialog, ShowsItsControlsWithNamesAndChoosesFirst) {
    Open();
    for (QWidget* widget : m_dialog.findChildren<QWidget*>()) {
        if (widget->isWidgetType() && !widget->objectName().isEmpty() &&
            widget->objectName() != QLatin1String("dialogButtonBox")) {
            EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->objectName().toStdString();
        }
    }
    EXPECT_EQ(m_dialog.windowTitle(), QStringLiteral("Reload Credit"));
    EXPECT_EQ(Amounts()->count(), 2);
    EXPECT_EQ(Amounts()->currentText(), QStringLiteral("50 PK"));
    EXPECT_FALSE(Points()->isVisible());
    EXPECT_TRUE(Reload()->isEnabled());
    EXPECT_TRUE(Reload()->isDefault());
    EXPECT_FALSE(Verify()->isEnabled());
    EXPECT_FALSE(Code()->isEnabled());
    EXPECT_EQ(Code()->maxLength(), 20);
}

TEST_F(CreditDialog, TheClubBoxShowsThePointsOfTheChosenAmount) {
    Open();
    QTest::mouseClick(Club(), Qt::LeftButton, {}, QPoint(4, Club()->height() / 2));
    ASSERT_TRUE(WaitUntil([&] { return Points()->isVisible(); }));
    EXPECT_EQ(Amounts()->count(), 3);
    EXPECT_EQ(Points()->count(), 1);
    Amounts()->setFocus();
    QTest::keyClick(Amounts(), Qt::Key_End);
    EXPECT_EQ(Amounts()->currentText(), QStringLiteral("500 PK"));
    ASSERT_EQ(Points()->count(), 2);
    EXPECT_EQ(Points()->itemText(0), QStringLiteral("900 bodov, doplatok 0.00 Sk bez DPH"));
    QTest::keyClick(Points(), Qt::Key_Down);
    Click(Reload());
    ASSERT_EQ(m_account.asks.size(), 1u);
    EXPECT_EQ(m_account.asks[0].amount, 500);
    EXPECT_EQ(m_account.asks[0].points, 700);

    QTest::mouseClick(Club(), Qt::LeftButton, {}, QPoint(4, Club()->height() / 2));
    EXPECT_TRUE(Points()->isVisible()) << "the choice is fixed while verifying";
}

TEST_F(CreditDialog, TwoStepsWithTheKeyboardAndAWrongCodeOnTheWay) {
    Open();
    Click(Reload());
    EXPECT_EQ(m_boxes.ShownIds(), std::vector<int>{4});
    EXPECT_FALSE(Reload()->isEnabled());
    EXPECT_FALSE(Amounts()->isEnabled());
    EXPECT_FALSE(Club()->isEnabled());
    EXPECT_TRUE(Verify()->isDefault());
    EXPECT_EQ(m_dialog.focusWidget(), Code());

    m_account.checkStatuses = {58};
    m_boxes.AnswerNext(Answer::Yes);
    QTest::keyClicks(Code(), "wrong");
    QTest::keyClick(Code(), Qt::Key_Return);
    ASSERT_TRUE(WaitUntil([&] { return !Busy(); }));
    ASSERT_EQ(m_account.checks.size(), 1u);
    EXPECT_EQ(m_account.checks[0].code, "wrong");
    EXPECT_EQ(m_boxes.Last().stringId, 7);
    EXPECT_TRUE(Reload()->isDefault());
    EXPECT_TRUE(Code()->text().isEmpty());
    EXPECT_FALSE(Code()->isEnabled());

    Click(Reload());
    QTest::keyClicks(Code(), "right");
    Click(Verify());
    EXPECT_EQ(m_boxes.Last().stringId, 6);
    EXPECT_FALSE(m_dialog.isVisible());
    EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
}

TEST_F(CreditDialog, ClosingAsksWhileARequestIsPendingAndCancelsARunningCall) {
    Open();
    Click(Reload());
    m_boxes.Clear();
    QTest::keyClick(&m_dialog, Qt::Key_Escape);
    EXPECT_EQ(m_boxes.ShownIds(), std::vector<int>{3});
    EXPECT_TRUE(m_dialog.isVisible()) << "No is the default answer";

    // A check that waits on the service: closing the window ends it, then asks.
    m_account.during = [] { CallCanceller::Current()->WaitCancelled(std::chrono::seconds(30)); };
    QTest::keyClicks(Code(), "code");
    QTest::mouseClick(Verify(), Qt::LeftButton);
    ASSERT_TRUE(Busy());
    m_boxes.AnswerNext(Answer::Yes);
    m_dialog.close();
    EXPECT_FALSE(Busy());
    EXPECT_FALSE(m_dialog.isVisible());
    EXPECT_EQ(m_dialog.result(), QDialog::Rejected);
    EXPECT_EQ(m_boxes.ShownIds(), (std::vector<int>{3, 3}));
}

TEST_F(CreditDialog, AListThatCannotBeFetchedEndsTheModalDialog) {
    m_account.failNext = std::make_exception_ptr(CKvwsDbException());
    EXPECT_EQ(m_dialog.DoModal(), QDialog::Rejected);
    EXPECT_EQ(m_boxes.Last().stringId, 165);
}

} // namespace
