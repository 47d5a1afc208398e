#include "windows/CaptionStripWidget.h"

#include "controls/Pictures.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {

QRect ToQRect(const StripRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

// Active colour components 255 (white), inactive 238 (light grey): a vertical run of fills
// that darkens a little towards the bottom edge, as a title bar does.
void PaintBackground(QPainter& painter, const QRect& area, bool active) {
    const int base = active ? 255 : 238;
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0.0, QColor(base, base, base));
    gradient.setColorAt(0.6, QColor(base, base, base));
    gradient.setColorAt(1.0, QColor(base - 14, base - 14, base - 12));
    painter.fillRect(area, gradient);
    painter.setPen(QColor(base - 50, base - 50, base - 45));
    painter.drawLine(area.bottomLeft(), area.bottomRight());
}

} // namespace

CaptionStripWidget::CaptionStripWidget(QWidget* parent)
    : QWidget(parent), m_cellPicture(QStringLiteral(":/quillon/app/caption-cell.svg")) {
    setObjectName(QStringLiteral("captionStripWidget"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    setFixedHeight(CaptionStrip::kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize CaptionStripWidget::sizeHint() const {
    return QSize(200, CaptionStrip::kHeight);
}

void CaptionStripWidget::SetActive(bool active) {
    if (m_strip.IsActive() == active)
        return;
    m_strip.SetActive(active);
    update();
}

void CaptionStripWidget::resizeEvent(QResizeEvent* event) {
    m_strip.SetWidth(width());
    QWidget::resizeEvent(event);
}

void CaptionStripWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool active = m_strip.IsActive();
    PaintBackground(painter, rect(), active);

    // The program's picture in the system-menu area, then the window's title beside it.
    const QRect menuArea = ToQRect(m_strip.SystemMenuArea());
    const QRect picture(menuArea.left() + 2, (CaptionStrip::kHeight - 16) / 2, 16, 16);
    window()->windowIcon().paint(&painter, picture);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(active ? QColor(0x17, 0x4a, 0x84) : QColor(0x80, 0x80, 0x80));
    const int textLeft = picture.right() + 6;
    const QRect textArea(textLeft, 0, m_strip.MinimiseButton().left - 6 - textLeft,
                         CaptionStrip::kHeight - 1);
    painter.drawText(textArea, Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(window()->windowTitle(), Qt::ElideRight,
                                                      textArea.width()));

    m_cellPicture.paint(&painter, ToQRect(m_strip.ImageCell()));
    PaintButton(painter, StripPart::Minimise);
    PaintButton(painter, StripPart::Close);
}

// A flat button that shows its frame and sinks while pressed; its glyph is drawn, so it stays
// sharp at any scale.
void CaptionStripWidget::PaintButton(QPainter& painter, StripPart button) const {
    const bool close = button == StripPart::Close;
    QRect box = ToQRect(close ? m_strip.CloseButton() : m_strip.MinimiseButton());
    const bool pressed = m_strip.PressedButton() == button;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (pressed) {
        painter.setPen(QColor(0x8a, 0x8a, 0x8a));
        painter.setBrush(close ? QColor(0xd9, 0x4c, 0x4c) : QColor(0xc8, 0xd3, 0xe0));
        painter.drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
        box.translate(1, 1);
    }
    const QColor ink = pressed && close     ? QColor(Qt::white)
                       : m_strip.IsActive() ? QColor(0x30, 0x30, 0x30)
                                            : QColor(0x90, 0x90, 0x90);
    QPen pen(ink, 1.6);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    const QPointF c = QRectF(box).center();
    if (close) {
        painter.drawLine(c + QPointF(-3.5, -3.5), c + QPointF(3.5, 3.5));
        painter.drawLine(c + QPointF(-3.5, 3.5), c + QPointF(3.5, -3.5));
    } else {
        painter.drawLine(c + QPointF(-4, 3.5), c + QPointF(4, 3.5));
    }
    painter.restore();
}

void CaptionStripWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const QPoint at = event->position().toPoint();
    switch (m_strip.Press(at.x(), at.y())) {
    case StripCommand::Move:
        StartMove(event->globalPosition().toPoint());
        break;
    case StripCommand::SystemMenu:
        emit systemMenuRequested(mapToGlobal(QPoint(0, CaptionStrip::kHeight)));
        break;
    default:
        break;
    }
    update();
}

void CaptionStripWidget::mouseMoveEvent(QMouseEvent* event) {
    if (m_manualMoveOffset) {
        window()->move(event->globalPosition().toPoint() - *m_manualMoveOffset);
        return;
    }
    const QPoint at = event->position().toPoint();
    const StripPart before = m_strip.PressedButton();
    m_strip.Move(at.x(), at.y());
    if (m_strip.PressedButton() != before)
        update();
}

void CaptionStripWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    m_manualMoveOffset.reset();
    const QPoint at = event->position().toPoint();
    const StripCommand command = m_strip.Release(at.x(), at.y());
    update();
    // Last: the window may hide or end in the handler.
    if (command == StripCommand::Minimise)
        emit minimiseClicked();
    else if (command == StripCommand::Close)
        emit closeClicked();
}

// The window does not maximise; a double click is two presses and no more.
void CaptionStripWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

// The window system moves the window where it can (on Wayland only it may); where it declines,
// the window follows the mouse itself.
void CaptionStripWidget::StartMove(const QPoint& globalPosition) {
    QWindow* handle = window()->windowHandle();
    if (handle && handle->startSystemMove())
        return;
    m_manualMoveOffset = globalPosition - window()->frameGeometry().topLeft();
}
