#include "Shots.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>

#include <cstdio>
#include <utility>

namespace {

// Shows the window and lets it lay out and paint.
void Settle(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

} // namespace

Shots::Shots(QString folder) : m_folder(std::move(folder)) {
    QDir().mkpath(m_folder);
}

void Shots::Take(QWidget& window, const QString& name) {
    Settle(window);
    Save(window.grab().toImage(), name);
}

void Shots::TakeWithBox(QWidget& window, QWidget& box, const QString& name) {
    const QImage under = window.grab().toImage();
    const QImage over = box.grab().toImage();
    QImage image = under.convertToFormat(QImage::Format_ARGB32);
    const int ratio = int(under.devicePixelRatio());
    // A box larger than its window widens the picture rather than being cut.
    if (over.width() > image.width() || over.height() > image.height()) {
        QImage wider(std::max(image.width(), over.width()), std::max(image.height(), over.height()),
                     QImage::Format_ARGB32);
        wider.fill(Qt::darkGray);
        QPainter(&wider).drawImage(0, 0, image);
        image = wider;
    }
    QPainter painter(&image);
    const QPoint corner((image.width() - over.width()) / 2, (image.height() - over.height()) / 2);
    painter.fillRect(QRect(corner + QPoint(3, 3) * ratio, over.size()), QColor(0, 0, 0, 60));
    painter.drawImage(corner, over);
    painter.setPen(Qt::darkGray);
    painter.drawRect(QRect(corner, over.size()).adjusted(0, 0, -1, -1));
    painter.end();
    Save(image, name);
}

void Shots::TakeWhileBoxOpen(QWidget& window, const QString& name,
                             const std::function<void()>& open) {
    Settle(window);
    bool shot = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || box == &window || shot)
            return;
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        TakeWithBox(window, *box, name);
        shot = true;
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(box, &escape);
    });
    poll.start();
    open();
    poll.stop();
    if (!shot) {
        std::fprintf(stderr, "no box opened for %s\n", qPrintable(name));
        m_failed = true;
    }
}

void Shots::Save(const QImage& image, const QString& name) {
    const QString path = QDir(m_folder).filePath(name + ".png");
    if (!image.save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        m_failed = true;
        return;
    }
    m_written << path;
}
