#pragma once

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>

// Whether the desktop shows tray icons now. Qt asks the desktop once per process, so a program
// started before its panel would never see the tray; this also follows the session bus's
// StatusNotifierWatcher, so a tray that comes (or goes) later counts.
class TrayWatcher : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kService = "org.kde.StatusNotifierWatcher";
    static constexpr const char* kPath = "/StatusNotifierWatcher";

    explicit TrayWatcher(QObject* parent = nullptr);
    // Watches the watcher on that bus (tests give a private one).
    explicit TrayWatcher(const QDBusConnection& bus, QObject* parent = nullptr);

    // What Qt found at start, or a status notifier host on the bus now.
    bool IsTrayAvailable() const;
    // Whether the bus's watcher says a host (a panel showing the icons) is registered.
    bool HasStatusNotifierHost() const { return m_hostRegistered; }

signals:
    void availabilityChanged(bool available);

private slots:
    void AskWatcher();

private:
    void SetHostRegistered(bool registered);

    QDBusConnection m_bus;
    QDBusServiceWatcher m_watcher;
    bool m_hostRegistered = false;
};
