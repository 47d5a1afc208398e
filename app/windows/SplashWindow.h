#pragma once

#include <QPixmap>
#include <QWidget>

// The picture the program shows while it starts: borderless, centred on the screen, with the
// arrow cursor, the program's name and its version. It never stays on top, so the login dialog
// comes up in front of it.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    // The picture's size in device-independent pixels.
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 250;

    explicit SplashWindow(QWidget* parent = nullptr);

    // The version line drawn into the picture, e.g. "verzia 1.1.0".
    QString VersionText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QPixmap m_picture;
};
