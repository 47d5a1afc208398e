#include "HyperLink.h"

#include "service/ServiceLock.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

HyperLink::HyperLink(const QString& text, QWidget* parent)
    : QLabel(text, parent),
      m_opener([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setTextFormat(Qt::PlainText);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette colours = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        colours.setColor(group, QPalette::WindowText, LinkColour());
    setPalette(colours);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    // Room for the focus frame around the text.
    setContentsMargins(2, 1, 2, 1);
}

void HyperLink::SetUrl(const QUrl& url) {
    if (url != m_url)
        m_visited = false;
    m_url = url;
}

bool HyperLink::Open() {
    if (m_url.isEmpty())
        return false;
    bool done = false;
    if (m_tokenLock) {
        const auto lock = m_tokenLock->Lock();
        m_tokenLock->SetLinkOpened();
        done = m_opener(m_url);
    } else {
        done = m_opener(m_url);
    }
    if (!done)
        return false;
    m_visited = true;
    emit opened();
    return true;
}

void HyperLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Open();
        event->accept();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void HyperLink::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Open();
        event->accept();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void HyperLink::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.rect = rect();
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}
