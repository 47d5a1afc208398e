#include "windows/DesktopNotifier.h"

#include "PrivateSessionBus.h"
#include "model/SmsConfig.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QStringList>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

// The notification service as the test's own object on the bus: it records each Notify and
// emits the service's signals when told to.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Call {
        QString app;
        uint replaces = 0;
        QString icon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
    };
    QList<Call> calls;

public slots:
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints,
                int timeout) {
        Q_UNUSED(timeout);
        calls.push_back({app, replaces, icon, summary, body, actions, hints});
        return 40 + uint(calls.size());
    }

signals:
    void ActionInvoked(uint id, const QString& action);
    void NotificationClosed(uint id, uint reason);
};

// One bus for the whole program: Qt keeps its first session bus connection.
void UseSharedBus() {
    static const auto bus = std::make_unique<PrivateSessionBus>();
}

// Runs the event loop until the condition holds or a generous limit passes.
bool WaitFor(const std::function<bool()>& condition) {
    const QDeadlineTimer limit(10000);
    while (!condition() && !limit.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

} // namespace

class DesktopNotifierTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
        ASSERT_TRUE(QDBusConnection::sessionBus().registerObject(
            kPath, &fake, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
        Register();
        CSmsConfig::GetInstance()->SetDesktopNotifications(true);
    }
    void TearDown() override {
        QDBusConnection::sessionBus().unregisterService(kService);
        QDBusConnection::sessionBus().unregisterObject(kPath);
        CSmsConfig::GetInstance()->SetDesktopNotifications(true);
    }
    static void Register() { ASSERT_TRUE(QDBusConnection::sessionBus().registerService(kService)); }
    bool WaitForCalls(qsizetype count) {
        return WaitFor([&] { return fake.calls.size() >= count; });
    }
    // Until the notifier has the answers to its calls, so that actions on them count.
    bool WaitForShown(qsizetype count) {
        return WaitFor([&] { return shown.size() >= count; });
    }

    // First: the notifier connects to the session bus when it is made.
    struct BusFirst {
        BusFirst() { UseSharedBus(); }
    } busFirst;
    FakeNotifications fake;
    DesktopNotifier notifier;
    QSignalSpy shown{&notifier, &DesktopNotifier::shown};
};

TEST_F(DesktopNotifierTest, OneNotificationSumsUpThePassAndChoosingItAsksForTheArchive) {
    notifier.Notify({2, 1, 1});
    ASSERT_TRUE(WaitForShown(1));
    EXPECT_EQ(shown.front().front().toUInt(), 41u);
    const FakeNotifications::Call& call = fake.calls.front();
    EXPECT_EQ(call.app, "Quillon");
    EXPECT_EQ(call.replaces, 0u);
    EXPECT_EQ(call.icon, "quillon");
    EXPECT_EQ(call.summary, QString::fromUtf8("Správy o doručení SMS"));
    EXPECT_EQ(call.body,
              QString::fromUtf8("Doručené 2 SMS\nNedoručená 1 SMS\nVypršala platnosť 1 SMS"));
    const QString open = QString::fromUtf8("Otvoriť archív");
    EXPECT_EQ(call.actions, (QStringList{"default", open, "open-archive", open}));
    EXPECT_EQ(call.hints.value("desktop-entry").toString(), "quillon");

    // Another program's notification, then this one's action and the choice of the
    // notification itself; once closed, its id is no longer this program's.
    QSignalSpy requested(&notifier, &DesktopNotifier::archiveRequested);
    emit fake.ActionInvoked(7, "default");
    emit fake.ActionInvoked(41, "open-archive");
    ASSERT_TRUE(WaitFor([&] { return requested.size() >= 1; }));
    emit fake.ActionInvoked(41, "default");
    ASSERT_TRUE(WaitFor([&] { return requested.size() >= 2; }));
    emit fake.NotificationClosed(41, 2);
    emit fake.ActionInvoked(41, "default");
    notifier.Notify({1, 0, 0});
    ASSERT_TRUE(WaitForShown(2));
    emit fake.ActionInvoked(42, "default");
    ASSERT_TRUE(WaitFor([&] { return requested.size() >= 3; }));
    EXPECT_EQ(requested.size(), 3);
}

TEST_F(DesktopNotifierTest, WithTheSettingOffOrWithoutAServiceNothingIsSent) {
    CSmsConfig::GetInstance()->SetDesktopNotifications(false);
    notifier.Notify({1, 0, 0});
    CSmsConfig::GetInstance()->SetDesktopNotifications(true);

    // No service on the bus: the call fails quietly, and none is started for it.
    QDBusConnection::sessionBus().unregisterService(kService);
    notifier.Notify({0, 1, 0});
    Register();

    notifier.Notify({0, 0, 3});
    ASSERT_TRUE(WaitForCalls(1));
    // Calls arrive in order: the earlier ones never came.
    ASSERT_EQ(fake.calls.size(), 1);
    EXPECT_EQ(fake.calls.front().body, QString::fromUtf8("Vypršala platnosť 3 SMS"));
}

#include "DesktopNotifierTest.moc"
