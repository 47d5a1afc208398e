#include "model/CoreCaptions.h"

using namespace CoreCaptions;

const CaptionTable& BuiltInCoreCaptions() {
    static const CaptionTable kCaptions{
        {Credit::kDialog, kCaption, "Reload Credit"},
        {Credit::kDialog, Credit::kReload, "&Reload"},
        {Credit::kDialog, Credit::kVerify, "&Verify"},
        {Credit::kDialog, Credit::kClub, "Use &Velora Club"},
        {Credit::kDialog, kCancel, "&Close"},
        {Credit::kDialog, Credit::kExplanation,
         "Click on the button to submit the request for credit reloading. After that, you will "
         "receive a short message on your cellular phone containing the validation string."},
        {Credit::kDialog, Credit::kAmountLabel, "&Amount:"},
        {Credit::kDialog, Credit::kPointsLabel, "Club &points:"},
        {Credit::kDialog, Credit::kCodeLabel, "Check co&de:"},

        {Sa::kDialog, kCaption, "Quillon"},
        {Sa::kDialog, kOk, "OK"},
        {Sa::kDialog, Sa::kText,
         "Ak ste zákazník s mesačným programom služieb, aktivujte si výhodnejšie odosielanie SMS "
         "správ v Nastaveniach aplikácie."},
        {Sa::kDialog, Sa::kDoNotShowAgain, "&Viackrát nezobrazovať"},

        {SmsEdit::kWindow, SmsEdit::kLengthCounter, "Pocet znakov"},
        {SmsEdit::kWindow, SmsEdit::kPartCounter, "Pocet SMS-iek"},
        {SmsEdit::kWindow, SmsEdit::kFlash, "&Flash SMS"},
        {SmsEdit::kWindow, SmsEdit::kText, "Text správy"},

        {SyncMode::kDialog, kCaption, "Synchronizácia s Portella"},
        {SyncMode::kDialog, SyncMode::kGroup, "Zvoľte si spôsob synchronizácie"},
        {SyncMode::kDialog, SyncMode::kFirstMode,
         "Prepísať adresár v Quillon-i adresárom z &Portella"},
        {SyncMode::kDialog, SyncMode::kFirstMode + 1,
         "Prepísať adresár na Portella adresárom z &Quillon-a"},
        {SyncMode::kDialog, SyncMode::kFirstMode + 2, "&Zlúčiť adresáre dokopy"},
        {SyncMode::kDialog, kOk, "OK"},
        {SyncMode::kDialog, kCancel, "Storno"},

        {SyncProgress::kWindow, SyncProgress::kTitle, "Prebieha synchronizácia"},
        {SyncProgress::kWindow, SyncProgress::kText,
         "Táto môže trvať v závislosti od počtu kontaktov v adresári až niekoľko minút"},

        {NumberConflict::kDialog, kCaption, "Konflikt pri synchronizácii"},
        {NumberConflict::kDialog, NumberConflict::kText,
         "Lokálny kontakt v adresári má zhodné číslo ako alias na Portella s iným názvom. V "
         "adresári na Portella nie je možné mať viac aliasov s rovnakým číslom"},
        {NumberConflict::kDialog, NumberConflict::kContactLabel, "Lokálny kontakt:"},
        {NumberConflict::kDialog, NumberConflict::kAliasLabel, "Alias na Portella:"},
        {NumberConflict::kDialog, NumberConflict::kFirstChoice,
         "Vymazať kontakt z adresára na &Portella"},
        {NumberConflict::kDialog, NumberConflict::kFirstChoice + 1,
         "Vymazať kontakt z adresára v &Quillon-i"},
        {NumberConflict::kDialog, NumberConflict::kFirstChoice + 2,
         "&Ignorovať tento konflikt (nekopírovať kontakt)"},
        {NumberConflict::kDialog, kOk, "OK"},
        {NumberConflict::kDialog, kCancel, "Ukončiť synchronizáciu"},

        {NameConflict::kDialog, kCaption, "Konflikt pri synchronizácii"},
        {NameConflict::kDialog, NameConflict::kText,
         "Alias na Portella a kontakt v Quillon-i s rovnakým názvom majú priradené rozdielné "
         "čísla"},
        {NameConflict::kDialog, NameConflict::kNameLabel, "Meno:"},
        {NameConflict::kDialog, NameConflict::kPortellaLabel, "Portella:"},
        {NameConflict::kDialog, NameConflict::kQuillonLabel, "Quillon:"},
        {NameConflict::kDialog, NameConflict::kFirstChoice,
         "Skopírovať číslo z Quillon-a na Portella"},
        {NameConflict::kDialog, NameConflict::kFirstChoice + 1,
         "Uložiť číslo z Portella ku kontaktu ako 1. číslo"},
        {NameConflict::kDialog, NameConflict::kFirstChoice + 2,
         "Uložiť číslo z Portella ku kontaktu ako 2. číslo"},
        {NameConflict::kDialog, NameConflict::kFirstChoice + 3, "Nesynchronizovať tento kontakt"},
        {NameConflict::kDialog, kOk, "OK"},
        {NameConflict::kDialog, kCancel, "Ukončiť synchronizáciu"},

        {SyncErrors::kDialog, kCaption, "Chyba pri synchronizácii"},
        {SyncErrors::kDialog, SyncErrors::kText,
         "Počas synchronizácie došlo ku chybám a niektoré položky nebolo možné "
         "zosynchronizovať.\nSkúste synchronizáciu zopakovať."},
        {SyncErrors::kDialog, kOk, "OK"},

        {AutoComplete::kWindow, AutoComplete::kSuggestions, "Návrhy príjemcov"},

        {MessageBox::kWindow, MessageBox::kYes, "&Áno"},
        {MessageBox::kWindow, MessageBox::kNo, "&Nie"},
        {MessageBox::kWindow, kOk, "OK"},
        {MessageBox::kWindow, kCancel, "Zrušiť"},
    };
    return kCaptions;
}
