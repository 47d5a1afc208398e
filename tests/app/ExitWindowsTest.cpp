#include "AnswerExit.h"
#include "windows/ExitConfirmDlg.h"
#include "windows/NoticeDlg.h"

#include "TestSupport.h"
#include "logic/NoticeSchedule.h"
#include "model/SmsConfig.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDeadlineTimer>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

class ExitButton : public ::testing::Test {
protected:
    ScopedDataHome dataHome;
    CSmsConfig config;
};

TEST_F(ExitButton, YesEndsTheProgramAndTheBoxStopsTheQuestion) {
    config.SetConfirmExit(true);
    AnswerExit(true, "yesButton");
    EXPECT_TRUE(ExitConfirmDlg::ExitButton(config, nullptr));
    EXPECT_FALSE(config.ConfirmExit());

    // Asked no more: the program ends without a dialog.
    EXPECT_TRUE(ExitConfirmDlg::ExitButton(config, nullptr));
    EXPECT_FALSE(config.ConfirmExit());
}

TEST_F(ExitButton, NoKeepsTheProgramRunningAndTheQuestionComesAgain) {
    config.SetConfirmExit(true);
    AnswerExit(false, "noButton");
    EXPECT_FALSE(ExitConfirmDlg::ExitButton(config, nullptr));
    EXPECT_TRUE(config.ConfirmExit());

    AnswerExit(true, "noButton");
    EXPECT_FALSE(ExitConfirmDlg::ExitButton(config, nullptr));
    EXPECT_FALSE(config.ConfirmExit());
}

TEST_F(ExitButton, EnterTakesNo) {
    config.SetConfirmExit(true);
    AnswerExit(false, nullptr);
    EXPECT_FALSE(ExitConfirmDlg::ExitButton(config, nullptr));
    EXPECT_TRUE(config.ConfirmExit());
}

TEST(ExitConfirmDialog, ShowsTheQuestionWithNamedControls) {
    ExitConfirmDlg dialog;
    EXPECT_EQ(dialog.findChild<QPushButton*>("yesButton")->text(), QStringLiteral("Áno"));
    auto* no = dialog.findChild<QPushButton*>("noButton");
    EXPECT_EQ(no->text(), QStringLiteral("Nie"));
    EXPECT_TRUE(no->isDefault());
    auto* box = dialog.findChild<QCheckBox*>("dontAskAgainCheckBox");
    EXPECT_EQ(box->text(), QStringLiteral("&Viackrát nezobrazovať"));
    EXPECT_FALSE(box->isChecked());
    for (const QWidget* control : dialog.findChildren<QWidget*>())
        EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
}

// Records every place the window takes once it is shown.
class GeometryLog : public QObject {
public:
    std::vector<QRect> places;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            m_shown = true;
        if (m_shown && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
            places.push_back(static_cast<QWidget*>(watched)->geometry());
        return false;
    }

private:
    bool m_shown = false;
};

bool WaitUntil(const std::function<bool()>& condition) {
    const QDeadlineTimer deadline(30000);
    while (!condition() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

class NoticeWindow : public ::testing::Test {
protected:
    void SetUp() override {
        owner.setGeometry(100, 80, 900, 700);
        owner.show();
    }
    QWidget owner;
};

TEST_F(NoticeWindow, SlidesUpToTheOwnersCentreWithoutReachingBelowIt) {
    NoticeDlg notice(QString::fromStdString(NoticePage("", "Velora Quillon")), &owner);
    GeometryLog log;
    notice.installEventFilter(&log);
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(WaitUntil([&] { return notice.HasArrived(); }));
        QTest::keyClick(&notice, Qt::Key_Escape);
    });
    EXPECT_EQ(notice.exec(), QDialog::Rejected);

    const QRect area = owner.frameGeometry();
    const QRect place = notice.geometry();
    EXPECT_EQ(place.center().x(), area.center().x());
    EXPECT_LE(std::abs(place.center().y() - area.center().y()), 1);
    ASSERT_GT(log.places.size(), 3U);
    EXPECT_EQ(log.places.back(), place);
    for (const QRect& rect : log.places)
        EXPECT_LE(rect.bottom(), area.bottom()) << rect.y() << "+" << rect.height();
    // It rises: every place is at or above the one before.
    for (std::size_t i = 1; i < log.places.size(); ++i)
        EXPECT_LE(log.places[i].top(), log.places[i - 1].top());
}

TEST_F(NoticeWindow, ShowsThePageWithoutContextMenuAndClosesOnItsButton) {
    NoticeDlg notice(QString::fromStdString(NoticePage("<html><body><p>Nová <b>verzia</b></p>"
                                                       "</body></html>",
                                                       "")),
                     &owner);
    auto* browser = notice.findChild<QTextBrowser*>("noticeTextBrowser");
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->toPlainText().trimmed(), QStringLiteral("Nová verzia"));
    EXPECT_EQ(browser->contextMenuPolicy(), Qt::NoContextMenu);

    bool menuShown = false;
    QTimer::singleShot(0, [&] {
        notice.Arrive();
        // A right click on the page: any menu that opened is noted and closed.
        QTimer::singleShot(0, [&] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                menuShown = true;
                popup->close();
            }
        });
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(10, 10),
                                browser->viewport()->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(browser->viewport(), &click);
        QApplication::processEvents();
        QTest::mouseClick(notice.findChild<QPushButton*>("closeButton"), Qt::LeftButton);
    });
    EXPECT_EQ(notice.exec(), QDialog::Rejected);
    EXPECT_FALSE(menuShown);
    EXPECT_TRUE(notice.HasArrived());
}

} // namespace
