#include "model/CoreStrings.h"

const StringTable& BuiltInCoreStrings() {
    // The credit dialog's messages are the English ones: the core has no other copy of them.
    static const StringTable kStrings{
        {1, "Počet SMS: %d/%d"},
        {2, "Dĺžka: %d/%d"},
        {3, "Reload proces is not completed\n\nDo you want to interrupt it?"},
        {4, "Credit reload request has been sent\n\nPlease enter the check code you receive on "
            "your mobile"},
        {5, "Check code must not be empty"},
        {6, "Your credit will be reloaded in a few minutes"},
        {7, "Wrong check code\n\nDo you want to repeat the process?"},
        {8, "Maximálna dĺžka Flash SMS je 160 znakov!\n\nMá byť text automaticky skrátený?"},
        {9, "Synchronizácia ukončená"},
        {10, "Synchronizácia prerušená užívateľom"},
        {11, "Adresár obsahuje duplicitné záznamy.\nKontakty \"%s\" a \"%s\" majú zhodné "
             "telefónne číslo.\nSynchronizácia s Portella je možná až po odstránení duplikátov."},
        {12, "Chyba pri vymazávaní kontaktu \"%s\" z Portella. %s\r\n"},
        {13, "Chyba pri ukladaní kontaktu \"%s\" na Portella. %s\r\n"},
        {14, "Chyba pri ukladaní skupiny \"%s\" na Portella. %s\r\n"},
        {15, "Chyba pri vymazávaní skupiny \"%s\" z Portella. %s\r\n"},
        {16, "Viac >>"},
        {17, "Skryť <<"},
        {18, "%d PK"},
        {19, "%d bodov, doplatok %.2f %s bez DPH"},
    };
    return kStrings;
}
