#include "windows/MainWindow.h"

#include <QTabWidget>
#include <QVBoxLayout>

MainWindow::MainWindow(CSmsUserInfo& user, CServiceLock& serviceLock, IMessageBox& boxes,
                       MainWindowOptions options, IDeliveryNotifier* notifier, QWidget* parent)
    : QWidget(parent), m_user(user), m_serviceLock(serviceLock), m_boxes(boxes), m_options(options),
      m_notifier(notifier), m_pages(new QTabWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
}

MainWindow::~MainWindow() = default;

void MainWindow::ShowPage(Page page) {
    m_pages->setCurrentIndex(static_cast<int>(page));
}

void MainWindow::Compose(const ComposeRequest&) {
    ShowPage(Page::Sms);
}
