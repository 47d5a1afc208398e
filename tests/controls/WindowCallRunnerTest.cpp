#include "controls/WindowCallRunner.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <stdexcept>
#include <thread>

namespace {

// A window with one button that counts its clicks.
struct Window {
    QWidget widget;
    QPushButton* button = new QPushButton("Press", &widget);
    int clicks = 0;

    Window() {
        button->setObjectName("pressButton");
        (new QVBoxLayout(&widget))->addWidget(button);
        QObject::connect(button, &QPushButton::clicked, [this] { ++clicks; });
        widget.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&widget));
    }
};

} // namespace

TEST(WindowCallRunner, WorkRunsElsewhereWhileTheWindowIgnoresInputThenDoneRunsOnItsThread) {
    Window window;
    WindowCallRunner runner(&window.widget);
    std::promise<void> release;
    auto released = release.get_future().share();
    std::thread::id workThread, doneThread;

    ASSERT_TRUE(runner.Run(
        [&] {
            workThread = std::this_thread::get_id();
            released.wait();
        },
        [&] { doneThread = std::this_thread::get_id(); }));
    EXPECT_TRUE(runner.IsBusy());
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

    // The window keeps handling events (it paints) but no click or key reaches the button.
    QTest::mouseClick(window.button, Qt::LeftButton);
    window.button->setFocus();
    QTest::keyClick(window.button, Qt::Key_Space);
    QApplication::processEvents();
    EXPECT_EQ(window.clicks, 0);
    EXPECT_FALSE(runner.Run([] {}, [] {})) << "one call at a time";

    QSignalSpy finished(&runner, &WindowCallRunner::finished);
    release.set_value();
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_NE(workThread, std::this_thread::get_id());
    EXPECT_EQ(doneThread, std::this_thread::get_id());
    EXPECT_FALSE(runner.IsBusy());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    QTest::mouseClick(window.button, Qt::LeftButton);
    EXPECT_EQ(window.clicks, 1) << "input is back after the call";
}

TEST(WindowCallRunner, ClosingTheWindowCancelsTheCallAndItsDoneNeverRuns) {
    Window window;
    bool doneRan = false;
    bool sawCancel = false;
    {
        WindowCallRunner runner(&window.widget);
        ASSERT_TRUE(runner.Run(
            [&] {
                // A service call waiting on the network ends as soon as it is cancelled.
                sawCancel = CallCanceller::Current()->WaitCancelled(std::chrono::seconds(30));
            },
            [&] { doneRan = true; }));
    } // the window's runner goes with the window
    QApplication::processEvents();
    EXPECT_TRUE(sawCancel);
    EXPECT_FALSE(doneRan);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    QTest::mouseClick(window.button, Qt::LeftButton);
    EXPECT_EQ(window.clicks, 1);
}

TEST(WindowCallRunner, AnExceptionOfTheCallReachesDoneThroughRunCall) {
    Window window;
    WindowCallRunner runner(&window.widget);
    QSignalSpy finished(&runner, &WindowCallRunner::finished);
    std::string caught;
    ASSERT_TRUE(RunCall<int>(
        runner, []() -> int { throw std::runtime_error("no service"); },
        [&](const CallResult<int>& result) {
            try {
                result.Get();
            } catch (const std::runtime_error& error) {
                caught = error.what();
            }
        }));
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(caught, "no service");

    // A cancelled call leaves the runner ready for the next one.
    ASSERT_TRUE(runner.Run(
        [] { CallCanceller::Current()->WaitCancelled(std::chrono::seconds(30)); }, [] {}));
    runner.Cancel();
    int value = 0;
    ASSERT_TRUE(RunCall<int>(
        runner, [] { return 7; }, [&](const CallResult<int>& result) { value = result.Get(); }));
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(value, 7);
}
