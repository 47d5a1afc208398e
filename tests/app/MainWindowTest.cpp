#include "MainWindowFixture.h"

#include "AnswerExit.h"
#include "windows/AddressPage.h"
#include "windows/CaptionStripWidget.h"
#include "windows/ExitConfirmDlg.h"
#include "windows/GroupPage.h"
#include "windows/NoticeDlg.h"
#include "windows/SentItemsPage.h"
#include "windows/SettingsPage.h"
#include "windows/SmsPage.h"

#include "controls/ControlsText.h"
#include "frontend/IBackgroundEvents.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include <thread>

namespace {

constexpr std::int64_t kNow = 1741604400;

// Closes any modal window that comes up soon and counts it, so a test that expects none never
// hangs on one.
struct ModalWatch {
    ModalWatch() {
        QTimer::singleShot(0, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ++opened;
                modal->close();
            }
        });
    }
    int opened = 0;
};

void SendMouse(QWidget* target, QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

QPoint Centre(const StripRect& r) {
    return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

class MainWindowTest : public MainWindowFixture {
protected:
    void SetUp() override {
        window = MakeWindow(WithoutWorker());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    CaptionStripWidget* Strip() const { return window->findChild<CaptionStripWidget*>(); }
    QSystemTrayIcon* Tray() const { return window->findChild<QSystemTrayIcon*>("trayIcon"); }
    // Presses a part of the caption strip, moves to another (or stays) and releases there.
    void ClickStrip(const StripRect& press, const StripRect& release) {
        CaptionStripWidget* strip = Strip();
        SendMouse(strip, QEvent::MouseButtonPress, Centre(press), Qt::LeftButton);
        SendMouse(strip, QEvent::MouseMove, Centre(release), Qt::LeftButton);
        SendMouse(strip, QEvent::MouseButtonRelease, Centre(release), Qt::NoButton);
    }
    QRgb StripPixel() const {
        const QImage picture = Strip()->grab().toImage();
        return picture.pixel(picture.width() / 2, 5);
    }

    std::unique_ptr<MainWindow> window;
};

} // namespace

TEST_F(MainWindowTest, ShowsSixPagesTheUserAndItsOwnCaption) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillon"));
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(Strip()->height(), 22);
    EXPECT_EQ(Strip()->width(), window->width() - 2); // inside the window's frame

    auto* pages = window->findChild<QTabWidget*>("pagesTabWidget");
    ASSERT_NE(pages, nullptr);
    const QStringList captions = {"SMS",    "Kontakty",   "Skupiny ľudí",
                                  "Archív", "Nastavenia", "Pomoc"};
    const QStringList names = {"smsPage",       "addressPage",  "groupPage",
                               "sentItemsPage", "settingsPage", "aboutPage"};
    ASSERT_EQ(pages->count(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(pages->tabText(i), captions[i]);
        EXPECT_EQ(pages->widget(i)->objectName(), names[i]);
    }
    EXPECT_EQ(window->findChild<QLabel*>("statusLabel")->text(),
              QStringLiteral("Prihlásený: jan.novak"));
    EXPECT_EQ(window->findChild<QPushButton*>("exitButton")->text(), QStringLiteral("&Koniec"));

    window->ShowPage(MainWindow::Page::SentItems);
    EXPECT_EQ(pages->currentIndex(), 3);
    // A real page takes the placeholder's tab.
    auto* about = new QLabel("O programe");
    window->SetPage(MainWindow::Page::About, about);
    EXPECT_EQ(window->PageWidget(MainWindow::Page::About), about);
    EXPECT_EQ(pages->tabText(5), QStringLiteral("Pomoc"));
    EXPECT_EQ(pages->count(), 6);
}

TEST_F(MainWindowTest, ExitButtonAsksFirstYesEndsNoKeepsTheWindow) {
    QSignalSpy finished(window.get(), &MainWindow::finished);
    auto* exit = window->findChild<QPushButton*>("exitButton");

    AnswerExit(false, "noButton");
    QTest::mouseClick(exit, Qt::LeftButton);
    EXPECT_EQ(finished.count(), 0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(Config().ConfirmExit());

    AnswerExit(false, "yesButton");
    QTest::mouseClick(exit, Qt::LeftButton);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, TheBoxStopsTheQuestionWhateverTheAnswer) {
    QSignalSpy finished(window.get(), &MainWindow::finished);
    AnswerExit(true, "noButton");
    QTest::mouseClick(window->findChild<QPushButton*>("exitButton"), Qt::LeftButton);
    EXPECT_EQ(finished.count(), 0);
    EXPECT_FALSE(Config().ConfirmExit());

    // Asked no more: the strip's close button ends the program at once.
    ModalWatch none;
    ClickStrip(Strip()->Strip().CloseButton(), Strip()->Strip().CloseButton());
    EXPECT_EQ(none.opened, 0);
    EXPECT_EQ(finished.count(), 1);
}

TEST_F(MainWindowTest, CloseButtonAltF4AndTheWindowManagerGoThroughTheExitQuestion) {
    QSignalSpy finished(window.get(), &MainWindow::finished);
    AnswerExit(false, "noButton");
    ClickStrip(Strip()->Strip().CloseButton(), Strip()->Strip().CloseButton());
    EXPECT_EQ(finished.count(), 0);

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    AnswerExit(false, "noButton");
    QTest::keyClick(window.get(), Qt::Key_F4, Qt::AltModifier);
    EXPECT_EQ(finished.count(), 0);

    AnswerExit(false, "noButton");
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(finished.count(), 0);

    AnswerExit(false, "yesButton");
    window->close();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(window->isVisible());
    // Once ended, the window manager's close is taken without a question.
    ModalWatch none;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(none.opened, 0);
    EXPECT_EQ(finished.count(), 1);
}

TEST_F(MainWindowTest, EscapeNeverClosesTheWindow) {
    QSignalSpy finished(window.get(), &MainWindow::finished);
    ModalWatch none;
    QTest::keyClick(window.get(), Qt::Key_Escape);
    QTest::keyClick(window->findChild<QPushButton*>("exitButton"), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(none.opened, 0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(finished.count(), 0);
}

TEST_F(MainWindowTest, MinimiseGoesIntoTheTrayAndADoubleClickBringsItBack) {
    Config().SetMinToTray(true);
    trayAvailable = true;
    ClickStrip(Strip()->Strip().MinimiseButton(), Strip()->Strip().MinimiseButton());
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->IsHiddenInTray());
    EXPECT_TRUE(Tray()->isVisible());
    EXPECT_EQ(Tray()->toolTip(), QStringLiteral("Velora Quillon"));

    emit Tray()->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isMinimized());
    EXPECT_FALSE(window->IsHiddenInTray());
    EXPECT_FALSE(Tray()->isVisible());
}

TEST_F(MainWindowTest, WithoutATrayOrWithoutMinToTrayItIsAnOrdinaryMinimisedWindow) {
    Config().SetMinToTray(true);
    trayAvailable = false;
    ClickStrip(Strip()->Strip().MinimiseButton(), Strip()->Strip().MinimiseButton());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isMinimized());
    EXPECT_FALSE(Tray()->isVisible());

    window->showNormal();
    Config().SetMinToTray(false);
    trayAvailable = true;
    window->Minimise();
    QApplication::processEvents();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isMinimized());
    EXPECT_FALSE(Tray()->isVisible());
}

TEST_F(MainWindowTest, MovingOffTheButtonBeforeReleaseDoesNothing) {
    Config().SetMinToTray(true);
    trayAvailable = true;
    const CaptionStrip& strip = Strip()->Strip();
    const StripRect bare{200, 2, 210, 20};
    ClickStrip(strip.MinimiseButton(), bare);
    ModalWatch none;
    ClickStrip(strip.CloseButton(), strip.MinimiseButton());
    QApplication::processEvents();
    EXPECT_EQ(none.opened, 0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isMinimized());
    EXPECT_FALSE(Tray()->isVisible());
}

TEST_F(MainWindowTest, PressedButtonIsDrawnUntilTheMouseLeavesIt) {
    CaptionStripWidget* strip = Strip();
    const QPoint close = Centre(strip->Strip().CloseButton());
    const QRgb normal = strip->grab().toImage().pixel(close.x() - 6, close.y());
    SendMouse(strip, QEvent::MouseButtonPress, close, Qt::LeftButton);
    EXPECT_NE(strip->grab().toImage().pixel(close.x() - 6, close.y()), normal);
    SendMouse(strip, QEvent::MouseMove, QPoint(200, 10), Qt::LeftButton);
    EXPECT_EQ(strip->grab().toImage().pixel(close.x() - 6, close.y()), normal);
    SendMouse(strip, QEvent::MouseButtonRelease, QPoint(200, 10), Qt::NoButton);
}

TEST_F(MainWindowTest, CaptionIsWhiteWhileActiveAndGreyWhileNot) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(Strip()->Strip().IsActive());
    EXPECT_EQ(StripPixel(), qRgb(255, 255, 255));

    QWidget other;
    other.setGeometry(50, 50, 200, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Strip()->Strip().IsActive(); }));
    EXPECT_EQ(StripPixel(), qRgb(238, 238, 238));

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(StripPixel(), qRgb(255, 255, 255));
}

TEST_F(MainWindowTest, EveryTabHoldsItsPage) {
    EXPECT_NE(window->findChild<AddressPage*>("addressPage"), nullptr);
    EXPECT_NE(window->findChild<GroupPage*>("groupPage"), nullptr);
    EXPECT_NE(window->findChild<SettingsPage*>("settingsPage"), nullptr);
    EXPECT_NE(window->findChild<QWidget*>("aboutPage"), nullptr);
}

// Leaving the settings page checks and stores them; a refused value keeps the user there, also
// from the exit button.
TEST_F(MainWindowTest, ARefusedSettingKeepsTheSettingsPageAndTheWindow) {
    auto* pages = window->findChild<QTabWidget*>("pagesTabWidget");
    window->ShowPage(MainWindow::Page::Settings);
    auto* settings = window->findChild<SettingsPage*>("settingsPage");
    settings->findChild<QRadioButton*>("byAgeRadioButton")->click();
    auto* days = settings->findChild<QLineEdit*>("maxDaysLineEdit");
    days->setText(QStringLiteral("1000"));
    emit days->textEdited(days->text());

    window->ShowPage(MainWindow::Page::Sms);
    EXPECT_EQ(pages->currentIndex(), static_cast<int>(MainWindow::Page::Settings));
    ASSERT_FALSE(boxes.Shown().empty());
    EXPECT_EQ(boxes.Last().stringId, 155);

    QSignalSpy finished(window.get(), &MainWindow::finished);
    window->Exit();
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(pages->currentIndex(), static_cast<int>(MainWindow::Page::Settings));

    days->setText(QStringLiteral("999"));
    emit days->textEdited(days->text());
    window->ShowPage(MainWindow::Page::About);
    EXPECT_EQ(pages->currentIndex(), static_cast<int>(MainWindow::Page::About));
    EXPECT_EQ(user.GetMaxDays(), 999u);
}

TEST_F(MainWindowTest, AltFTogglesFlashAnywhereOnTheComposePage) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* compose = window->findChild<SmsPage*>("smsPage");
    auto* recipient = compose->findChild<QComboBox*>("recipientComboBox");
    recipient->setFocus();
    // Through the window system, as a key press comes, so that the window's shortcuts see it;
    // the flash box's mnemonic clicks it a moment later, as buttons do.
    QTest::keyClick(window->windowHandle(), Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return compose->Editor().IsFlash(); }, 5000));
    QTest::keyClick(window->windowHandle(), Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !compose->Editor().IsFlash(); }, 5000));
}

TEST_F(MainWindowTest, TheArchivePagesForwardFillsTheComposePage) {
    window->ShowPage(MainWindow::Page::SentItems);
    auto* archive = window->findChild<SentItemsPage*>();
    ASSERT_NE(archive, nullptr);
    emit archive->forwardRequested(QStringLiteral("Ahoj, ako sa máš?"), true);
    EXPECT_EQ(window->findChild<QTabWidget*>("pagesTabWidget")->currentIndex(), 0);
    auto* compose = window->findChild<SmsPage*>("smsPage");
    EXPECT_EQ(ToQString(compose->Editor().GetText()), QStringLiteral("Ahoj, ako sa máš?"));
    EXPECT_TRUE(compose->Editor().IsFlash());
}

TEST_F(MainWindowTest, ComposeBringsTheWindowBackOnTheSmsPage) {
    Config().SetMinToTray(true);
    trayAvailable = true;
    window->ShowPage(MainWindow::Page::Settings);
    window->Minimise();
    ASSERT_TRUE(window->IsHiddenInTray());

    window->Compose(ComposeRequest{{"+421905111001", "0905111002"}, "Ahoj"});
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(Tray()->isVisible());
    EXPECT_EQ(window->findChild<QTabWidget*>("pagesTabWidget")->currentIndex(), 0);
    // The compose page has the link's recipients and text.
    auto* page = window->findChild<SmsPage*>("smsPage");
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->Flow().Entries().size(), 2u);
    EXPECT_EQ(page->Flow().Entries()[1].display, "0905111002");
    EXPECT_EQ(page->Editor().GetText(), "Ahoj");
}

TEST_F(MainWindowTest, WorkerReportsArriveOnTheWindowsThread) {
    QSignalSpy refreshed(window.get(), &MainWindow::tokenRefreshed);
    QSignalSpy changed(window.get(), &MainWindow::archiveItemChanged);
    std::vector<QThread*> threads;
    QObject::connect(window.get(), &MainWindow::archiveItemChanged, window.get(),
                     [&] { threads.push_back(QThread::currentThread()); });

    IBackgroundEvents& events = window->BackgroundEvents();
    std::thread worker([&] {
        events.TokenRefreshed();
        events.ArchiveItemChanged(ArchiveItemKey{true, 77});
        events.DeliveriesReported(DeliveryCounts{});
        events.DeliveriesReported(DeliveryCounts{2, 1, 0});
    });
    worker.join();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !notifier.calls.empty(); }));
    EXPECT_EQ(refreshed.count(), 1);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<ArchiveItemKey>(), (ArchiveItemKey{true, 77}));
    EXPECT_EQ(threads, std::vector<QThread*>{qApp->thread()});
    // One notification, for the pass that reported something.
    EXPECT_EQ(notifier.calls, std::vector<DeliveryCounts>{(DeliveryCounts{2, 1, 0})});
    EXPECT_TRUE(notifier.onWindowThread);
}

// Windows that start elsewhere than on the screen.
class MainWindowStart : public MainWindowFixture {};

TEST_F(MainWindowStart, ShownNormallyItIsReadyOnce) {
    auto window = MakeWindow(WithoutWorker());
    QSignalSpy ready(window.get(), &MainWindow::ready);
    window->show();
    EXPECT_TRUE(ready.wait());
    window->hide();
    window->show();
    QApplication::processEvents();
    EXPECT_EQ(ready.count(), 1);
}

TEST_F(MainWindowStart, HiddenItShowsOnlyTheTrayIconAndComesBackCentred) {
    trayAvailable = true;
    MainWindowOptions options = WithoutWorker();
    options.startHidden = true;
    auto window = MakeWindow(options);
    QSignalSpy ready(window.get(), &MainWindow::ready);
    EXPECT_TRUE(ready.wait());
    EXPECT_FALSE(window->isVisible());
    auto* tray = window->findChild<QSystemTrayIcon*>("trayIcon");
    EXPECT_TRUE(tray->isVisible());

    emit tray->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(tray->isVisible());
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_LE((window->geometry().center() - screen.center()).manhattanLength(), 2);
}

TEST_F(MainWindowStart, HiddenWithoutATrayItStartsMinimised) {
    trayAvailable = false;
    MainWindowOptions options = WithoutWorker();
    options.startHidden = true;
    auto window = MakeWindow(options);
    QSignalSpy ready(window.get(), &MainWindow::ready);
    EXPECT_TRUE(ready.wait());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isMinimized());
    EXPECT_FALSE(window->findChild<QSystemTrayIcon*>("trayIcon")->isVisible());
}

TEST_F(MainWindowStart, TheNoticeComesOnceAfterTheWindowFirstShows) {
    FixedClock clock(kNow);
    user.SetShowNotice(1);
    user.SetLastNoticeTime(kNow - 8 * 24 * 3600);
    int notices = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* notice = qobject_cast<NoticeDlg*>(QApplication::activeModalWidget())) {
            ++notices;
            notice->reject();
        }
    });
    closer.start(10);

    trayAvailable = true;
    MainWindowOptions options = WithoutWorker();
    options.startHidden = true;
    auto window = MakeWindow(options);
    QSignalSpy ready(window.get(), &MainWindow::ready);
    ASSERT_TRUE(ready.wait());
    // Not while it is in the tray.
    QApplication::processEvents();
    EXPECT_EQ(notices, 0);

    window->RestoreFromTray();
    EXPECT_TRUE(QTest::qWaitFor([&] { return notices == 1; }));
    EXPECT_EQ(user.GetLastNoticeTime(), kNow);

    // Once per run, even when it is due again.
    user.SetLastNoticeTime(0);
    window->hide();
    window->show();
    QTest::qWait(50);
    EXPECT_EQ(notices, 1);
}
