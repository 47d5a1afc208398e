// The message edit control in the gallery.
#include "Exhibit.h"

#include "controls/SmsEditCtrl.h"

#include <QVBoxLayout>

#include <string>

namespace {

// A window the size of the compose page's editor, with the control filling it.
struct EditorWindow {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    CSmsEditCtrl* editor = new CSmsEditCtrl;

    EditorWindow() {
        window->setWindowTitle("Message editor");
        editor->Create(QRect(0, 0, 420, 180), window.get(), 1);
        auto* layout = new QVBoxLayout(window.get());
        layout->addWidget(editor);
        window->resize(440, 200);
    }
};

// A message of exactly length characters.
std::string Message(std::size_t length) {
    std::string text = "Ahoj Jana, stretneme sa zajtra o 18:00 pred kinom Lumiere? Listky "
                       "kupim ja, ty prines dobru naladu. Ak by si nestihala, daj mi vediet "
                       "aspon hodinu vopred, prosim. Dakujem!";
    while (text.size() < length)
        text += " Vidime sa.";
    text.resize(length);
    return text;
}

void ShootEditor(Shots& shots) {
    {
        EditorWindow empty;
        shots.Take(*empty.window, "editor-empty");
    }
    {
        EditorWindow two;
        two.editor->SetText(Message(161));
        shots.Take(*two.window, "editor-161-characters");
    }
    {
        EditorWindow flash;
        flash.editor->SetText(Message(60));
        flash.editor->ToggleFlash();
        shots.Take(*flash.window, "editor-flash");
    }
    {
        EditorWindow asking;
        asking.editor->SetText(Message(200));
        shots.TakeWhileBoxOpen(*asking.window, "editor-flash-question",
                               [&] { asking.editor->ToggleFlash(); });
    }
}

} // namespace

std::vector<Exhibit> EditorExhibits() {
    return {{"Message editor",
             [](GalleryAccount&) {
                 EditorWindow shown;
                 shown.editor->setFocus();
                 return std::move(shown.window);
             },
             ShootEditor}};
}
