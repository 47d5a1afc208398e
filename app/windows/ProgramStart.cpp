#include "windows/ProgramStart.h"

#include "controls/StandardTexts.h"
#include "controls/WindowCallRunner.h"
#include "logic/BoundedLogout.h"
#include "logic/LanguageChoice.h"
#include "logic/LoginFlow.h"
#include "logic/ProgramLanguage.h"
#include "logic/ProgramStrings.h"
#include "logic/ReadyReport.h"
#include "logic/SmsLink.h"
#include "model/SmsConfig.h"
#include "model/SmsUserInfo.h"
#include "platform/Paths.h"
#include "platform/RunningCopies.h"
#include "windows/LinkChannel.h"
#include "windows/MainWindow.h"
#include "windows/SplashWindow.h"
#include "windows/WidgetLoginDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <mutex>

namespace {

// How often a termination looks again for dialogs to close and a login to end.
constexpr int kTerminateRetryMilliseconds = 50;

// The kind of program the running copies are counted for.
constexpr const char* kCopiesKind = "quillon";

// Any function of the program: its folder is the program's folder.
void ProgramAnchor() {}

std::string ProgramDir() {
    return GetAppDir(reinterpret_cast<const void*>(&ProgramAnchor));
}

} // namespace

ProgramStart::ProgramStart(CommandLine commandLine, IMessageBox& boxes, QObject* parent)
    : QObject(parent), m_commandLine(std::move(commandLine)), m_boxes(boxes) {}

ProgramStart::~ProgramStart() {
    m_runner.reset();
    m_flow.reset();
    m_mainWindow.reset();
}

bool ProgramStart::TakesLinks() const {
    return m_links != nullptr;
}

void ProgramStart::Start() {
    m_copies = std::make_unique<RunningCopies>(kCopiesKind);
    m_otherCopies = m_copies->Others();
    // Listening first, so a copy started meanwhile hands over its link instead of logging in.
    auto links = std::make_unique<LinkChannel>();
    if (links->Listen()) {
        connect(links.get(), &LinkChannel::linkArrived, this, &ProgramStart::TakeLink);
        m_links = std::move(links);
    }
    if (!m_commandLine.link.empty())
        TakeLink(QString::fromStdString(m_commandLine.link));
    if (WarnsOfOtherCopy(m_otherCopies))
        m_boxes.Show(ProgramStrings(), kSecondCopyWarning, {}, IMessageBox::Icon::Exclamation,
                     IMessageBox::Buttons::Ok);

    m_config = CSmsConfig::GetInstance();
    if (!m_config) {
        m_ownConfig = std::make_unique<CSmsConfig>();
        m_config = m_ownConfig.get();
    }
    m_settings = StartupSettings::From(*m_config);
    if (ShowsSplash(m_commandLine.startMinimised, m_settings)) {
        m_splash = std::make_unique<SplashWindow>();
        m_splash->show();
        // The picture stays this long; the language is chosen meanwhile.
        QTimer::singleShot(kSplashMilliseconds, this, [this] {
            m_splashTimeOver = true;
            if (m_languageChosen)
                LogIn();
        });
    } else {
        m_splashTimeOver = true;
    }
    QTimer::singleShot(0, this, [this] {
        ChooseLanguage();
        m_languageChosen = true;
        if (m_splashTimeOver)
            LogIn();
    });
}

void ProgramStart::ChooseLanguage() {
    const LanguageChoice choice =
        ::ChooseLanguage(m_config->GetLcid(), ProgramDir(), ProgramVersion());
    m_config->SetLcid(choice.lcid);
    if (choice.resources) {
        ProgramLanguage::Use(*choice.resources);
        UseStandardTexts(QStringLiteral("en"));
    } else {
        UseStandardTexts(QStringLiteral("sk"));
    }
}

void ProgramStart::LogIn() {
    if (m_terminating)
        return;
    m_dialogs = std::make_unique<WidgetLoginDialogs>(ProgramStrings(), m_boxes);
    m_runner = std::make_unique<WindowCallRunner>(m_splash.get());
    const LoginSettings settings{m_settings.appMode, m_settings.defaultUser, m_otherCopies > 0};
    m_flow = std::make_unique<LoginFlow>(settings, StoredUsers(std::string(ProgramVersion())),
                                         *m_dialogs, ProgramStrings(), m_boxes, *m_runner);
    // The flow is left before it goes.
    m_flow->Run([this](bool succeeded) {
        QTimer::singleShot(0, this, [this, succeeded] { LoggedIn(succeeded); });
    });
}

void ProgramStart::LoggedIn(bool succeeded) {
    m_user = m_flow->TakeUser();
    m_runner.reset();
    m_flow.reset();
    m_dialogs.reset();
    if (m_terminating) {
        CloseSplash();
        succeeded ? Close() : End(1);
        return;
    }
    if (!succeeded) {
        CloseSplash();
        End(1);
        return;
    }
    if (!KeepsSavePasswordAfterLogin(m_settings))
        m_user->SavePassword(false);
    const ArchiveCleanup cleanup =
        ArchiveCleanupFor(m_user->GetAutoDelMode(), m_user->GetMaxDays(), m_user->GetMaxItems());
    if (cleanup.run) {
        const std::lock_guard<CSmsArchive::Mutex> lock(m_user->GetArchive().GetMutex());
        m_user->GetArchive().RemoveOldItems(cleanup.limit, cleanup.byDays);
    }
    OpenMainWindow();
}

void ProgramStart::OpenMainWindow() {
    MainWindowOptions options;
    options.startHidden = StartsHidden(m_commandLine.startMinimised, m_settings);
    m_mainWindow =
        std::make_unique<MainWindow>(*m_user, m_serviceLock, m_boxes, options, &m_notifier);
    connect(&m_notifier, &DesktopNotifier::archiveRequested, m_mainWindow.get(),
            [window = m_mainWindow.get()] { window->Present(MainWindow::Page::SentItems); });
    connect(m_mainWindow.get(), &MainWindow::finished, this, &ProgramStart::Close,
            Qt::QueuedConnection);
    connect(m_mainWindow.get(), &MainWindow::ready, this, &ProgramStart::MainWindowUp);
    // A window that says nothing of being ready is up once it shows.
    m_mainWindow->installEventFilter(this);
    if (!options.startHidden)
        m_mainWindow->show();
}

bool ProgramStart::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_mainWindow.get() && event->type() == QEvent::Show)
        QTimer::singleShot(0, this, &ProgramStart::MainWindowUp);
    return QObject::eventFilter(watched, event);
}

void ProgramStart::MainWindowUp() {
    if (m_running || !m_mainWindow)
        return;
    m_running = true;
    m_mainWindow->removeEventFilter(this);
    CloseSplash();
    DeliverLinks();
    emit running();
    if (ReadyReport::Requested()) {
        std::printf("%s\n", ReadyReport::Line().c_str());
        std::fflush(stdout);
        QTimer::singleShot(0, this, &ProgramStart::Close);
    }
}

void ProgramStart::TakeLink(const QString& link) {
    const std::optional<ComposeRequest> request = SmsLink::Parse(link.toStdString());
    // Junk from the desktop or another copy is dropped without a word.
    if (!request)
        return;
    m_pendingLinks.push_back(*request);
    if (m_running)
        DeliverLinks();
}

void ProgramStart::DeliverLinks() {
    std::vector<ComposeRequest> links;
    links.swap(m_pendingLinks);
    for (const ComposeRequest& request : links)
        m_mainWindow->Compose(request);
}

void ProgramStart::Terminate() {
    if (m_ended)
        return;
    m_terminating = true;
    // A dialog's own event loop must end before the windows under it may go: close it and
    // look again, also for the next one a login under way may open.
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        dialog || m_flow) {
        if (dialog)
            dialog->reject();
        QTimer::singleShot(kTerminateRetryMilliseconds, this, &ProgramStart::Terminate);
        return;
    }
    if (m_running)
        Close();
    else
        End(1);
}

void ProgramStart::Close() {
    if (m_ended || !m_user)
        return;
    // The window goes first: it stops its background worker, which saves the profile too.
    m_mainWindow.reset();
    if (!KeepsSavePasswordAtExit(m_settings, m_user->GetName()))
        m_user->SavePassword(false);
    m_user->Save(false);
    End(0);
}

void ProgramStart::End(int exitCode) {
    if (m_ended)
        return;
    m_ended = true;
    if (m_user) {
        LogoutWithin(*m_user, kLogoutLimit);
        m_user.reset();
    }
    m_links.reset();
    m_copies.reset();
    emit ended(exitCode);
}

void ProgramStart::CloseSplash() {
    if (m_splash)
        m_splash->close();
}
