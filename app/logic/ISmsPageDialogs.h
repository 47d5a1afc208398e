#pragma once

#include "frontend/RecipientEntry.h"
#include "frontend/RecipientList.h"

#include <cstdint>
#include <optional>
#include <vector>

class CSmsAddressBookItem;

// The dialogs the compose page opens; the windows show them, tests script them.
class ISmsPageDialogs {
public:
    virtual ~ISmsPageDialogs() = default;
    // Which number of a contact with two numbers goes into the list; nothing when the user
    // chose not to add one.
    virtual std::optional<RecipientList::NumberChoice>
    ChooseNumber(const CSmsAddressBookItem& contact) = 0;
    // The recipient chooser: starts with the page's entries; the entries chosen on OK.
    virtual std::optional<std::vector<RecipientEntry>>
    ChooseRecipients(const std::vector<RecipientEntry>& chosen) = 0;
    // The scheduling dialog: sending time, period and message name; nothing when cancelled.
    // now: the current time, from which the earliest allowed time is worked out.
    virtual std::optional<ScheduleChoice> ChooseSchedule(std::int64_t now) = 0;
};
