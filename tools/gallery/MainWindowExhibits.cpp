// The main window in the gallery: its caption strip active and inactive, and its system menu.
#include "Exhibit.h"
#include "GalleryAccount.h"

#include "BuildConfig.h"
#include "frontend/ClientTypes.h"
#include "model/SmsUserInfo.h"
#include "service/ServiceLock.h"
#include "windows/MainWindow.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPainter>

namespace {

// Whom a main window of the gallery shows: the logged-in user, or a canned one. The worker
// never runs here, so the canned user talks to nothing.
struct WindowOwner {
    CSmsUserInfo canned{"jan.novak", QUILLON_VERSION_STRING, kDesktopClientType};
    CServiceLock serviceLock;
};

std::unique_ptr<MainWindow> OpenMainWindow(CSmsUserInfo* user) {
    auto* owner = new WindowOwner;
    MainWindowOptions options;
    options.startWorker = false;
    auto window = std::make_unique<MainWindow>(user ? *user : owner->canned, owner->serviceLock,
                                               GalleryBoxes(), options);
    QObject::connect(window.get(), &QObject::destroyed, [owner] { delete owner; });
    return window;
}

void Settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// A picture made of several windows, shot as one.
void TakePicture(Shots& shots, const QPixmap& picture, const QString& name) {
    QLabel frame;
    frame.setContentsMargins(0, 0, 0, 0);
    frame.setPixmap(picture);
    frame.setFixedSize(picture.deviceIndependentSize().toSize());
    shots.Take(frame, name);
}

void ShootMainWindow(Shots& shots) {
    const auto window = OpenMainWindow(nullptr);
    window->show();
    Settle();
    window->SetCaptionActive(true);
    TakePicture(shots, window->grab(), "main-window-active");
    window->SetCaptionActive(false);
    TakePicture(shots, window->grab(), "main-window-inactive");

    window->SetCaptionActive(true);
    window->ShowSystemMenu();
    Settle();
    auto* menu = window->findChild<QMenu*>("systemMenu");
    QPixmap picture = window->grab();
    {
        QPainter painter(&picture);
        painter.drawPixmap(menu->geometry().topLeft() - window->geometry().topLeft(), menu->grab());
    }
    menu->close();
    TakePicture(shots, picture, "main-window-system-menu");
}

} // namespace

std::vector<Exhibit> MainWindowExhibits() {
    return {
        {"Main window",
         [](GalleryAccount& account) -> std::unique_ptr<QWidget> {
             return OpenMainWindow(account.User());
         },
         ShootMainWindow},
    };
}
