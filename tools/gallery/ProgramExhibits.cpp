// The desktop program's start-up picture in the gallery.
#include "Exhibit.h"

#include "windows/SplashWindow.h"

std::vector<Exhibit> ProgramExhibits() {
    return {
        {"Splash picture", [](GalleryAccount&) { return std::make_unique<SplashWindow>(); },
         [](Shots& shots) {
             SplashWindow splash;
             shots.Take(splash, "splash");
         }},
    };
}
