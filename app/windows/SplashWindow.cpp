#include "windows/SplashWindow.h"

#include "logic/LanguageChoice.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

// The pictures are in a static library: its resources are registered by hand (outside any
// namespace, as Qt's macro wants).
static void InitProgramResources() {
    Q_INIT_RESOURCE(program);
}

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    InitProgramResources();
    setObjectName(QStringLiteral("splashWindow"));
    setAccessibleName(QStringLiteral("Quillon"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setCursor(Qt::ArrowCursor);
    setFixedSize(kWidth, kHeight);

    const qreal ratio = qApp->devicePixelRatio();
    m_picture = QPixmap(QSize(kWidth, kHeight) * ratio);
    m_picture.fill(Qt::transparent);
    QPainter painter(&m_picture);
    QSvgRenderer(QStringLiteral(":/quillon-program/splash.svg")).render(&painter);
    m_picture.setDevicePixelRatio(ratio);
}

QString SplashWindow::VersionText() const {
    return QStringLiteral("verzia %1")
        .arg(QString::fromUtf8(ProgramVersion().data(), int(ProgramVersion().size())));
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    painter.setPen(QColor(0xcf, 0xe2, 0xf7));
    QFont font = painter.font();
    font.setPixelSize(12);
    painter.setFont(font);
    painter.drawText(rect().adjusted(0, 0, -12, -10), Qt::AlignRight | Qt::AlignBottom,
                     VersionText());
}

void SplashWindow::showEvent(QShowEvent* event) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QWidget::showEvent(event);
}
