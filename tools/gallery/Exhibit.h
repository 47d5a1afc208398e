#pragma once

#include "Shots.h"

#include "frontend/IMessageBox.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class GalleryAccount;

// One control or dialog of the gallery: how to open it for trying by hand, and how to put it
// into each of its states for the screenshots.
struct Exhibit {
    QString title;
    // A new window with the control or dialog; the gallery owns it.
    std::function<std::unique_ptr<QWidget>(GalleryAccount& account)> open;
    // Always with the canned account, so the pictures show the same states every time.
    std::function<void(Shots& shots)> shoot;
};

// Message boxes of the windows the gallery opens by hand, titled with the gallery's name.
IMessageBox& GalleryBoxes();

// Each file of the gallery adds its exhibits.
std::vector<Exhibit> EditorExhibits();
std::vector<Exhibit> DialogExhibits();
std::vector<Exhibit> LoginExhibits();
std::vector<Exhibit> ExitExhibits();
std::vector<Exhibit> MainWindowExhibits();
std::vector<Exhibit> ProgramExhibits();
std::vector<Exhibit> ComposeExhibits();
std::vector<Exhibit> PageDialogExhibits();
std::vector<Exhibit> SentItemsExhibits();
std::vector<Exhibit> ContactsExhibits();
std::vector<Exhibit> SyncExhibits();
std::vector<Exhibit> ImportExhibits();
std::vector<Exhibit> SettingsExhibits();
