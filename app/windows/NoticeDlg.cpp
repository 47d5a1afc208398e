#include "windows/NoticeDlg.h"

#include "controls/ControlsText.h"
#include "logic/NoticeLinks.h"
#include "logic/ProgramCaptions.h"
#include "windows/ProgramText.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

namespace Ids = ProgramCaptions::Notice;

QString Caption(int control) {
    return ProgramCaption(Ids::kDialog, control);
}

} // namespace

NoticeDlg::NoticeDlg(const QString& page, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("noticeDialog"));
    setWindowTitle(Caption(ProgramCaptions::kCaption));

    // The content keeps its full height while the window is cut during the slide, so the window
    // shows its upper part rather than a squeezed page.
    m_content = new QWidget(this);
    m_content->setObjectName(QStringLiteral("noticeContentWidget"));

    m_browser = new QTextBrowser(m_content);
    m_browser->setObjectName(QStringLiteral("noticeTextBrowser"));
    m_browser->setAccessibleName(Caption(Ids::kBrowser));
    m_browser->setContextMenuPolicy(Qt::NoContextMenu);
    m_browser->setOpenLinks(false);
    m_browser->setHtml(page);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &NoticeDlg::OpenLink);

    auto* close = new QPushButton(Caption(Ids::kClose), m_content);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setAccessibleName(Spoken(Caption(Ids::kClose)));
    connect(close, &QPushButton::clicked, this, &NoticeDlg::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(m_content);
    layout->addWidget(m_browser, 1);
    layout->addLayout(buttons);

    const QFontMetrics metrics = fontMetrics();
    const QSize size(metrics.averageCharWidth() * 64, metrics.height() * 18);
    m_content->setGeometry(QRect(QPoint(0, 0), size));
    resize(size);
    setContextMenuPolicy(Qt::NoContextMenu);
    m_browser->setFocus();

    m_timer.setInterval(1);
    connect(&m_timer, &QTimer::timeout, this, &NoticeDlg::Tick);
}

void NoticeDlg::Arrive() {
    if (!m_slide)
        StartSlide();
    while (!m_arrived)
        Tick();
}

void NoticeDlg::setVisible(bool visible) {
    if (visible && !m_slide) {
        StartSlide();
        m_timer.start();
    }
    QDialog::setVisible(visible);
}

QRect NoticeDlg::OwnerArea() const {
    if (parentWidget())
        return parentWidget()->window()->frameGeometry();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, width(), height());
}

void NoticeDlg::StartSlide() {
    const QRect owner = OwnerArea();
    const int height = m_content->height();
    m_left = owner.x() + (owner.width() - width()) / 2;
    const int targetTop = owner.y() + (owner.height() - height) / 2;
    m_slide.emplace(targetTop, owner.y() + owner.height(), height);
    Tick();
}

void NoticeDlg::Tick() {
    const std::optional<NoticeSlide::Frame> frame = m_slide->Next();
    if (!frame) {
        m_timer.stop();
        m_arrived = true;
        return;
    }
    // A window cannot be 0 pixels high: the first frame is one line inside the owner's bottom.
    const int height = std::max(frame->height, 1);
    const int top = frame->height > 0 ? frame->top : frame->top - 1;
    setGeometry(m_left, top, width(), height);
}

void NoticeDlg::OpenLink(const QUrl& url) {
    if (IsNoticeLinkOpenable(url.scheme().toStdString()))
        QDesktopServices::openUrl(url);
}
