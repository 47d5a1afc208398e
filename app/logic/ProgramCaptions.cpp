#include "logic/ProgramCaptions.h"
#include "logic/SmsPageCaptions.h"

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

        // The compose page and its recipient dialogs
        {SmsPage::kDialog, kCaption, "SMS"},
        {SmsPage::kDialog, SmsPage::kRecipientLabel, "&Príjemca:"},
        {SmsPage::kDialog, SmsPage::kRecipient, "Príjemca"},
        {SmsPage::kDialog, SmsPage::kAdd, "&Vlož"},
        {SmsPage::kDialog, SmsPage::kFromBook, "Vlož z &adresára..."},
        {SmsPage::kDialog, SmsPage::kRecipientList, "Príjemcovia"},
        {SmsPage::kDialog, SmsPage::kSendLater, "Odošli &neskôr"},
        {SmsPage::kDialog, SmsPage::kSend, "Odošli &SMS"},
        {SmsPage::kDialog, SmsPage::kEmoticons, "Smajlíky"},
        {NumberChoice::kDialog, kCaption, "Vlož číslo"},
        {NumberChoice::kDialog, NumberChoice::kQuestion,
         "Záznam v adresári obsahuje viac čísel.\nKtoré z nich chcete vložiť?"},
        {NumberChoice::kDialog, NumberChoice::kFirst, "Číslo &1"},
        {NumberChoice::kDialog, NumberChoice::kSecond, "Číslo &2"},
        {NumberChoice::kDialog, kOk, "OK"},
        {NumberChoice::kDialog, NumberChoice::kDontAdd, "&Nevkladať číslo"},
        {RecipientChooser::kDialog, kCaption, "Vyber príjemcu"},
        {RecipientChooser::kDialog, RecipientChooser::kContacts, "&Kontakty:"},
        {RecipientChooser::kDialog, RecipientChooser::kGroups, "&Skupiny:"},
        {RecipientChooser::kDialog, RecipientChooser::kAdd, ">>"},
        {RecipientChooser::kDialog, RecipientChooser::kRemove, "<<"},
        {RecipientChooser::kDialog, RecipientChooser::kChosen, "Príjemcovia"},
        {RecipientChooser::kDialog, kOk, "OK"},
        {RecipientChooser::kDialog, kCancel, "Storno"},
    };
    return kCaptions;
}
