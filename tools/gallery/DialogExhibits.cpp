// The credit reload dialog and the service-activation notice in the gallery.
#include "Exhibit.h"
#include "GalleryAccount.h"
#include "QuietMessageBox.h"

#include "controls/CreditDlg.h"
#include "controls/SaDlg.h"
#include "frontend/ImmediateCallRunner.h"

#include <QCheckBox>
#include <QPushButton>

namespace {

void ShootCredit(Shots& shots) {
    QuietMessageBox quiet;
    GalleryAccount canned;
    CCreditDlg dialog(canned.Credit(), canned.HostStrings(), {}, quiet, nullptr,
                      std::make_unique<ImmediateCallRunner>());
    shots.Take(dialog, "credit-choosing");
    dialog.findChild<QCheckBox*>("clubCheckBox")->click();
    shots.Take(dialog, "credit-club-points");
    dialog.findChild<QPushButton*>("reloadButton")->click();
    shots.Take(dialog, "credit-verifying");
}

void ShootSa(Shots& shots) {
    CSaDlg dialog;
    shots.Take(dialog, "service-advice");
}

} // namespace

std::vector<Exhibit> DialogExhibits() {
    return {
        {"Credit reload",
         [](GalleryAccount& account) -> std::unique_ptr<QWidget> {
             return std::make_unique<CCreditDlg>(account.Credit(), account.HostStrings(),
                                                 ServiceErrorIds{}, GalleryBoxes());
         },
         ShootCredit},
        {"Service advice", [](GalleryAccount&) { return std::make_unique<CSaDlg>(); }, ShootSa},
    };
}
