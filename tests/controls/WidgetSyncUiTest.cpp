#include "GuiWait.h"

#include "ScriptedMessageBox.h"
#include "controls/WidgetSyncUi.h"
#include "controls/WindowCallRunner.h"
#include "model/CoreStrings.h"
#include "service/KvwsSoapException.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

namespace {

using Number = IAddressBookSyncUi::NumberConflictChoice;
using Name = IAddressBookSyncUi::NameConflictChoice;

const StringTable kProgramTexts{
    {165, "Service unavailable"},
    {166, "Communication failed"},
    {300, "Refused E%d"},
    {310, "Wrong name or password"},
};

// Does what a user does in the next modal dialog once it is up.
void WhenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        act(modal);
    });
}

void Click(QWidget* dialog, const char* name) {
    auto* button = dialog->findChild<QAbstractButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

QString LabelText(QWidget* dialog, const char* name) {
    auto* label = dialog->findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("<none>");
}

struct SyncUiTest : ::testing::Test {
    QWidget window;
    ScriptedMessageBox boxes;
    WidgetSyncUi ui{boxes, kProgramTexts, &window};

    SyncUiTest() {
        window.resize(500, 400);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
};

TEST_F(SyncUiTest, TheModeDialogPreselectsTheFirstModeAndAnswersTheCheckedOneOrNothing) {
    WhenModal([](QWidget* dialog) {
        EXPECT_EQ(dialog->objectName(), "syncModeDialog");
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Synchronizácia s Portella"));
        auto* first = dialog->findChild<QRadioButton*>("obkToLocalRadioButton");
        ASSERT_NE(first, nullptr);
        EXPECT_TRUE(first->isChecked());
        EXPECT_EQ(first->text(),
                  QStringLiteral("Prepísať adresár v Quillon-i adresárom z &Portella"));
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    EXPECT_EQ(ui.AskMode(), CAddressBookSync::ObToQln);

    WhenModal([](QWidget* dialog) {
        Click(dialog, "mergeRadioButton");
        Click(dialog, "okButton");
    });
    EXPECT_EQ(ui.AskMode(), CAddressBookSync::Merge);

    // Storno, and Escape after choosing another mode, answer nothing.
    WhenModal([](QWidget* dialog) {
        EXPECT_EQ(dialog->findChild<QPushButton*>("cancelButton")->text(), "Storno");
        Click(dialog, "cancelButton");
    });
    EXPECT_EQ(ui.AskMode(), std::nullopt);
    WhenModal([](QWidget* dialog) {
        Click(dialog, "localToObkRadioButton");
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(ui.AskMode(), std::nullopt);
}

TEST_F(SyncUiTest, TheNumberConflictShowsBothNamesAndEndingTheSynchronisationIsAnAnswer) {
    WhenModal([](QWidget* dialog) {
        EXPECT_EQ(dialog->objectName(), "numberConflictDialog");
        EXPECT_EQ(LabelText(dialog, "contactNameLabel"), "Jan Novak");
        EXPECT_EQ(LabelText(dialog, "aliasNameLabel"), "Jano");
        EXPECT_TRUE(dialog->findChild<QRadioButton*>("deleteAliasRadioButton")->isChecked());
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    EXPECT_EQ(ui.AskNumberConflict("Jan Novak", "Jano"), Number::DeleteAlias);

    WhenModal([](QWidget* dialog) {
        Click(dialog, "deleteContactRadioButton");
        Click(dialog, "okButton");
    });
    EXPECT_EQ(ui.AskNumberConflict("Jan", "Jano"), Number::DeleteContact);
    WhenModal([](QWidget* dialog) {
        Click(dialog, "ignoreRadioButton");
        Click(dialog, "okButton");
    });
    EXPECT_EQ(ui.AskNumberConflict("Jan", "Jano"), Number::Ignore);

    WhenModal([](QWidget* dialog) {
        auto* end = dialog->findChild<QPushButton*>("endSyncButton");
        EXPECT_EQ(end->text(), QStringLiteral("Ukončiť synchronizáciu"));
        Click(dialog, "ignoreRadioButton");
        Click(dialog, "endSyncButton");
    });
    EXPECT_EQ(ui.AskNumberConflict("Jan", "Jano"), Number::EndSync);
}

TEST_F(SyncUiTest, TheNameConflictShowsBothNumbersAndAnswersEachOfItsFourChoices) {
    WhenModal([](QWidget* dialog) {
        EXPECT_EQ(dialog->objectName(), "nameConflictDialog");
        EXPECT_EQ(LabelText(dialog, "contactNameLabel"), "Jan");
        EXPECT_EQ(LabelText(dialog, "obkNumberLabel"), "+421903111222");
        EXPECT_EQ(LabelText(dialog, "localNumbersLabel"), "0903111333, 0905111444");
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    EXPECT_EQ(ui.AskNameConflict("Jan", "+421903111222", "0903111333, 0905111444"),
              Name::CopyToObk);

    const std::pair<const char*, Name> choices[] = {
        {"storeAsPhone1RadioButton", Name::StoreAsPhone1},
        {"storeAsPhone2RadioButton", Name::StoreAsPhone2},
        {"doNotSyncRadioButton", Name::DoNotSync}};
    for (const auto& [button, answer] : choices) {
        WhenModal([button = button](QWidget* dialog) {
            Click(dialog, button);
            Click(dialog, "okButton");
        });
        EXPECT_EQ(ui.AskNameConflict("Jan", "+4219", "09"), answer) << button;
    }
    WhenModal([](QWidget* dialog) { Click(dialog, "endSyncButton"); });
    EXPECT_EQ(ui.AskNameConflict("Jan", "+4219", "09"), Name::EndSync);
}

TEST_F(SyncUiTest, TheErrorDialogOpensCollapsedAndItsToggleShowsAndHidesTheLines) {
    WhenModal([](QWidget* dialog) {
        EXPECT_EQ(dialog->objectName(), "syncErrorDialog");
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Chyba pri synchronizácii"));
        EXPECT_FALSE(dialog->findChild<QLabel*>("iconLabel")->pixmap().isNull());
        auto* toggle = dialog->findChild<QPushButton*>("detailsButton");
        auto* lines = dialog->findChild<QPlainTextEdit*>("errorsPlainTextEdit");
        ASSERT_NE(toggle, nullptr);
        ASSERT_NE(lines, nullptr);
        EXPECT_EQ(toggle->text(), "Viac >>");
        EXPECT_FALSE(lines->isVisible());
        EXPECT_TRUE(lines->isReadOnly());
        const int collapsed = dialog->height();

        Click(dialog, "detailsButton");
        QApplication::processEvents();
        EXPECT_EQ(toggle->text(), QStringLiteral("Skryť <<"));
        EXPECT_TRUE(lines->isVisible());
        EXPECT_EQ(lines->toPlainText(), "first \"A\" E3\nsecond \"B\" E4");
        EXPECT_GT(dialog->height(), collapsed);

        Click(dialog, "detailsButton");
        QApplication::processEvents();
        EXPECT_EQ(toggle->text(), "Viac >>");
        EXPECT_FALSE(lines->isVisible());
        EXPECT_EQ(dialog->height(), collapsed);
        // Enter is OK's, never the toggle's.
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    ui.ShowErrors("first \"A\" E3\r\nsecond \"B\" E4\r\n");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(SyncUiTest, TheMessagesGoThroughTheBoxesWithTheCoresAndTheProgramsTexts) {
    ui.ShowDuplicates("Jan", "Jano");
    EXPECT_EQ(boxes.Last().stringId, static_cast<int>(CoreString::SyncDuplicates));
    EXPECT_NE(boxes.Last().text.find("\"Jan\" a \"Jano\""), std::string::npos);
    EXPECT_EQ(boxes.Last().icon, IMessageBox::Icon::Exclamation);

    ui.ShowFinished(true);
    EXPECT_EQ(boxes.Last().text, "Synchronizácia ukončená");
    ui.ShowFinished(false);
    EXPECT_EQ(boxes.Last().text, "Synchronizácia prerušená užívateľom");

    ui.ShowFetchRefused(10);
    EXPECT_EQ(boxes.Last().text, "Wrong name or password");
    ui.ShowFetchRefused(23);
    EXPECT_EQ(boxes.Last().text, "Refused E23");
    EXPECT_EQ(ui.StatusText(23), "Refused E23");
    EXPECT_EQ(ui.StatusText(10), "Wrong name or password");

    ui.ShowDbError();
    EXPECT_EQ(boxes.Last().text, "Service unavailable");
    EXPECT_EQ(boxes.Last().icon, IMessageBox::Icon::Stop);
    ui.ShowSoapError(CKvwsSoapException(0, 99));
    EXPECT_EQ(boxes.Last().icon, IMessageBox::Icon::Stop);
    EXPECT_FALSE(boxes.Last().text.empty());
}

TEST_F(SyncUiTest, TheProgressWindowIsCentredOnTheWindowWithABusyBarAndTheWaitCursor) {
    ui.ShowProgress(true);
    QWidget* progress = ui.ProgressWindow();
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(progress->isVisible());
    EXPECT_TRUE(progress->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(progress->isModal());
    auto* bar = progress->findChild<QProgressBar*>("busyProgressBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->maximum(), 0);
    EXPECT_EQ(LabelText(progress, "titleLabel"), QStringLiteral("Prebieha synchronizácia"));
    const QPoint offset = progress->geometry().center() - window.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

    // Shown twice, it is one window; hidden, the cursor is the window's again.
    ui.ShowProgress(true);
    EXPECT_EQ(ui.ProgressWindow(), progress);
    ui.ShowProgress(false);
    EXPECT_EQ(ui.ProgressWindow(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ui.ShowProgress(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Answers every dialog that comes up on the user-interface thread, by its kind.
void AnswerDialogsAsTheyCome(QTimer& timer) {
    QObject::connect(&timer, &QTimer::timeout, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (modal->objectName() == "syncModeDialog")
            Click(modal, "localToObkRadioButton");
        else if (modal->objectName() == "numberConflictDialog")
            Click(modal, "deleteContactRadioButton");
        else if (modal->objectName() == "nameConflictDialog")
            Click(modal, "endSyncButton");
        if (auto* ok = modal->findChild<QPushButton*>("okButton"); ok && modal->isVisible())
            QTest::mouseClick(ok, Qt::LeftButton);
    });
    timer.start(10);
}

TEST_F(SyncUiTest, CalledFromAnotherThreadTheDialogsRunOnTheUserInterfaceThread) {
    QTimer answering;
    AnswerDialogsAsTheyCome(answering);
    std::optional<CAddressBookSync::ManualSyncMode> mode;
    Number number = Number::Ignore;
    Name name = Name::CopyToObk;
    bool progressShown = false;
    bool progressOnUiThread = false;
    std::atomic<bool> over = false;
    std::thread worker([&] {
        mode = ui.AskMode();
        ui.ShowProgress(true);
        progressShown = ui.ProgressWindow() != nullptr;
        progressOnUiThread = ui.ProgressWindow()->thread() == qApp->thread();
        number = ui.AskNumberConflict("Jan", "Jano");
        name = ui.AskNameConflict("Jan", "+421", "09");
        ui.ShowErrors("line\r\n");
        ui.ShowFinished(false);
        ui.ShowProgress(false);
        over = true;
    });
    EXPECT_TRUE(WaitUntil([&] { return over.load(); }));
    worker.join();
    EXPECT_EQ(mode, CAddressBookSync::QlnToOb);
    EXPECT_TRUE(progressShown);
    EXPECT_TRUE(progressOnUiThread);
    EXPECT_EQ(number, Number::DeleteContact);
    EXPECT_EQ(name, Name::EndSync);
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{static_cast<int>(CoreString::SyncEndedByUser)});
    EXPECT_EQ(ui.ProgressWindow(), nullptr);
}

TEST_F(SyncUiTest, ADialogOfACallThatHoldsTheWindowsInputTakesClicksAndShowsTheNormalCursor) {
    auto* inWindow = new QPushButton("in the window", &window);
    int windowClicks = 0;
    QObject::connect(inWindow, &QPushButton::clicked, [&] { ++windowClicks; });
    inWindow->show();
    WindowCallRunner runner(&window);
    std::optional<CAddressBookSync::ManualSyncMode> mode;
    bool done = false;
    bool checked = false;
    std::optional<Qt::CursorShape> cursor;
    // The dialog runs its own loop: it is answered from a timer once it is up.
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        answering.stop();
        cursor = QApplication::overrideCursor()->shape();
        QTest::mouseClick(inWindow, Qt::LeftButton);
        Click(dialog, "mergeRadioButton");
        checked = dialog->findChild<QRadioButton*>("mergeRadioButton")->isChecked();
        Click(dialog, "okButton");
    });
    answering.start(10);
    runner.Run([&] { mode = ui.AskMode(); }, [&] { done = true; });

    EXPECT_TRUE(WaitUntil([&] { return done; }));
    EXPECT_EQ(cursor, Qt::ArrowCursor);
    EXPECT_TRUE(checked);
    EXPECT_EQ(mode, CAddressBookSync::Merge);
    EXPECT_EQ(windowClicks, 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The window may close (the program ending) while a question or the progress window is up: both
// go with it, and the question counts as cancelled.
TEST(SyncUiWindowClosing, TakesTheOpenDialogAndTheProgressWindowAlong) {
    auto* window = new QWidget;
    window->show();
    ScriptedMessageBox boxes;
    WidgetSyncUi ui(boxes, kProgramTexts, window);
    ui.ShowProgress(true);
    WhenModal([window](QWidget*) { delete window; });
    EXPECT_EQ(ui.AskNumberConflict("Jan", "Jano"), Number::EndSync);
    EXPECT_EQ(ui.ProgressWindow(), nullptr);
    ui.ShowProgress(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Notes whether the progress window was up when a message came.
class ProgressWatchingBoxes : public ScriptedMessageBox {
public:
    Answer Show(const Request& request) override {
        progressUp.push_back(ui && ui->ProgressWindow() && ui->ProgressWindow()->isVisible());
        return ScriptedMessageBox::Show(request);
    }
    WidgetSyncUi* ui = nullptr;
    std::vector<bool> progressUp;
};

TEST(SyncUiProgress, HidesWhileAQuestionOrAMessageIsUpAndComesBackWhileTheRunGoesOn) {
    QWidget window;
    window.show();
    ProgressWatchingBoxes boxes;
    WidgetSyncUi ui(boxes, kProgramTexts, &window);
    boxes.ui = &ui;
    ui.ShowProgress(true);
    bool upDuringQuestion = true;
    WhenModal([&](QWidget* dialog) {
        upDuringQuestion = ui.ProgressWindow()->isVisible();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(ui.AskNumberConflict("Jan", "Jano"), Number::EndSync);
    ASSERT_NE(ui.ProgressWindow(), nullptr);
    EXPECT_FALSE(upDuringQuestion);
    EXPECT_TRUE(ui.ProgressWindow()->isVisible());

    ui.ShowFinished(true);
    EXPECT_EQ(boxes.progressUp, std::vector<bool>{false});
    EXPECT_TRUE(ui.ProgressWindow()->isVisible());
    // Once the run has hidden it, a message does not bring it back.
    ui.ShowProgress(false);
    ui.ShowDbError();
    EXPECT_EQ(ui.ProgressWindow(), nullptr);
}

// The window goes (the program ending, its owner deleting it) while a worker's question is open:
// the worker is released with "end the run" at once, while the dialog's own loop is still on the
// stack, and everything asked after that is answered the same way without a window.
struct SyncUiAbandoned : ::testing::Test {
    SyncUiAbandoned() { window->show(); }
    ~SyncUiAbandoned() override {
        if (worker.joinable())
            worker.join();
        delete window;
    }

    // Runs the worker's questions; once the dialog named dialogName is up, goes calls (on
    // the window's thread, inside the dialog's loop) and notes whether the worker ended while the
    // dialog was still open.
    void RunUntilDialog(const QString& dialogName, std::function<void()> goes,
                        std::function<void()> questions) {
        QObject::connect(&watching, &QTimer::timeout, [this, dialogName, goes] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal->objectName() != dialogName)
                return;
            watching.stop();
            goes();
            const QPointer<QWidget> dialog(modal);
            releasedWhileOpen =
                WaitUntil([this] { return over.load(); }) && dialog && dialog->isVisible();
            delete window;
            window = nullptr;
        });
        watching.start(10);
        worker = std::thread([this, questions = std::move(questions)] {
            questions();
            over = true;
        });
        EXPECT_TRUE(WaitUntil([this] { return over.load(); }));
        worker.join();
    }

    QWidget* window = new QWidget;
    ScriptedMessageBox boxes;
    QTimer watching;
    std::thread worker;
    std::atomic<bool> over = false;
    bool releasedWhileOpen = false;
};

TEST_F(SyncUiAbandoned, DestroyingTheSyncUiReleasesTheWorkersOpenQuestion) {
    auto ui = std::make_unique<WidgetSyncUi>(boxes, kProgramTexts, window);
    WidgetSyncUi* asked = ui.get();
    std::optional<Number> number;
    RunUntilDialog(
        "numberConflictDialog", [&] { ui.reset(); },
        [&] { number = asked->AskNumberConflict("Jan", "Jano"); });
    EXPECT_EQ(number, Number::EndSync);
    EXPECT_TRUE(releasedWhileOpen);
}

TEST_F(SyncUiAbandoned, AfterAbandonEveryQuestionEndsTheRunAndNothingIsShown) {
    WidgetSyncUi ui(boxes, kProgramTexts, window);
    ui.ShowProgress(true);
    std::optional<CAddressBookSync::ManualSyncMode> mode = CAddressBookSync::Merge;
    Number number = Number::Ignore;
    Name name = Name::DoNotSync;
    bool progressAfter = true;
    RunUntilDialog(
        "syncModeDialog", [&] { ui.Abandon(); },
        [&] {
            mode = ui.AskMode();
            number = ui.AskNumberConflict("Jan", "Jano");
            name = ui.AskNameConflict("Jan", "+421", "09");
            ui.ShowErrors("line\r\n");
            ui.ShowFinished(true);
            ui.ShowProgress(true);
            progressAfter = ui.ProgressWindow() != nullptr;
        });
    EXPECT_TRUE(releasedWhileOpen);
    EXPECT_EQ(mode, std::nullopt);
    EXPECT_EQ(number, Number::EndSync);
    EXPECT_EQ(name, Name::EndSync);
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_FALSE(progressAfter);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // On the window's own thread too.
    EXPECT_EQ(ui.AskNumberConflict("Jan", "Jano"), Number::EndSync);
}

} // namespace
