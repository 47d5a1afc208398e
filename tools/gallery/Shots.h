#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

// Renders windows to PNG files in one folder, one file per window and state.
class Shots {
public:
    explicit Shots(QString folder);

    // The window as it is now (laid out and painted first).
    void Take(QWidget& window, const QString& name);
    // The window with a modal box open over it, as a user sees them: the box centred on it.
    void TakeWithBox(QWidget& window, QWidget& box, const QString& name);
    // Runs open, which opens a modal box, and shoots window and box once it is up; the box is
    // then closed with Escape. open returns when the box is gone.
    void TakeWhileBoxOpen(QWidget& window, const QString& name, const std::function<void()>& open);

    const QStringList& Written() const { return m_written; }
    bool Failed() const { return m_failed; }

private:
    void Save(const QImage& image, const QString& name);

    QString m_folder;
    QStringList m_written;
    bool m_failed = false;
};
