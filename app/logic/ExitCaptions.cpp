#include "logic/ExitCaptions.h"

using namespace ExitCaptions;

const CaptionTable& ExitCaptionTable() {
    static const CaptionTable kCaptions{
        {Exit::kDialog, kCaption, "Quillon"},
        {Exit::kDialog, Exit::kQuestion, "Chcete ukončiť aplikáciu?"},
        {Exit::kDialog, Exit::kYes, "Áno"},
        {Exit::kDialog, Exit::kNo, "Nie"},
        {Exit::kDialog, Exit::kDontAskAgain, "&Viackrát nezobrazovať"},

        {Notice::kDialog, kCaption, "Oznámenie"},
        {Notice::kDialog, Notice::kBrowser, "Oznámenie"},
        {Notice::kDialog, Notice::kClose, "&Zavrieť"},
    };
    return kCaptions;
}
