#pragma once

#include "logic/IDeliveryNotifier.h"

#include <QObject>
#include <QSet>
#include <QString>

class QDBusPendingCallWatcher;

// Desktop notifications of delivery reports through the notification service of the session
// bus (org.freedesktop.Notifications). Used on the user-interface thread. Without a service
// running, or with the setting off (CSmsConfig::GetDesktopNotifications), nothing happens: no
// error and no wait, and no service is started for it. Choosing a notification, or its action
// "Otvoriť archív", asks for the archive page.
class DesktopNotifier : public QObject, public IDeliveryNotifier {
    Q_OBJECT
public:
    explicit DesktopNotifier(QObject* parent = nullptr);

    void Notify(const DeliveryCounts& counts) override;

signals:
    // The user chose one of this program's notifications: show the archive page.
    void archiveRequested();
    // The service showed a notification under this id; from then on its actions count.
    void shown(uint id);

private slots:
    void OnActionInvoked(uint id, const QString& action);
    void OnNotificationClosed(uint id, uint reason);

private:
    void TakeId(QDBusPendingCallWatcher* watcher);

    QSet<uint> m_shown; // ids of the notifications this object sent that are still open
};
