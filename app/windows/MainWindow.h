#pragma once

#include "logic/ComposeRequest.h"

#include <QWidget>

class CServiceLock;
class CSmsUserInfo;
class IDeliveryNotifier;
class IMessageBox;
class QTabWidget;

// How the main window starts.
struct MainWindowOptions {
    // Straight into the tray (started with -min while MinToTray is on).
    bool startHidden = false;
};

// The desktop program's main window: the six pages under a caption strip of its own, the
// status line, the exit button, the tray icon, and the background worker that keeps the session
// alive and polls delivery reports while the window lives.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // The pages, in their tab order.
    enum class Page { Sms, Address, Group, SentItems, Settings, About };

    // user, serviceLock, boxes and notifier (which may be null) must outlive the window.
    MainWindow(CSmsUserInfo& user, CServiceLock& serviceLock, IMessageBox& boxes,
               MainWindowOptions options, IDeliveryNotifier* notifier = nullptr,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    void ShowPage(Page page);
    // An sms: link: shows the window and the compose page with the link's recipients and text.
    void Compose(const ComposeRequest& request);

signals:
    // The exit button ended the program (after its confirmation).
    void finished();
    // The window is set up; the splash picture may go.
    void ready();

private:
    CSmsUserInfo& m_user;
    CServiceLock& m_serviceLock;
    IMessageBox& m_boxes;
    MainWindowOptions m_options;
    IDeliveryNotifier* m_notifier;
    QTabWidget* m_pages = nullptr;
};
