// The main window deleted (the program ending, its owner) while the contacts page's
// synchronisation against a real service (quillon-sim) waits for the user: the window goes
// without waiting for ever, and the run ends without touching the local book.
#include "MainWindowFixture.h"
#include "SimulatorProcess.h"

#include "service/CurlTransport.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace {

// A wait that never ends cannot fail a check from the same thread: this one ends the test
// program when what it guards has not returned after a long while (never a measure of speed).
class HangGuard {
public:
    explicit HangGuard(std::string what)
        : m_watch([this, what = std::move(what)] {
              std::unique_lock<std::mutex> lock(m_mutex);
              if (!m_ended.wait_for(lock, std::chrono::seconds(60), [this] { return m_done; })) {
                  std::fprintf(stderr, "%s never returned\n", what.c_str());
                  std::_Exit(1);
              }
          }) {}
    ~HangGuard() {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_ended.notify_all();
        m_watch.join();
    }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;

private:
    std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_done = false;
    std::thread m_watch;
};

struct Entry {
    std::string name;
    std::string phone1;
    bool operator==(const Entry&) const = default;
};

class MainWindowSync : public MainWindowFixture {
protected:
    MainWindowSync() {
        user.SetPassword("secret");
        user.SetTransport(
            std::make_shared<CurlTransport>(TransportOptions{sim.Url(), sim.CaFile()}));
    }
    void SetUp() override {
        ASSERT_EQ(user.KvwsLogin(true), 0);
        // Both books have Eva with other numbers: a merge asks about her first.
        ASSERT_EQ(user.KvwsSetAlias("Eva", "421905000001"), 0);
        ASSERT_EQ(user.KvwsSetAlias("Ivan", "421905000002"), 0);
        const auto lock = user.LockData();
        ASSERT_GE(user.GetAddressBook().AddContact("Eva", "+421905000011", ""), 0);
    }

    std::vector<Entry> LocalBook() {
        const auto lock = user.LockData();
        std::vector<Entry> entries;
        const CSmsAddressBook& book = user.GetAddressBook();
        for (int i = 0; i < book.GetItemCount(); ++i)
            entries.push_back({book.GetItem(i)->GetName(), book.GetItem(i)->GetPhone1()});
        return entries;
    }

    // Starts the synchronisation on the contacts page, answers the mode dialog with mode (when
    // the window is to go at a later question) and deletes the window once the dialog named
    // at is up. True when the window went.
    bool DeleteWindowAt(const QString& at, const char* mode = nullptr) {
        window = MakeWindow(WithoutWorker());
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->ShowPage(MainWindow::Page::Address);
        bool deleted = false;
        QTimer watching;
        QObject::connect(&watching, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible())
                return;
            if (modal->objectName() == at) {
                watching.stop();
                const HangGuard guard("deleting the window during a synchronisation");
                window.reset();
                deleted = true;
            } else if (mode && modal->objectName() == "syncModeDialog") {
                modal->findChild<QRadioButton*>(mode)->click();
                modal->findChild<QPushButton*>("okButton")->click();
            }
        });
        watching.start(10);
        auto* button = window->PageWidget(MainWindow::Page::Address)
                           ->findChild<QPushButton*>("synchronizeButton");
        EXPECT_NE(button, nullptr);
        if (!button)
            return false;
        QTest::mouseClick(button, Qt::LeftButton);
        return QTest::qWaitFor([&] { return deleted; }, 60000);
    }

    TempDir simHome;
    SimulatorProcess sim{QUILLON_SIM_PATH,
                         {"--state", (simHome.Path() / "sim").string(), "--account",
                          "jan.novak:secret:421905111222"}};
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowSync, DeletedAtTheModeDialogTheWindowGoesAndTheBookStays) {
    ASSERT_TRUE(DeleteWindowAt("syncModeDialog"));
    EXPECT_EQ(LocalBook(), (std::vector<Entry>{{"Eva", "+421905000011"}}));
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Later in the run, with the progress window and the wait cursor up behind the question.
TEST_F(MainWindowSync, DeletedAtAMergesConflictTheRunEndsThereAndTheBookStays) {
    ASSERT_TRUE(DeleteWindowAt("nameConflictDialog", "mergeRadioButton"));
    EXPECT_EQ(LocalBook(), (std::vector<Entry>{{"Eva", "+421905000011"}}));
    EXPECT_TRUE(boxes.Shown().empty()) << "no message for a window that is gone";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
