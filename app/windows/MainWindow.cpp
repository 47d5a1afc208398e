#include "windows/MainWindow.h"

#include "controls/ControlsText.h"
#include "controls/Pictures.h"
#include "controls/WidgetSyncUi.h"
#include "frontend/BackgroundWorker.h"
#include "frontend/IWorkerWait.h"
#include "logic/IDeliveryNotifier.h"
#include "logic/MainWindowStrings.h"
#include "logic/MinimiseRule.h"
#include "logic/NoticeSchedule.h"
#include "logic/ProgramStrings.h"
#include "model/FormatText.h"
#include "model/SmsConfig.h"
#include "model/SmsUserInfo.h"
#include "platform/Clock.h"
#include "windows/AboutPage.h"
#include "windows/AddressPage.h"
#include "windows/CaptionStripWidget.h"
#include "windows/ExitConfirmDlg.h"
#include "windows/GroupPage.h"
#include "windows/NoticeDlg.h"
#include "windows/SentItemsPage.h"
#include "windows/SettingsPage.h"
#include "windows/SmsPage.h"
#include "windows/TrayWatcher.h"
#include "windows/WidgetAddressPageDialogs.h"
#include "windows/WidgetSentItemsDialogs.h"
#include "windows/WidgetSettingsPageDialogs.h"
#include "windows/WidgetSmsPageDialogs.h"
#include "windows/WorkerEventBridge.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QVBoxLayout>

#include <string>
#include <utility>

namespace {

std::string Utf8Text(int id) {
    const auto text = ProgramStrings().GetUtf8(id);
    return text ? std::string(*text) : std::string();
}

QString Text(int id) {
    return FromUtf8(Utf8Text(id));
}

const char* const kPageNames[] = {"smsPage",       "addressPage",  "groupPage",
                                  "sentItemsPage", "settingsPage", "aboutPage"};
constexpr int kPageCount = 6;

bool MinToTray() {
    const CSmsConfig* config = CSmsConfig::GetInstance();
    return config && config->GetMinToTray();
}

// The service's notice (system text), or the program's own page when it sent none.
QString NoticePageFor(const CSmsUserInfo& user) {
    const std::string notice = ToQString(user.GetNotice()).toStdString();
    return FromUtf8(NoticePage(notice, Utf8Text(ProgramString::DefaultNotice)));
}

} // namespace

MainWindow::MainWindow(CSmsUserInfo& user, CServiceLock& serviceLock, IMessageBox& boxes,
                       MainWindowOptions options, IDeliveryNotifier* notifier, QWidget* parent)
    : QWidget(parent), m_user(user), m_serviceLock(serviceLock), m_boxes(boxes),
      m_options(std::move(options)), m_notifier(notifier) {
    // The pictures live in this static library, whose resources nothing else pulls in.
    Q_INIT_RESOURCE(mainwindow);
    setObjectName(QStringLiteral("mainWindow"));
    // The caption strip is the title bar; the window system draws none.
    setWindowFlags(windowFlags() | Qt::Window | Qt::FramelessWindowHint |
                   Qt::WindowMinimizeButtonHint);
    setWindowTitle(Text(ProgramString::Title));
    setWindowIcon(OwnIcon(QStringLiteral("quillon")));

    BuildCaption();
    BuildPages();
    BuildSmsPage();
    BuildSentItemsPage();
    BuildAddressPages();
    BuildSettingsPages();
    auto* layout = new QVBoxLayout(this);
    // Room for the frame the window system no longer draws.
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(m_caption);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(9, 6, 9, 9);
    body->addWidget(m_pages, 1);
    body->addWidget(BuildBottomRow());
    layout->addLayout(body, 1);
    BuildSystemMenu();
    resize(sizeHint().expandedTo(QSize(720, 540)));

    if (!m_options.trayAvailable)
        m_trayWatcher = new TrayWatcher(this);
    m_tray = new QSystemTrayIcon(windowIcon(), this);
    m_tray->setObjectName(QStringLiteral("trayIcon"));
    m_tray->setToolTip(Text(ProgramString::TrayTip));
    connect(m_tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                // Some desktops send a double click, some only the click.
                if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger)
                    RestoreFromTray();
            });

    ConnectWorkerEvents();
    if (m_options.startWorker)
        StartWorker();
    // Once the program has connected to the window and runs its event loop.
    if (m_options.startHidden)
        QMetaObject::invokeMethod(this, &MainWindow::StartHidden, Qt::QueuedConnection);
}

MainWindow::~MainWindow() {
    // A synchronisation's worker may be waiting for a question: it gets "end the run", so the
    // contacts page's runner below can end the run instead of waiting for ever.
    m_syncUi->Abandon();
    if (m_worker)
        m_worker->Stop();
    // The pages go before the dialogs and the synchronisation's questions they use (as children
    // they would go only after the members); a tab leaving meanwhile is no page change.
    disconnect(m_pages, nullptr, this, nullptr);
    delete m_pages;
    m_pages = nullptr;
    m_smsPage = nullptr;
    m_settingsPage = nullptr;
    m_statusLabel = nullptr;
}

void MainWindow::BuildCaption() {
    m_caption = new CaptionStripWidget(this);
    m_caption->setAccessibleName(windowTitle());
    connect(m_caption, &CaptionStripWidget::minimiseClicked, this, &MainWindow::Minimise);
    connect(m_caption, &CaptionStripWidget::closeClicked, this, &MainWindow::Exit);
    connect(m_caption, &CaptionStripWidget::systemMenuRequested, this,
            [this](QPoint at) { m_systemMenu->popup(at); });
}

void MainWindow::BuildPages() {
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pagesTabWidget"));
    m_pages->setAccessibleName(Text(MainWindowString::Pages));
    for (int i = 0; i < kPageCount; ++i) {
        auto* placeholder = new QWidget;
        placeholder->setObjectName(QString::fromLatin1(kPageNames[i]));
        m_pages->addTab(placeholder, Text(MainWindowString::FirstTab + i));
    }
    // Who is logged in, at the right beside the tabs.
    const std::string name = ToQString(m_user.GetName()).toStdString();
    m_statusLabel =
        new QLabel(FromUtf8(FormatText(Utf8Text(ProgramString::LoggedInAs), {name})), m_pages);
    m_statusLabel->setObjectName(QStringLiteral("statusLabel"));
    m_statusLabel->setAccessibleName(m_statusLabel->text());
    m_statusLabel->setContentsMargins(12, 0, 4, 0);
    m_statusLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pages->setCornerWidget(m_statusLabel, Qt::TopRightCorner);
}

void MainWindow::BuildSmsPage() {
    m_smsDialogs = std::make_unique<WidgetSmsPageDialogs>(m_user, this);
    m_smsPage = new SmsPage(m_user, m_boxes, *m_smsDialogs);
    SetPage(Page::Sms, m_smsPage);
}

// The archive page follows the background worker, takes the credit after a send paid with it,
// and forwards a message to the compose page.
void MainWindow::BuildSentItemsPage() {
    m_sentItemsDialogs = std::make_unique<WidgetSentItemsDialogs>(m_user, m_boxes, this);
    auto* page = new SentItemsPage(m_user, m_serviceLock, m_boxes, *m_sentItemsDialogs);
    SetPage(Page::SentItems, page);
    connect(this, &MainWindow::archiveItemChanged, page, &SentItemsPage::ItemChanged);
    connect(this, &MainWindow::tokenRefreshed, page, &SentItemsPage::TokenRefreshed);
    connect(m_smsPage, &SmsPage::creditChanged, page, &SentItemsPage::ShowCredit);
    connect(page, &SentItemsPage::forwardRequested, this, [this](const QString& text, bool flash) {
        m_smsPage->Forward(text, flash);
        ShowPage(Page::Sms);
    });
}

// The contacts page tells the groups page when an import or a synchronisation changed the book.
void MainWindow::BuildAddressPages() {
    m_addressDialogs = std::make_unique<WidgetAddressPageDialogs>(m_user, m_boxes, this);
    m_syncUi = std::make_unique<WidgetSyncUi>(m_boxes, ProgramStrings(), this);
    auto* contacts = new AddressPage(m_user, m_boxes, *m_addressDialogs, *m_syncUi);
    SetPage(Page::Address, contacts);
    auto* groups = new GroupPage(m_user, m_boxes, *m_addressDialogs);
    SetPage(Page::Group, groups);
    connect(contacts, &AddressPage::addressBookChanged, groups, &GroupPage::Reload);
}

// The settings are stored when their page is left; a deactivated service the program cannot
// work without ends it.
void MainWindow::BuildSettingsPages() {
    m_settingsDialogs = std::make_unique<WidgetSettingsPageDialogs>(m_user, m_boxes, this);
    m_settingsPage = new SettingsPage(m_user, m_boxes, *m_settingsDialogs,
                                      QCoreApplication::applicationFilePath().toStdString());
    SetPage(Page::Settings, m_settingsPage);
    connect(m_settingsPage, &SettingsPage::programEndRequested, this, &MainWindow::Finish,
            Qt::QueuedConnection);
    SetPage(Page::About, new AboutPage);
    connect(m_pages, &QTabWidget::currentChanged, this, &MainWindow::PageChosen);
}

void MainWindow::PageChosen(int index) {
    if (m_shownPage == static_cast<int>(Page::Settings) && index != m_shownPage &&
        !m_settingsPage->Leave()) {
        const QSignalBlocker quiet(m_pages);
        m_pages->setCurrentIndex(m_shownPage);
        return;
    }
    m_shownPage = index;
}

bool MainWindow::LeaveSettings() {
    return m_pages->currentIndex() != static_cast<int>(Page::Settings) || m_settingsPage->Leave();
}

QWidget* MainWindow::BuildBottomRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 6, 0, 0);
    m_exitButton = new QPushButton(Text(ProgramString::Exit), row);
    m_exitButton->setObjectName(QStringLiteral("exitButton"));
    m_exitButton->setAccessibleName(Spoken(m_exitButton->text()));
    // Enter belongs to the pages (the compose page sends with it), never to the exit.
    m_exitButton->setAutoDefault(false);
    connect(m_exitButton, &QPushButton::clicked, this, &MainWindow::Exit);
    layout->addWidget(m_exitButton);
    layout->addStretch(1);
    return row;
}

void MainWindow::BuildSystemMenu() {
    m_systemMenu = new QMenu(this);
    m_systemMenu->setObjectName(QStringLiteral("systemMenu"));
    m_systemMenu->setAccessibleName(Text(MainWindowString::WindowMenu));
    QAction* restore =
        m_systemMenu->addAction(Text(MainWindowString::Restore), this, [this] { showNormal(); });
    restore->setObjectName(QStringLiteral("restoreAction"));
    QAction* minimise =
        m_systemMenu->addAction(Text(MainWindowString::Minimise), this, &MainWindow::Minimise);
    minimise->setObjectName(QStringLiteral("minimiseAction"));
    m_systemMenu->addSeparator();
    QAction* close =
        m_systemMenu->addAction(Text(MainWindowString::Close), this, &MainWindow::Exit);
    close->setObjectName(QStringLiteral("closeAction"));
    // Where no window manager takes Alt+F4 (or Alt+Space), the window does.
    close->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    addAction(close);
    auto* openMenu = new QAction(this);
    openMenu->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Space));
    connect(openMenu, &QAction::triggered, this, &MainWindow::ShowSystemMenu);
    addAction(openMenu);
    connect(m_systemMenu, &QMenu::aboutToShow, this,
            [this, restore] { restore->setEnabled(isMinimized() || isMaximized()); });
}

void MainWindow::ShowSystemMenu() {
    const StripRect area = m_caption->Strip().SystemMenuArea();
    m_systemMenu->popup(m_caption->mapToGlobal(QPoint(area.left, CaptionStrip::kHeight)));
}

void MainWindow::ShowPage(Page page) {
    m_pages->setCurrentIndex(static_cast<int>(page));
}

void MainWindow::SetPage(Page page, QWidget* widget) {
    const int index = static_cast<int>(page);
    const bool current = m_pages->currentIndex() == index;
    QWidget* placeholder = m_pages->widget(index);
    const QString caption = m_pages->tabText(index);
    m_pages->removeTab(index);
    m_pages->insertTab(index, widget, caption);
    delete placeholder;
    if (current)
        m_pages->setCurrentIndex(index);
}

QWidget* MainWindow::PageWidget(Page page) const {
    return m_pages->widget(static_cast<int>(page));
}

void MainWindow::Present(Page page) {
    if (m_hiddenInTray)
        RestoreFromTray();
    else
        BringBack();
    ShowPage(page);
}

void MainWindow::Compose(const ComposeRequest& request) {
    m_smsPage->Compose(request);
    Present(Page::Sms);
}

bool MainWindow::TrayAvailable() const {
    return m_options.trayAvailable ? m_options.trayAvailable() : m_trayWatcher->IsTrayAvailable();
}

void MainWindow::ShowTrayIcon() {
    m_tray->show();
    m_hiddenInTray = true;
}

void MainWindow::Minimise() {
    if (ChooseMinimiseTarget(MinToTray(), TrayAvailable()) == MinimiseTarget::Tray) {
        ShowTrayIcon();
        hide();
    } else {
        showMinimized();
    }
}

// Started with -min while MinToTray is on: only the tray icon shows; without a tray the window
// starts minimised instead, so it can still be reached.
void MainWindow::StartHidden() {
    m_centreOnReturn = true;
    if (ChooseMinimiseTarget(true, TrayAvailable()) == MinimiseTarget::Tray) {
        ShowTrayIcon();
        hide();
        m_readySent = true;
        emit ready();
    } else {
        showMinimized();
    }
}

void MainWindow::RestoreFromTray() {
    m_tray->hide();
    m_hiddenInTray = false;
    BringBack();
}

void MainWindow::BringBack() {
    if (m_centreOnReturn) {
        m_centreOnReturn = false;
        if (const QScreen* area = screen())
            move(area->availableGeometry().center() - rect().center());
    }
    showNormal();
    raise();
    activateWindow();
}

void MainWindow::Exit() {
    if (m_finished || !LeaveSettings())
        return;
    if (CSmsConfig* config = CSmsConfig::GetInstance();
        config && !ExitConfirmDlg::ExitButton(*config, this))
        return;
    Finish();
}

void MainWindow::Finish() {
    if (m_finished)
        return;
    m_finished = true;
    m_tray->hide();
    hide();
    emit finished();
}

void MainWindow::SetCaptionActive(bool active) {
    m_caption->SetActive(active);
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        SetCaptionActive(isActiveWindow());
    } else if (event->type() == QEvent::WindowStateChange) {
        // Minimised by the desktop (a task bar, a shortcut): the same rule as our button.
        if (isMinimized() &&
            ChooseMinimiseTarget(MinToTray(), TrayAvailable()) == MinimiseTarget::Tray)
            QMetaObject::invokeMethod(this, &MainWindow::Minimise, Qt::QueuedConnection);
        else if (!isMinimized() && isVisible())
            AfterShown();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_finished)
        return event->accept();
    event->ignore();
    Exit();
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    AfterShown();
}

void MainWindow::AfterShown() {
    if (!m_readySent) {
        m_readySent = true;
        QMetaObject::invokeMethod(this, &MainWindow::ready, Qt::QueuedConnection);
    }
    // The notice comes once per run, over the window as the user first sees it.
    if (!m_noticeDone && !m_noticeQueued && !isMinimized()) {
        m_noticeQueued = true;
        QMetaObject::invokeMethod(this, &MainWindow::RunNoticeCheck, Qt::QueuedConnection);
    }
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Escape never closes the window.
    if (event->key() == Qt::Key_Escape)
        return event->accept();
    QWidget::keyPressEvent(event);
}

void MainWindow::RunNoticeCheck() {
    m_noticeQueued = false;
    if (m_noticeDone || !isVisible() || isMinimized())
        return;
    m_noticeDone = true;
    const std::int64_t now = Clock::Now();
    if (!IsNoticeDue(m_user.ShowNotice() != 0, now, m_user.GetLastNoticeTime()))
        return;
    NoticeDlg notice(NoticePageFor(m_user), this);
    notice.exec();
    m_user.SetLastNoticeTime(now);
}

IBackgroundEvents& MainWindow::BackgroundEvents() {
    return *m_workerEvents;
}

void MainWindow::ConnectWorkerEvents() {
    m_workerEvents = std::make_unique<WorkerEventBridge>();
    connect(m_workerEvents.get(), &WorkerEventBridge::tokenRefreshed, this,
            &MainWindow::tokenRefreshed);
    connect(m_workerEvents.get(), &WorkerEventBridge::archiveItemChanged, this,
            &MainWindow::archiveItemChanged);
    connect(m_workerEvents.get(), &WorkerEventBridge::deliveriesReported, this,
            [this](const DeliveryCounts& counts) {
                if (m_notifier && counts.Any())
                    m_notifier->Notify(counts);
            });
}

void MainWindow::StartWorker() {
    m_worker = std::make_unique<BackgroundWorker>(
        m_user, m_serviceLock, *m_workerEvents, m_options.workerClock,
        m_options.workerWait ? m_options.workerWait() : nullptr);
    m_worker->Start();
}
