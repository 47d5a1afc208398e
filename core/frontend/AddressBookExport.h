#pragma once

#include "QuillonCoreExport.h"

#include <string>

class CSmsAddressBook;

// The address book as the program's own CSV: one line per contact in book order, no header,
// "name,number 1,number 2,groups". A value with a double quote or a comma is quoted (its
// quotes doubled); the groups field joins the quoted names of the contact's groups with ";"
// and is then quoted once more as a whole. Text stays in the book's code page.
class QUILLON_CORE_EXPORT AddressBookExport {
public:
    static std::string Quote(const std::string& value);
    static std::string Csv(const CSmsAddressBook& book);
    // Creates or truncates the file (path in UTF-8); on failure false with the system's text of
    // the error.
    static bool Write(const CSmsAddressBook& book, const std::string& path, std::string& error);
};
