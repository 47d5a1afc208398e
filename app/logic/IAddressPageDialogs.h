#pragma once

#include "logic/AddressBookEntries.h"

#include <optional>
#include <string>

class CSmsAddressBook;

// The dialogs of the contacts and groups pages; the windows show them, tests script them.
class IAddressPageDialogs {
public:
    virtual ~IAddressPageDialogs() = default;
    // The contact dialog ("Nový kontakt" or "Úprava kontaktu") starting with the fields; true on
    // OK, then the fields have passed ContactEdit::Check.
    virtual bool EditContact(ContactFields& fields, bool isNew) = 0;
    // The group dialog ("Nová skupina" or "Úprava skupiny"); true on OK.
    virtual bool EditGroup(std::string& name, bool isNew) = 0;
    // The file the export writes (UTF-8 path), after any overwrite question; nothing on cancel.
    virtual std::optional<std::string> ExportPath() = 0;
    // The address book import into the book; true when the book may have changed.
    virtual bool Import(CSmsAddressBook& book) = 0;
};
