#include "PrivateSessionBus.h"

#include "windows/TrayWatcher.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// The desktop's status notifier watcher as a panel runs it: whether a host (the panel that
// shows the icons) is registered, announced by signals.
class FakeNotifierWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ IsStatusNotifierHostRegistered)
public:
    bool IsStatusNotifierHostRegistered() const { return m_host; }
    void SetHost(bool host) {
        m_host = host;
        if (host)
            emit StatusNotifierHostRegistered();
        else
            emit StatusNotifierHostUnregistered();
    }

signals:
    void StatusNotifierHostRegistered();
    void StatusNotifierHostUnregistered();

private:
    bool m_host = false;
};

namespace {

// The panel's side: its own connection to the test's bus, where the watcher comes and goes.
class Panel {
public:
    explicit Panel(const QString& address)
        : m_bus(QDBusConnection::connectToBus(address, QStringLiteral("panel"))) {}
    ~Panel() {
        Stop();
        QDBusConnection::disconnectFromBus(QStringLiteral("panel"));
    }
    void Start(bool host) {
        m_watcher = std::make_unique<FakeNotifierWatcher>();
        if (host)
            m_watcher->SetHost(true);
        ASSERT_TRUE(m_bus.registerObject(TrayWatcher::kPath, m_watcher.get(),
                                         QDBusConnection::ExportAllProperties |
                                             QDBusConnection::ExportAllSignals));
        ASSERT_TRUE(m_bus.registerService(TrayWatcher::kService));
    }
    void Stop() {
        if (!m_watcher)
            return;
        m_bus.unregisterService(TrayWatcher::kService);
        m_bus.unregisterObject(TrayWatcher::kPath);
        m_watcher.reset();
    }
    FakeNotifierWatcher& Watcher() { return *m_watcher; }

private:
    QDBusConnection m_bus;
    std::unique_ptr<FakeNotifierWatcher> m_watcher;
};

class TrayWatcherTest : public ::testing::Test {
protected:
    TrayWatcherTest()
        : address(QString::fromStdString(bus.Address())),
          program(QDBusConnection::connectToBus(address, QStringLiteral("program"))),
          panel(address) {}
    ~TrayWatcherTest() override { QDBusConnection::disconnectFromBus(QStringLiteral("program")); }

    static bool Becomes(const TrayWatcher& watcher, bool host) {
        return QTest::qWaitFor([&] { return watcher.HasStatusNotifierHost() == host; });
    }

    PrivateSessionBus bus;
    QString address;
    QDBusConnection program;
    Panel panel;
};

} // namespace

TEST_F(TrayWatcherTest, APanelStartedLaterCountsAndOneThatEndsNoMore) {
    ASSERT_TRUE(program.isConnected());
    TrayWatcher watcher(program);
    QTest::qWait(20);
    EXPECT_FALSE(watcher.HasStatusNotifierHost());

    // The watcher appears with a host already registered.
    panel.Start(true);
    ASSERT_TRUE(Becomes(watcher, true));
    EXPECT_TRUE(watcher.IsTrayAvailable());

    // The panel's host goes while the watcher stays, then comes again.
    panel.Watcher().SetHost(false);
    ASSERT_TRUE(Becomes(watcher, false));
    panel.Watcher().SetHost(true);
    ASSERT_TRUE(Becomes(watcher, true));

    // The watcher itself goes.
    panel.Stop();
    EXPECT_TRUE(Becomes(watcher, false));
}

TEST_F(TrayWatcherTest, AWatcherWithoutAHostIsNoTray) {
    panel.Start(false);
    TrayWatcher watcher(program);
    QTest::qWait(50);
    EXPECT_FALSE(watcher.HasStatusNotifierHost());
    panel.Watcher().SetHost(true);
    EXPECT_TRUE(Becomes(watcher, true));
}

TEST_F(TrayWatcherTest, ARunningPanelIsFoundAtStart) {
    panel.Start(true);
    TrayWatcher watcher(program);
    EXPECT_TRUE(Becomes(watcher, true));
}

#include "TrayWatcherTest.moc"
