#pragma once

#include "frontend/RecipientList.h"
#include "model/SmsRecipientInfo.h"

#include <cstdint>
#include <string>
#include <vector>

class CSmsArchiveItem;

// What the details dialogs of an archived immediate message show, as texts (UTF-8), taken from
// the item under the archive's lock.
struct SmsDetails {
    struct RecipientRow {
        std::string name;
        std::string number;
        std::string state;        // "Doručená 01.02.2026 10:00:00", "Doručuje sa", ...
        std::string deliveryTime; // empty when there is none
        int icon = 0;             // ArchiveRows::Icon of this recipient
    };
    bool group = false;    // a group or several recipients (the group dialog)
    std::string groupName; // the group dialog
    std::string sentTime;
    std::string flash;      // "Áno" or "Nie"
    std::string characters; // "%d", CR LF counted once
    std::string parts;      // "%d" or "Nedostupné"
    std::string text;
    std::vector<RecipientRow> recipients; // one for the single-recipient dialog

    static SmsDetails Of(const CSmsArchiveItem& item);
    // The state text of one recipient ("Bez potvrdenky" without an SMS id to ask by).
    static std::string StateText(const CSmsRecipientInfo& recipient);
    static std::string StateText(CSmsRecipientInfo::DeliveryStatus status, bool hasId,
                                 const std::string& deliveryTime);
    // The characters of a text, a CR LF pair counted once.
    static int Characters(const std::string& text);
};

// A scheduled archive item as the scheduled message dialog edits it: a copy taken under the
// archive's lock, applied back under it once the service replaced the message.
struct ScheduledSms {
    std::int64_t messageId = 0;
    ScheduleChoice schedule; // deliverAt, periodicity, name, report
    std::string text;        // ANSI, as the archive keeps it
    bool flash = false;
    int smsCount = 1;
    std::vector<Recipient> recipients;
    // The delivery state of each recipient, in the order of recipients.
    std::vector<CSmsRecipientInfo::DeliveryStatus> states;

    static ScheduledSms Of(const CSmsArchiveItem& item);
    // Schedule, report, flash, text, recipients and name; the last query time goes back to 0
    // so that the worker asks again.
    void ApplyTo(CSmsArchiveItem& item) const;
};
