// The exit confirmation and the notice window in the gallery.
#include "Exhibit.h"

#include "logic/NoticeSchedule.h"
#include "logic/ProgramStrings.h"
#include "windows/ExitConfirmDlg.h"
#include "windows/NoticeDlg.h"

#include <QApplication>

namespace {

QString DefaultNoticePage() {
    const auto own = ProgramStrings().GetUtf8(ProgramString::DefaultNotice);
    return QString::fromStdString(NoticePage("", own ? std::string(*own) : std::string()));
}

void ShootExit(Shots& shots) {
    ExitConfirmDlg dialog;
    shots.Take(dialog, "exit-confirmation");
}

void ShootNotice(Shots& shots) {
    QWidget owner;
    owner.resize(720, 540);
    owner.show();
    NoticeDlg notice(DefaultNoticePage(), &owner);
    notice.show();
    notice.Arrive();
    QApplication::processEvents();
    shots.TakeWithBox(owner, notice, "notice-arrived");
}

} // namespace

std::vector<Exhibit> ExitExhibits() {
    return {
        {"Exit confirmation", [](GalleryAccount&) { return std::make_unique<ExitConfirmDlg>(); },
         ShootExit},
        {"Notice window",
         [](GalleryAccount&) -> std::unique_ptr<QWidget> {
             return std::make_unique<NoticeDlg>(DefaultNoticePage());
         },
         ShootNotice},
    };
}
