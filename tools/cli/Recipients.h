#pragma once

#include <string>
#include <vector>

class CSmsAddressBook;

// One recipient of a message: the name it is filed under (a number as typed, a contact or a
// group member's name) and the international number it is sent to.
struct Recipient {
    std::string name;
    std::string number;

    bool operator==(const Recipient&) const = default;
};

// One recipient as given on the command line: a number, a contact or a group of the address
// book, with the numbers it stands for.
struct RecipientEntry {
    enum Kind { Number, Contact, Group };

    Kind kind = Number;
    // The number as typed (without blanks), the contact's or the group's name.
    std::string name;
    // One for a number or a contact; for a group its members with a valid first number.
    std::vector<Recipient> recipients;
};

// Command-line texts (in the locale's character set) as ANSI text, the form of the address
// book's names. Throws a usage CliError for a text that does not decode.
std::vector<std::string> AnsiTexts(const std::vector<std::string>& texts);

// Turns a command-line text (ANSI) into an entry, as the compose page does with a typed recipient:
// a valid number; else a group, then a contact, by exact name and then ignoring case. "NAME#2"
// picks a contact's second number (NAME#1 or NAME alone the first). Throws a local CliError
// for a text that is none of these.
RecipientEntry ResolveRecipient(const std::string& text, const CSmsAddressBook& book);
// Every text in order; an entry equal to an earlier one (same kind and name, a group's name
// ignoring case) is left out.
std::vector<RecipientEntry> ResolveRecipients(const std::vector<std::string>& texts,
                                              const CSmsAddressBook& book);
// The numbers to send to, in entry order; a number reached twice is sent twice.
std::vector<std::string> NumberList(const std::vector<RecipientEntry>& entries);
