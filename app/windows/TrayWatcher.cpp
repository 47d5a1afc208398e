#include "windows/TrayWatcher.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QSystemTrayIcon>

TrayWatcher::TrayWatcher(QObject* parent) : TrayWatcher(QDBusConnection::sessionBus(), parent) {}

TrayWatcher::TrayWatcher(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus), m_watcher(QString::fromLatin1(kService), bus,
                                             QDBusServiceWatcher::WatchForRegistration |
                                                 QDBusServiceWatcher::WatchForUnregistration) {
    connect(&m_watcher, &QDBusServiceWatcher::serviceRegistered, this, &TrayWatcher::AskWatcher);
    connect(&m_watcher, &QDBusServiceWatcher::serviceUnregistered, this,
            [this] { SetHostRegistered(false); });
    // A panel that starts or ends while the watcher runs announces itself by these signals.
    for (const char* signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"})
        m_bus.connect(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                      QString::fromLatin1(kService), QString::fromLatin1(signal), this,
                      SLOT(AskWatcher()));
    AskWatcher();
}

bool TrayWatcher::IsTrayAvailable() const {
    return m_hostRegistered || QSystemTrayIcon::isSystemTrayAvailable();
}

// Asked without blocking: the user-interface thread never waits for the bus.
void TrayWatcher::AskWatcher() {
    if (!m_bus.isConnected())
        return;
    QDBusMessage get = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QString::fromLatin1(kService) << QStringLiteral("IsStatusNotifierHostRegistered");
    auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(get), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                const QDBusPendingReply<QDBusVariant> reply = *call;
                SetHostRegistered(!reply.isError() && reply.value().variant().toBool());
                call->deleteLater();
            });
}

void TrayWatcher::SetHostRegistered(bool registered) {
    const bool before = IsTrayAvailable();
    m_hostRegistered = registered;
    if (IsTrayAvailable() != before)
        emit availabilityChanged(IsTrayAvailable());
}
