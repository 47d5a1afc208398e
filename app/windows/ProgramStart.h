#pragma once

#include "logic/CommandLine.h"
#include "logic/ComposeRequest.h"
#include "logic/StartupDecisions.h"
#include "service/ServiceLock.h"
#include "windows/DesktopNotifier.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

class CSmsConfig;
class CSmsUserInfo;
class IMessageBox;
class LinkChannel;
class LoginFlow;
class MainWindow;
class RunningCopies;
class SplashWindow;
class WidgetLoginDialogs;
class WindowCallRunner;

// The desktop program from start to end: the warning of another running copy, the splash
// picture, the interface language, the login, the archive clean-up, the main window, and at the
// end the profile's save and the logout. It runs in the event loop: nothing waits by sleeping,
// and ended() tells the exit code (0 after the main window closed, 1 after a failed login).
// sms: links, given on the command line or forwarded by a later copy, go to the compose page
// once the user is logged in.
class ProgramStart : public QObject {
    Q_OBJECT
public:
    // boxes must outlive this.
    ProgramStart(CommandLine commandLine, IMessageBox& boxes, QObject* parent = nullptr);
    ~ProgramStart() override;

    // Starts the sequence; call once, with the event loop about to run.
    void Start();

    // The session ends or the user pressed Ctrl+C: the program ends as by its exit button but
    // without asking; open dialogs are closed first, and a login under way ends as failed.
    void Terminate();

    // What a test looks at on the way.
    SplashWindow* GetSplash() const { return m_splash.get(); }
    MainWindow* GetMainWindow() const { return m_mainWindow.get(); }
    CSmsUserInfo* GetUser() const { return m_user.get(); }
    int OtherCopies() const { return m_otherCopies; }
    // Whether this copy listens for the links of later copies.
    bool TakesLinks() const;

signals:
    // The program is over; the event loop may end with exitCode.
    void ended(int exitCode);
    // The main window is up and the user logged in.
    void running();

private:
    void ChooseLanguage();
    void LogIn();
    void LoggedIn(bool succeeded);
    void OpenMainWindow();
    void MainWindowUp();
    void TakeLink(const QString& link);
    void DeliverLinks();
    void Close();
    void End(int exitCode);
    void CloseSplash();
    bool eventFilter(QObject* watched, QEvent* event) override;

    CommandLine m_commandLine;
    IMessageBox& m_boxes;
    std::unique_ptr<RunningCopies> m_copies;
    int m_otherCopies = 0;
    std::unique_ptr<CSmsConfig> m_ownConfig; // when the library holds no settings
    CSmsConfig* m_config = nullptr;
    StartupSettings m_settings;
    CServiceLock m_serviceLock;
    DesktopNotifier m_notifier;
    std::unique_ptr<LinkChannel> m_links;
    std::vector<ComposeRequest> m_pendingLinks;
    std::unique_ptr<SplashWindow> m_splash;
    bool m_splashTimeOver = false;
    bool m_languageChosen = false;
    std::unique_ptr<CSmsUserInfo> m_user;
    std::unique_ptr<MainWindow> m_mainWindow;
    bool m_running = false;
    bool m_ended = false;
    bool m_terminating = false;
    // The login's pieces; the runner last, so it goes first.
    std::unique_ptr<WidgetLoginDialogs> m_dialogs;
    std::unique_ptr<LoginFlow> m_flow;
    std::unique_ptr<WindowCallRunner> m_runner;
};
