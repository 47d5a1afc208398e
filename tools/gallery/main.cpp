// quillon-gallery: every shared control and dialog of the project in one place, to try by hand
// against the simulator or a canned user, and to render to PNG (--screenshots FOLDER).
#include "Exhibit.h"
#include "GalleryAccount.h"
#include "GalleryWindow.h"

#include "controls/Pictures.h"
#include "controls/StandardTexts.h"
#include "controls/WidgetMessageBox.h"
#include "logic/LanguageChoice.h"
#include "logic/LanguageMap.h"
#include "logic/ProgramLanguage.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

namespace {

std::vector<Exhibit> AllExhibits() {
    std::vector<Exhibit> all;
    for (const auto& group :
         {EditorExhibits(), DialogExhibits(), LoginExhibits(), ExitExhibits(), MainWindowExhibits(),
          ProgramExhibits(), ComposeExhibits(), PageDialogExhibits(), SentItemsExhibits(),
          ContactsExhibits(), SyncExhibits(), ImportExhibits(), SettingsExhibits()})
        all.insert(all.end(), group.begin(), group.end());
    return all;
}

int RenderScreenshots(const QString& folder) {
    Shots shots(folder);
    for (const Exhibit& exhibit : AllExhibits())
        exhibit.shoot(shots);
    for (const QString& path : shots.Written())
        std::printf("%s\n", qPrintable(path));
    return shots.Failed() ? 1 : 0;
}

// Switches the program's and the core's texts to the built program's library of the language
// (its English name), as the program does at start-up; false when there is none to take.
bool UseLanguage(const QString& name) {
    const auto lcid = LanguageMap().find(name.toLower().toStdString());
    if (lcid == LanguageMap().end())
        return false;
    const LanguageChoice choice =
        ChooseLanguage(lcid->second, QUILLON_PROGRAM_DIR, ProgramVersion());
    if (!choice.resources)
        return false;
    ProgramLanguage::Use(*choice.resources);
    UseStandardTexts("en");
    return true;
}

} // namespace

IMessageBox& GalleryBoxes() {
    static WidgetMessageBox boxes(nullptr, QApplication::applicationDisplayName());
    return boxes;
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("quillon-gallery");
    QApplication::setApplicationDisplayName("Quillon gallery");
    QApplication::setWindowIcon(OwnIcon("quillon"));
    // The shared windows speak Slovak, as the desktop program does.
    UseStandardTexts("sk");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "The shared controls and dialogs of Quillon, with a canned user or, given a login, "
        "against the service at QUILLON_SERVICE_URL (for example quillon-sim).");
    parser.addHelpOption();
    const QCommandLineOption screenshots("screenshots", "Render every state to PNG in <folder>.",
                                         "folder");
    const QCommandLineOption login("login", "Log in as <name> (password in QUILLON_PASSWORD).",
                                   "name");
    const QCommandLineOption language(
        "language", "Show the texts of the program's library of <language> (e.g. English).",
        "language");
    parser.addOptions({screenshots, login, language});
    parser.process(app);
    if (parser.isSet(language) && !UseLanguage(parser.value(language))) {
        std::fprintf(stderr, "quillon-gallery: no library of %s in %s\n",
                     qPrintable(parser.value(language)), QUILLON_PROGRAM_DIR);
        return 1;
    }

    GalleryAccount account;
    if (parser.isSet(login)) {
        const QString problem =
            account.LogIn(parser.value(login), qEnvironmentVariable("QUILLON_PASSWORD"));
        if (!problem.isEmpty()) {
            std::fprintf(stderr, "quillon-gallery: %s\n", qPrintable(problem));
            return 1;
        }
    }
    if (parser.isSet(screenshots))
        return RenderScreenshots(parser.value(screenshots));

    GalleryWindow window(AllExhibits(), account);
    window.show();
    return QApplication::exec();
}
