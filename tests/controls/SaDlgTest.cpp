#include "controls/SaDlg.h"
#include "model/SmsUserInfo.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A click on the box itself (the widget is as wide as the dialog, its box is at the left).
void Tick(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
}

// Ticks the box (when asked) and presses Enter in the notice once it is up.
void AnswerNotice(bool tick) {
    QTimer::singleShot(0, [tick] {
        auto* dialog = qobject_cast<CSaDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (tick)
            Tick(dialog->findChild<QCheckBox*>("dontShowAgainCheckBox"));
        QTest::keyClick(dialog, Qt::Key_Return);
    });
}

TEST(SaDialog, ShowsTheCoresTextWithTheWarningIconAndItsBox) {
    CSaDlg dialog;
    const auto* text = dialog.findChild<QLabel*>("textLabel");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->text().startsWith(QStringLiteral("Ak ste zákazník")));
    const auto* icon = dialog.findChild<QLabel*>("iconLabel");
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->pixmap().isNull());
    const auto* box = dialog.findChild<QCheckBox*>("dontShowAgainCheckBox");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("&Viackrát nezobrazovať"));
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(dialog.findChild<QPushButton*>("okButton")->accessibleName().isEmpty());
}

TEST(SaDialog, ReturnsItsResultAndTheBoxForTheCaller) {
    CSaDlg dialog;
    AnswerNotice(true);
    EXPECT_EQ(dialog.DoModal(), QDialog::Accepted);
    EXPECT_EQ(dialog.DontShowAgain(), 1);

    // Escape ends it without taking the box.
    CSaDlg closed;
    QTimer::singleShot(0, [] {
        auto* modal = QApplication::activeModalWidget();
        Tick(modal->findChild<QCheckBox*>("dontShowAgainCheckBox"));
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    EXPECT_EQ(closed.DoModal(), QDialog::Rejected);
    EXPECT_EQ(closed.DontShowAgain(), 0);
}

TEST(SaDialog, OfferedToAUserWithoutPostpaidUntilTheBoxIsTicked) {
    CSmsUserInfo user("eva", "1.1", "QLN");
    AnswerNotice(true);
    EXPECT_TRUE(CSaDlg::Offer(user, nullptr));
    EXPECT_EQ(user.ShowSA(), 0);
    EXPECT_FALSE(CSaDlg::Offer(user, nullptr));
}

} // namespace
