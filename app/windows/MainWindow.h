#pragma once

#include "logic/ComposeRequest.h"
#include "model/ArchiveItemKey.h"

#include <QWidget>

#include <functional>
#include <memory>

class BackgroundWorker;
class CaptionStripWidget;
class CServiceLock;
class CSmsUserInfo;
class IBackgroundEvents;
class IClock;
class IDeliveryNotifier;
class IMessageBox;
class IWorkerWait;
class QLabel;
class QMenu;
class QPushButton;
class QSystemTrayIcon;
class QTabWidget;
class SettingsPage;
class SmsPage;
class WidgetAddressPageDialogs;
class WidgetSettingsPageDialogs;
class WidgetSyncUi;
class WidgetSentItemsDialogs;
class WidgetSmsPageDialogs;
class TrayWatcher;
class WorkerEventBridge;

// How the main window starts.
struct MainWindowOptions {
    // Straight into the tray (started with -min while MinToTray is on).
    bool startHidden = false;
    // The background worker runs while the window lives; pictures of the window go without.
    bool startWorker = true;
    // The worker's clock and wait; null: the installed clock and the real wait (tests give
    // theirs).
    const IClock* workerClock = nullptr;
    std::function<std::unique_ptr<IWorkerWait>()> workerWait;
    // Whether the desktop shows tray icons now; null: asked of a TrayWatcher.
    std::function<bool()> trayAvailable;
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
    // Ends a synchronisation's questions and stops the background worker (cancelling its call
    // in progress) before anything goes; then the pages go, ending their calls.
    ~MainWindow() override;

    void ShowPage(Page page);
    // The window comes to the front (also out of the tray) with this page (a notification's
    // action).
    void Present(Page page);
    // An sms: link: shows the window and the compose page with the link's recipients and text.
    void Compose(const ComposeRequest& request);

    // Puts a page in place of the tab's placeholder; the window owns it. Its tab and caption
    // stay.
    void SetPage(Page page, QWidget* widget);
    QWidget* PageWidget(Page page) const;

    // The minimise command (the strip's button, the system menu): into the tray when the user
    // wants it and there is one, else an ordinary minimised window.
    void Minimise();
    // The tray icon's double click: the window comes back, the icon goes.
    void RestoreFromTray();
    bool IsHiddenInTray() const { return m_hiddenInTray; }
    // The close command (the strip's button, the system menu, the window manager): the exit
    // button's rule.
    void Exit();

    // The caption strip's colours as activation gives them; pictures set them directly.
    void SetCaptionActive(bool active);
    // Opens the system menu under its area of the caption strip.
    void ShowSystemMenu();

    // Where the background worker reports, from its own thread (tests report as it would).
    IBackgroundEvents& BackgroundEvents();

signals:
    // The exit button ended the program (after its confirmation). The window has hidden; the
    // handler may end the event loop or delete the window later, not from within the signal.
    void finished();
    // The window is set up; the splash picture may go.
    void ready();
    // From the background worker: the session token may have changed (the statistics link).
    void tokenRefreshed();
    // From the background worker: the delivery states of this archive item changed.
    void archiveItemChanged(ArchiveItemKey key);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void BuildCaption();
    void BuildPages();
    void BuildSmsPage();
    void BuildSentItemsPage();
    void BuildAddressPages();
    void BuildSettingsPages();
    // A tab was chosen: leaving the settings page stores them, or keeps the user there.
    void PageChosen(int index);
    bool LeaveSettings();
    // The end of the program: the window hides and reports it.
    void Finish();
    QWidget* BuildBottomRow();
    void BuildSystemMenu();
    void StartHidden();
    bool TrayAvailable() const;
    void ShowTrayIcon();
    void BringBack();
    void AfterShown();
    void RunNoticeCheck();
    void ConnectWorkerEvents();
    void StartWorker();

    CSmsUserInfo& m_user;
    CServiceLock& m_serviceLock;
    IMessageBox& m_boxes;
    MainWindowOptions m_options;
    IDeliveryNotifier* m_notifier;
    CaptionStripWidget* m_caption = nullptr;
    QTabWidget* m_pages = nullptr;
    QLabel* m_statusLabel = nullptr;
    QPushButton* m_exitButton = nullptr;
    QMenu* m_systemMenu = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
    TrayWatcher* m_trayWatcher = nullptr;
    std::unique_ptr<WidgetSmsPageDialogs> m_smsDialogs;
    SmsPage* m_smsPage = nullptr;
    std::unique_ptr<WidgetSentItemsDialogs> m_sentItemsDialogs;
    std::unique_ptr<WidgetAddressPageDialogs> m_addressDialogs;
    std::unique_ptr<WidgetSyncUi> m_syncUi;
    std::unique_ptr<WidgetSettingsPageDialogs> m_settingsDialogs;
    SettingsPage* m_settingsPage = nullptr;
    int m_shownPage = 0;
    bool m_hiddenInTray = false;
    bool m_centreOnReturn = false; // it was started hidden and never placed
    bool m_noticeDone = false;
    bool m_noticeQueued = false;
    bool m_readySent = false;
    bool m_finished = false;
    // Last: the worker goes first, and its events before nothing they reach.
    std::unique_ptr<WorkerEventBridge> m_workerEvents;
    std::unique_ptr<BackgroundWorker> m_worker;
};
