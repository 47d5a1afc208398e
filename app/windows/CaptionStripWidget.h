#pragma once

#include "logic/CaptionStrip.h"

#include <QIcon>
#include <QPoint>
#include <QWidget>

#include <optional>

// The main window's own title bar, 22 pixels high across the window: the program's picture and
// title, the system-menu area at the left, minimise and close at the right. It draws itself
// active (white) or inactive (light grey) as its window is, and drags the window by the bare
// strip. The logic is CaptionStrip's; this widget paints and forwards the mouse.
class CaptionStripWidget : public QWidget {
    Q_OBJECT
public:
    explicit CaptionStripWidget(QWidget* parent = nullptr);

    const CaptionStrip& Strip() const { return m_strip; }
    void SetActive(bool active);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void minimiseClicked();
    void closeClicked();
    // Global position where the menu goes: under the system-menu area.
    void systemMenuRequested(QPoint at);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void StartMove(const QPoint& globalPosition);
    void PaintButton(QPainter& painter, StripPart button) const;

    CaptionStrip m_strip;
    QIcon m_cellPicture;
    // Where the window's corner was taken when the window system leaves the move to us.
    std::optional<QPoint> m_manualMoveOffset;
};
