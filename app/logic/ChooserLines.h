#pragma once

#include "frontend/RecipientEntry.h"

#include <string>
#include <vector>

class CSmsAddressBook;

// One line of the recipient chooser's contact or group list and the entry it adds.
struct ChooserLine {
    std::string text; // ANSI
    RecipientEntry entry;
};

// The chooser's lists: a contact with one number has one line (its name), one with two numbers
// a line for each; the groups by name. In address book order.
std::vector<ChooserLine> ContactLines(const CSmsAddressBook& book);
std::vector<ChooserLine> GroupLines(const CSmsAddressBook& book);
