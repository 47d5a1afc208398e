#include "logic/ProgramCaptions.h"

using namespace ProgramCaptions;

const CaptionTable& BuiltInProgramCaptions() {
    static const CaptionTable kCaptions{
        {Login::kDialog, kCaption, "Login do Velora"},
        {Login::kDialog, Login::kNameLabel, "&Prihlasovacie meno:"},
        {Login::kDialog, Login::kPasswordLabel, "&Heslo:"},
        {Login::kDialog, kOk, "OK"},
        {Login::kDialog, kCancel, "Storno"},

        {MobileRegistration::kDialog, kCaption, "Registrácia mobilného čísla"},
        {MobileRegistration::kDialog, MobileRegistration::kNumberLabel, "&Mobilné číslo:"},
        {MobileRegistration::kDialog, MobileRegistration::kCodeLabel, "&Kontrolný reťazec:"},
        {MobileRegistration::kDialog, MobileRegistration::kSendRequest, "&Odoslať požiadavku"},
        {MobileRegistration::kDialog, MobileRegistration::kVerify, "&Overiť"},
        {MobileRegistration::kDialog, kCancel, "&Zavrieť okno"},

        {Exit::kDialog, kCaption, "Quillon"},
        {Exit::kDialog, Exit::kQuestion, "Chcete ukončiť aplikáciu?"},
        {Exit::kDialog, Exit::kYes, "Áno"},
        {Exit::kDialog, Exit::kNo, "Nie"},
        {Exit::kDialog, Exit::kDontAskAgain, "&Viackrát nezobrazovať"},

        {Notice::kDialog, kCaption, "Oznámenie"},
        {Notice::kDialog, Notice::kBrowser, "Oznámenie"},
        {Notice::kDialog, Notice::kClose, "&Zavrieť"},

        {SentItems::kDialog, kCaption, "Archív"},
        {SentItems::kDialog, SentItems::kList, "Archív správ"},
        {SentItems::kDialog, SentItems::kDelete, "&Vymaž..."},
        {SentItems::kDialog, SentItems::kDetails, "De&taily..."},
        {SentItems::kDialog, SentItems::kCreditCaption, "Aktuálny počet vašich Portella kreditov"},
        {SentItems::kDialog, SentItems::kSelectAll, "Vybr&ať všetky"},
        {SentItems::kDialog, SentItems::kForward, "&Preposlať"},
        {SentItems::kDialog, SentItems::kFilter, "&Filter..."},
        {SentItems::kDialog, SentItems::kStatistics, "Velora"},
        {SentItems::kDialog, SentItems::kCountCaption, "Počet zobrazených správ:"},
        {SentItems::kDialog, SentItems::kSearch, "&Hľadať:"},
        {SentItems::kDialog, SentItems::kExport, "E&xport..."},
    };
    return kCaptions;
}
