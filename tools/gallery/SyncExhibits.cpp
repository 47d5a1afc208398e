// The address book synchronisation's dialogs and its progress window in the gallery.
#include "Exhibit.h"

#include "controls/ControlsText.h"
#include "controls/SyncChoiceDlg.h"
#include "controls/SyncErrorDlg.h"
#include "controls/SyncProgressWnd.h"
#include "controls/WidgetSyncUi.h"
#include "logic/ProgramStrings.h"
#include "model/CoreTexts.h"

#include <QPushButton>
#include <QRadioButton>

namespace {

const std::string kContact = ToAnsi(QStringLiteral("Ľubomír Šťastný"));

// Three error lines in the language in force, with the program's status texts.
QString ErrorLines() {
    const auto status = [](int id) {
        return std::string(ProgramStrings().GetUtf8(id).value_or(""));
    };
    return FromUtf8(
        CoreTexts::FormatUtf8(CoreString::SyncSetAliasError,
                              {"Ľubomír Šťastný", status(ProgramString::ServiceUnavailable)}) +
        CoreTexts::FormatUtf8(CoreString::SyncDeleteAliasError, {"Jana", status(313)}) +
        CoreTexts::FormatUtf8(CoreString::SyncSetGroupError, {"Rodina", status(327)}));
}

std::unique_ptr<QWidget> OpenMode() {
    return WidgetSyncUi::ModeDialog(nullptr);
}

std::unique_ptr<QWidget> OpenNumberConflict() {
    return WidgetSyncUi::NumberConflictDialog(kContact, "Lubo", nullptr);
}

std::unique_ptr<QWidget> OpenNameConflict() {
    return WidgetSyncUi::NameConflictDialog(kContact, "+421905123456", "0905111222, 0911333444",
                                            nullptr);
}

void ShootMode(Shots& shots) {
    const auto dialog = OpenMode();
    shots.Take(*dialog, "sync-mode");
    dialog->findChild<QRadioButton*>("mergeRadioButton")->setChecked(true);
    shots.Take(*dialog, "sync-mode-merge");
}

void ShootConflicts(Shots& shots) {
    shots.Take(*OpenNumberConflict(), "sync-number-conflict");
    shots.Take(*OpenNameConflict(), "sync-name-conflict");
}

void ShootErrors(Shots& shots) {
    SyncErrorDlg dialog(ErrorLines());
    shots.Take(dialog, "sync-errors");
    dialog.findChild<QPushButton*>("detailsButton")->click();
    shots.Take(dialog, "sync-errors-expanded");
}

void ShootProgress(Shots& shots) {
    SyncProgressWnd window;
    shots.Take(window, "sync-progress");
}

} // namespace

std::vector<Exhibit> SyncExhibits() {
    return {
        {"Synchronisation mode", [](GalleryAccount&) { return OpenMode(); }, ShootMode},
        {"Synchronisation conflicts",
         [](GalleryAccount&) -> std::unique_ptr<QWidget> { return OpenNumberConflict(); },
         ShootConflicts},
        {"Synchronisation errors",
         [](GalleryAccount&) -> std::unique_ptr<QWidget> {
             return std::make_unique<SyncErrorDlg>(ErrorLines());
         },
         ShootErrors},
        {"Synchronisation progress",
         [](GalleryAccount&) -> std::unique_ptr<QWidget> {
             return std::make_unique<SyncProgressWnd>();
         },
         ShootProgress},
    };
}
