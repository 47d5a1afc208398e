#pragma once

#include "QuillonCoreExport.h"

#include <cstdint>
#include <string>

class CSmsAddressBookGroup;
class CSmsAddressBookItem;

// One recipient the user added to a message: a typed number, a contact (one of its numbers) or
// a group of the address book.
struct QUILLON_CORE_EXPORT RecipientEntry {
    enum Kind : std::int32_t { Number = 0, Contact = 1, Group = 2 };
    // In a contact's id: the entry means the contact's second number.
    static constexpr std::uint32_t SecondNumber = 1u << 24;

    Kind kind = Number;
    // The number as typed (without blanks), the contact's or the group's name.
    std::string name;
    // What the recipient list shows.
    std::string display;
    // The contact id (with SecondNumber), the group id, 0 for a number.
    std::uint32_t id = 0;

    static RecipientEntry OfNumber(const std::string& number);
    static RecipientEntry OfContact(const CSmsAddressBookItem& contact, bool second);
    static RecipientEntry OfGroup(const CSmsAddressBookGroup& group);

    std::uint32_t ContactId() const { return id & (SecondNumber - 1); }
    bool IsSecondNumber() const { return (id & SecondNumber) != 0; }

    // The same kind and display: exactly for numbers and contacts, ignoring case for groups.
    bool SameAs(const RecipientEntry& other) const;
};
