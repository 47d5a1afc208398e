// The address book import's dialogs in the gallery.
#include "Exhibit.h"

#include "platform/CodePage.h"
#include "windows/AlternativeNumberDlg.h"
#include "windows/ImportDlg.h"

#include <QProgressDialog>

namespace {

std::vector<CandidateNumber> ThreeNumbers() {
    return {{NumberLabel::Work, "02/5293 1100"},
            {NumberLabel::Home, "(02) 4445 6677"},
            {NumberLabel::Other, "0244 112 233"}};
}

// A dialog's own window shows over a plain one, as the contacts page would be under it.
std::unique_ptr<QWidget> ImportDialog(ImportFileType type, const QString& file) {
    auto dialog = std::make_unique<ImportDlg>(GalleryBoxes());
    dialog->SetFileType(type);
    dialog->SetFileName(file);
    return dialog;
}

} // namespace

std::vector<Exhibit> ImportExhibits() {
    return {
        {"Address book import",
         [](GalleryAccount&) { return ImportDialog(ImportFileType::QuillonCsv, {}); },
         [](Shots& shots) {
             auto csv = ImportDialog(ImportFileType::QuillonCsv,
                                     QStringLiteral("/home/jana/Dokumenty/adresar.csv"));
             shots.Take(*csv, "import-dialog-csv");
             auto nbu =
                 ImportDialog(ImportFileType::Nbu, QStringLiteral("/home/jana/Záloha/telefón.nbu"));
             shots.Take(*nbu, "import-dialog-nbu");
         }},
        {"Alternative number",
         [](GalleryAccount&) {
             return std::make_unique<AlternativeNumberDlg>(Utf8TextToAnsi("Ľubomír Šťastný"),
                                                           ThreeNumbers());
         },
         [](Shots& shots) {
             AlternativeNumberDlg dialog(Utf8TextToAnsi("Ľubomír Šťastný"), ThreeNumbers());
             shots.Take(dialog, "alternative-number");
         }},
        {"Import progress",
         [](GalleryAccount&) -> std::unique_ptr<QWidget> {
             auto progress = ImportDlg::MakeProgressDialog(nullptr);
             progress->setValue(420);
             return progress;
         },
         [](Shots& shots) {
             auto progress = ImportDlg::MakeProgressDialog(nullptr);
             progress->setValue(420);
             shots.Take(*progress, "import-progress");
         }},
    };
}
