#include "logic/ProgramStrings.h"

namespace {

// The page the notice window shows when the service sent no notice.
constexpr const char* kDefaultNotice =
    "<HTML><BODY><TABLE width=\"100%\" height=\"100%\"><TR><TD align=\"center\" "
    "valign=\"middle\"><FONT face=\"Arial\" color=\"gray\">Velora Quillon verzia 1.6</FONT>"
    "</TD></TR></TABLE></BODY></HTML>";

} // namespace

const StringTable& BuiltInProgramStrings() {
    static const StringTable table{
        {102, "Quillon"},
        {128, "&Koniec"},
        {143, "Skutočne chcete odstrániť záznam z archívu?"},
        {147, "Číslo"},
        {148, "Čas"},
        {149, "Text SMS"},
        {165, "Služba je dočasne nedostupná"},
        {166, "Chyba pri komunikácii s Velora"},
        {170, "Prihlásený: %s"},
        {171, "Chcete naozaj vymazať %d záznamy(ov) z archívu?"},
        {179, "Nemožno doručiť"},
        {180, "Doručuje sa"},
        {181, "Expirovaná"},
        {182, "Bez potvrdenky"},
        {192, "Na využívanie tejto služby je nutná registrácia\ntelefónneho čísla k vašemu Velora "
              "kontu.\nChcete si zaregistrovať vaše číslo teraz?"},
        {193, "Kontrolný reťazec je nesprávny.\nChcete registráciu mobilného čísla zopakovať?"},
        {196, "Proces registrácie čísla nie je ukončený\n\nChcete ho prerušiť?"},
        {197, "Požiadavka na registráciu čísla bola odoslaná."},
        {198, "Nezadali ste mobilné číslo"},
        {199, "Mobilné číslo bolo zaregistrované"},
        {200, "Nezadali ste kontrolný reťazec"},
        {212, "Vymazaním správy %s z archívu sa ukončí jej oneskorené doručovanie. Chcete správu "
              "skutočne vymazať?"},
        {221, "Zistené opätovné spustenie aplikácie Quillon.\nPrihlásenie rovnakého užívateľa môže "
              "spôsobiť stratu dát vo vašom adresári a v archíve."},
        {222, kDefaultNotice},
        {300, "Požiadavku nebolo možné uskutočniť\n\nChyba E%d"},
        {310, "Zadali ste nesprávne meno alebo heslo"},
        {311, "Zadali ste nesprávne meno alebo heslo"},
        {312, "Maximálny počet neúspešných pokusov o prihlásenie bol prekročený\n\nVaše konto bolo "
              "zablokované"},
        {313, "Konto je deaktivované"},
        {322, "Zadané číslo nie je číslom mobilnej siete Velora"},
        {323, "Nemáte zaregistrované mobilné číslo"},
        {326, "Služba je zablokovaná"},
        {327, "Nemáte aktivovanú službu"},
        {328, "Prázdny zoznam príjemcov"},
        {329, "Nemáte dostatočný počet PK"},
        {331, "Správu nie je možné odoslať na zadané číslo"},
        {332, "Službu nie je možné (de)aktivovať"},
        {333, "Služba nie je aktívna"},
        {334, "Na dané telefónne číslo nie je možné posielať SMS správy"},
        {335, "Číslo už je v adresári"},
        {338, "Aktivácia služby je možná iba pre zákazníkov s mesačným paušálom"},
        {340, "Kredit nebolo možné dobiť\n\nPrekročená maximálna výška kreditu"},
        {341, "Kredit je možné dobiť najskôr hodinu od posledného dobitia"},
        {342, "Dobitie s využitím klubových bodov je možné iba u zákazníkov s mesačným paušálom"},
        {343, "Nemáte dostatočný kredit na vašej predplatenej karte"},
        {344, "Momentálne nie je možné dobiť kredit\n\nSkúste neskôr"},
        {345, "Momentálne nie je možné dobiť kredit\n\nSkúste neskôr"},
        {346, "Nemáte dostatočné množstvo klubových bodov alebo nie ste členom klubu"},
        {348, "Číslo už je zaregistrované"},
        {349, "Číslo nie je správne"},
        {358, "Chybný kontrolný reťazec"},
        {359, "Prekročili ste denný limit 1000 SMS\n\nPre ďalšie informácie využite bezplatnú "
              "linku 12345"},
        {360, "Služba už je aktívna"},
        {361, "Aktivácia služby práve prebieha\n\nSkúste požiadavku zopakovať neskôr"},
        {366, "Zlá verzia aplikácie. Nainštalujte si prosím najnovšiu verziu."},
        {367, "Minimálny čas oneskoreného odoslania SMS musí byť aspoň o 15 minút neskôr než "
              "aktuálny čas, najviac však o 12 mesiacov neskôr."},
        {400, "Požiadavku nebolo možné uskutočniť\n\nChyba S%d"},
        {420, "Chyba pri komunikácii\nServer Velora nie je dostupný\n\nSkontrolujte, či máte "
              "aktívne pripojenie k internetu a či je správne nakonfigurované."},
        {421, "Nie je možné vytvoriť spojenie s Velora\n\nSkontrolujte, či máte aktívne pripojenie "
              "k internetu a či je správne nakonfigurované."},
        {57344, "Velora Quillon"},
        // The main window's caption strip and its system menu
        {2000, "&Obnoviť"},
        {2001, "Mi&nimalizovať"},
        {2002, "&Zavrieť"},
        {2003, "Ponuka okna"},
        {2004, "Stránky"},
        {2010, "SMS"},
        {2011, "Kontakty"},
        {2012, "Skupiny ľudí"},
        {2013, "Archív"},
        {2014, "Nastavenia"},
        {2015, "Pomoc"},
        // Desktop notifications of delivery reports
        {2200, "Správy o doručení SMS"},
        {2201, "Doručená %d SMS"},
        {2202, "Doručené %d SMS"},
        {2203, "Doručených %d SMS"},
        {2204, "Nedoručená %d SMS"},
        {2205, "Nedoručené %d SMS"},
        {2206, "Nedoručených %d SMS"},
        {2207, "Vypršala platnosť %d SMS"},
        {2208, "Vypršala platnosť %d SMS"},
        {2209, "Vypršala platnosť %d SMS"},
        {2210, "Otvoriť archív"},
        // The archive page: its search, the export and the state of a delivered message there
        {2400, "Odoslaná"},
        {2401, "Meno"},
        {2402, "Číslo"},
        {2403, "Stav"},
        {2404, "Čas doručenia"},
        {2405, "Text SMS"},
        {2406, "Doručená"},
        {2407, "Hľadať v archíve"},
        {2408, "E&xport..."},
        {2409, "Export archívu"},
        {2410, "Súbory CSV (*.csv)"},
        {2411, "Súbor %s nebolo možné zapísať"},
        {2412, "archiv.csv"},
    };
    return table;
}
