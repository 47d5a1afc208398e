#include "windows/DesktopNotifier.h"

#include "logic/DeliveryNotice.h"
#include "model/SmsConfig.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kDefaultAction = QStringLiteral("default");
const QString kArchiveAction = QStringLiteral("open-archive");

bool NotificationsWanted() {
    const CSmsConfig* config = CSmsConfig::GetInstance();
    return !config || config->GetDesktopNotifications();
}

} // namespace

DesktopNotifier::DesktopNotifier(QObject* parent) : QObject(parent) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                SLOT(OnActionInvoked(uint, QString)));
    bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                SLOT(OnNotificationClosed(uint, uint)));
}

void DesktopNotifier::Notify(const DeliveryCounts& counts) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!counts.Any() || !NotificationsWanted() || !bus.isConnected())
        return;
    const DeliveryNotice notice = DeliveryNoticeText(counts);
    const QString openArchive = QString::fromStdString(notice.openArchive);
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    // A service that is not running is not started: the call fails at once instead.
    call.setAutoStartService(false);
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("quillon")}};
    call << QStringLiteral("Quillon") << uint(0) << QStringLiteral("quillon")
         << QString::fromStdString(notice.summary) << QString::fromStdString(notice.body)
         << QStringList{kDefaultAction, openArchive, kArchiveAction, openArchive} << hints
         << int(-1);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &DesktopNotifier::TakeId);
}

void DesktopNotifier::TakeId(QDBusPendingCallWatcher* watcher) {
    const QDBusPendingReply<uint> reply = *watcher;
    watcher->deleteLater();
    if (reply.isError())
        return;
    m_shown.insert(reply.value());
    emit shown(reply.value());
}

void DesktopNotifier::OnActionInvoked(uint id, const QString& action) {
    if (m_shown.contains(id) && (action == kDefaultAction || action == kArchiveAction))
        emit archiveRequested();
}

void DesktopNotifier::OnNotificationClosed(uint id, uint reason) {
    Q_UNUSED(reason);
    m_shown.remove(id);
}
