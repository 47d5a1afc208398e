// The main window's background worker against a real service over HTTPS (quillon-sim) and
// against one that never answers.
#include "MainWindowFixture.h"
#include "SimulatorProcess.h"

#include "controls/SmsEditCtrl.h"
#include "frontend/ArchiveRows.h"
#include "frontend/IWorkerWait.h"
#include "service/CurlTransport.h"
#include "windows/SentItemsPage.h"
#include "windows/SmsPage.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <set>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const std::int64_t kStart = LocalTime(2025, 3, 10, 12, 0);
const std::string kNumber = "421905111001";

class MainWindowService : public MainWindowFixture {
protected:
    MainWindowService() {
        jan.SetPassword("secret");
        jan.SetTransport(
            std::make_shared<CurlTransport>(TransportOptions{sim.Url(), sim.CaFile()}));
    }

    // The worker on the test's clock, its first pass at once.
    MainWindowOptions WorkerOnTestClock() {
        MainWindowOptions options;
        options.workerClock = &clock;
        options.workerWait = [] { return std::make_unique<PassOnDemand>(1); };
        return options;
    }

    FixedClock clock{kStart};
    // The simulator with jan's account, whose messages are delivered a second after sending, on
    // the test's clock; jan talks to it.
    TempDir simHome;
    SimulatorProcess sim{QUILLON_SIM_PATH,
                         {"--state", (simHome.Path() / "sim").string(), "--admin", "--account",
                          "jan:secret:421905111222", "--start-time", std::to_string(kStart),
                          "--delivery-after", "1"}};
    CSmsUserInfo jan{"jan", "1.6", "QLN"};

    std::multiset<int> RowsAfterSendingAndAPass(int filter);
};

const CSmsRecipientInfo* OnlyRecipient(CSmsUserInfo& profile) {
    CSmsArchive& archive = profile.GetArchive();
    return archive.GetItemCount() == 1 ? archive.GetItem(0)->GetRecipient(0) : nullptr;
}

// A TCP port on loopback that takes connections and never says a word.
class SilentServer {
public:
    SilentServer() : m_socket(socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (bind(m_socket, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            listen(m_socket, 4) != 0 ||
            getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("no listening socket");
        m_port = ntohs(address.sin_port);
    }
    ~SilentServer() {
        if (m_client >= 0)
            close(m_client);
        close(m_socket);
    }
    std::string Url() const {
        return "https://127.0.0.1:" + std::to_string(m_port) + "/sk/!kvws.sms";
    }
    // Waits for the first caller (or gives up after a long while) and keeps it hanging.
    bool Accept() {
        pollfd waiting{m_socket, POLLIN, 0};
        if (poll(&waiting, 1, 60000) != 1)
            return false;
        m_client = accept(m_socket, nullptr, nullptr);
        return m_client >= 0;
    }
    // Whether the caller hung up (reads what it sent until the end).
    bool CallerHungUp() const {
        char buffer[4096];
        for (;;) {
            pollfd waiting{m_client, POLLIN, 0};
            if (poll(&waiting, 1, 60000) != 1)
                return false;
            const ssize_t got = recv(m_client, buffer, sizeof buffer, 0);
            if (got <= 0)
                return true;
        }
    }

private:
    int m_socket;
    int m_client = -1;
    int m_port = 0;
};

} // namespace

TEST_F(MainWindowService, ADeliveryReportReachesTheWindowAndTheProfile) {
    ASSERT_EQ(jan.KvwsLogin(true), 0);
    SmsSentInfoList sent;
    ASSERT_EQ(jan.KvwsSendSms("Ahoj", false, false, true, {kNumber}, sent), 0);
    ASSERT_EQ(sent.size(), 1U);
    {
        const auto lock = jan.GetArchive().TryLock();
        ASSERT_TRUE(lock.owns_lock());
        jan.GetArchive().AddItem("Ahoj", kNumber, kNumber, clock.Now(), false, sent[0].smsId, 1);
    }
    ASSERT_TRUE(jan.Save(false));
    // Delivered by now, and the query is due.
    clock.Advance(60);
    sim.Admin("/admin/advance?seconds=60", true);

    auto window =
        std::make_unique<MainWindow>(jan, serviceLock, boxes, WorkerOnTestClock(), &notifier);
    QSignalSpy changed(window.get(), &MainWindow::archiveItemChanged);
    QSignalSpy refreshed(window.get(), &MainWindow::tokenRefreshed);
    ASSERT_TRUE(changed.wait(60000));
    EXPECT_EQ(changed.at(0).at(0).value<ArchiveItemKey>(), (ArchiveItemKey{false, sent[0].smsId}));
    EXPECT_GE(refreshed.count(), 1);
    // The pass ends with one notification that sums up what it learnt.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !notifier.calls.empty(); }, 10000));
    EXPECT_EQ(notifier.calls, (std::vector<DeliveryCounts>{{1, 0, 0}}));
    EXPECT_TRUE(notifier.onWindowThread);
    {
        const auto lock = jan.GetArchive().TryLock();
        EXPECT_EQ(OnlyRecipient(jan)->GetStatus(), CSmsRecipientInfo::Delivered);
    }
    // Stopping waits for the pass, which saved the profile: a fresh load has the report.
    window.reset();
    const auto stored = CSmsUserInfo::GetUserInfo("jan", "1.6", "QLN");
    ASSERT_TRUE(stored);
    ASSERT_NE(OnlyRecipient(*stored), nullptr);
    EXPECT_EQ(OnlyRecipient(*stored)->GetStatus(), CSmsRecipientInfo::Delivered);
}

TEST_F(MainWindowService, ClosingWhileTheServiceNeverAnswersEndsTheCall) {
    SilentServer silent;
    user.SetTransport(std::make_shared<CurlTransport>(TransportOptions{silent.Url(), ""}));
    // Without a session keep-alive is due at once: the first pass calls the service.
    auto window = MakeWindow(WorkerOnTestClock());
    ASSERT_TRUE(silent.Accept());
    // The worker hangs in its call; closing the window cancels it and returns.
    window.reset();
    EXPECT_TRUE(silent.CallerHungUp());
}

// The road of one message in the window: written and sent on the compose page to two numbers
// with delivery reports (the second is not delivered); then, without touching the window, one
// pass of the worker asks for the reports. The archive page's rows under the filter afterwards,
// by their pictures.
std::multiset<int> MainWindowService::RowsAfterSendingAndAPass(int filter) {
    jan.SetDeliveryReport(1);
    EXPECT_EQ(jan.KvwsLogin(true), 0);
    PassOnDemand* passes = nullptr;
    MainWindowOptions options;
    options.workerClock = &clock;
    options.workerWait = [&passes] {
        auto wait = std::make_unique<PassOnDemand>();
        passes = wait.get();
        return wait;
    };
    auto window = std::make_unique<MainWindow>(jan, serviceLock, boxes, options, &notifier);
    window->show();

    auto* compose = window->findChild<SmsPage*>("smsPage");
    auto* combo = compose->findChild<QComboBox*>("recipientComboBox");
    for (const char* number : {"0905111001", "0905111666"}) {
        combo->lineEdit()->setText(QString::fromLatin1(number));
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    }
    compose->Editor().SetText("Ahoj");
    QTest::mouseClick(compose->findChild<QPushButton*>("sendButton"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !boxes.Shown().empty(); }, 30000));
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{167}));

    window->ShowPage(MainWindow::Page::SentItems);
    auto* archive = window->findChild<SentItemsPage*>();
    archive->Logic().SetFilter(filter);
    // The reports are in at the simulator and due for a query; one pass of the worker, whose
    // notification comes once the pass is over, after the rows.
    clock.Advance(60);
    sim.Admin("/admin/advance?seconds=60", true);
    passes->Pass();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !notifier.calls.empty(); }, 30000));
    EXPECT_EQ(notifier.calls, (std::vector<DeliveryCounts>{{1, 1, 0}}));
    std::multiset<int> shown;
    for (int row = 0; row < archive->Logic().RowCount(); ++row)
        shown.insert(archive->Logic().Row(row).icon);
    return shown;
}

TEST_F(MainWindowService, AMessageSentFromTheComposePageShowsItsDeliveryOnTheArchivePage) {
    EXPECT_EQ(RowsAfterSendingAndAPass(ArchiveRows::All),
              (std::multiset<int>{ArchiveRows::Delivered, ArchiveRows::NotDelivered}));
}

// Under "Iba doručené" neither message shows while on its way; the report of the delivered one
// brings its row, the other's report adds none.
TEST_F(MainWindowService, OnlyTheDeliveredMessageComesUnderTheDeliveredFilter) {
    EXPECT_EQ(RowsAfterSendingAndAPass(ArchiveRows::OnlyDelivered),
              (std::multiset<int>{ArchiveRows::Delivered}));
}
