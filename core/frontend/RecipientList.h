#pragma once

#include "QuillonCoreExport.h"
#include "frontend/RecipientEntry.h"
#include "model/SmsResultRecords.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CSmsAddressBook;
class CSmsAddressBookItem;
class CSmsArchive;
class CSmsArchiveItem;

// One recipient of a message as it is sent and filed: the name it is filed under (a number as
// typed, a contact's or a group member's name) and its international number.
struct QUILLON_CORE_EXPORT Recipient {
    std::string name;
    std::string number;

    bool operator==(const Recipient&) const = default;
};

// What the service said about one recipient of a send: the number it echoed and the SMS id it
// gave (0 for none, always 0 for a scheduled message).
struct QUILLON_CORE_EXPORT SentResult {
    std::string number;
    std::int64_t smsId = 0;
};

// The message being filed: the editor's text, the moment of sending, flash, its SMS parts.
struct QUILLON_CORE_EXPORT FiledMessage {
    std::string text;
    std::int64_t sentTime = 0;
    bool flash = false;
    int smsCount = 1;
};

// The schedule of a delayed message as the user chose it.
struct QUILLON_CORE_EXPORT ScheduleChoice {
    std::int64_t deliverAt = 0;
    int periodicity = 0;
    std::string name;
    bool report = false; // delivery reports asked of the service
};

// The recipients the user collects for a message, one entry at a time, and the rules that turn
// them into the numbers to send to and into archive items once the service answered.
class QUILLON_CORE_EXPORT RecipientList {
public:
    // Which number of a contact with two numbers an entry means.
    enum class NumberChoice { Ask, First, Second };

    struct Resolution {
        enum Status {
            Resolved,
            NotFound,          // neither a valid number nor a group or contact of the book
            NeedsNumberChoice, // a contact with two numbers and NumberChoice::Ask
            NoSecondNumber,    // NumberChoice::Second of a contact with one number
            AlreadyListed,     // an equal entry is in the list
        };
        Status status = NotFound;
        // Resolved, AlreadyListed; with NeedsNumberChoice the entry for the first number.
        RecipientEntry entry;
        // The contact, whose numbers a choice shows (null for numbers and groups).
        const CSmsAddressBookItem* contact = nullptr;

        bool IsResolved() const { return status == Resolved; }
    };

    // An entry with the recipients it stands for when the numbers are gathered.
    struct ExpandedEntry {
        RecipientEntry entry;
        std::vector<Recipient> recipients;
    };
    // A contact or group entry whose contact or group has gone from the address book.
    struct MissingEntry {
        RecipientEntry::Kind kind = RecipientEntry::Contact;
        std::string name;
    };
    // Every entry with its recipients, in entry order.
    struct NumberList {
        std::vector<ExpandedEntry> entries;
        std::vector<MissingEntry> missing;

        // The numbers to send to; a number reached twice is sent twice.
        std::vector<std::string> Numbers() const;
        std::vector<Recipient> Recipients() const;
    };

    const std::vector<RecipientEntry>& Entries() const { return m_entries; }
    bool IsEmpty() const { return m_entries.empty(); }

    // A typed text (trimmed first): a number that ValidateNumber accepts; else a group by its
    // exact name, then ignoring case; else a contact the same way.
    Resolution Resolve(const std::string& typed, const CSmsAddressBook& book,
                       NumberChoice choice = NumberChoice::Ask) const;
    // Only the contact step of Resolve.
    Resolution ResolveContact(const std::string& name, const CSmsAddressBook& book,
                              NumberChoice choice) const;

    bool Contains(const RecipientEntry& entry) const;
    // False (and nothing added) when an equal entry is listed.
    bool Add(const RecipientEntry& entry);
    void RemoveAt(std::size_t index);
    void Clear() { m_entries.clear(); }

    // Number entries in international form, contacts by id (their chosen number), groups by id
    // (every member with a contact whose first number is valid).
    NumberList Expand(const CSmsAddressBook& book) const;

    static std::vector<SentResult> ResultsOf(const SmsSentInfoList& sentInfo);

    // Files a message sent at once: one item per contact that got a result, one group item per
    // group with its members that got one, one item per typed number, and one item named "+"
    // and the number for every result that matches no entry. A result is matched by the exact
    // international number and used once.
    static void FileSent(CSmsArchive& archive, const FiledMessage& message,
                         const NumberList& numbers, std::vector<SentResult> results);
    // Files a scheduled message as one item whose recipients are those of the entries that got
    // a result, then the left-over results (named "+" and the number). Nothing is filed as sent:
    // the message has not gone out yet. The item expects delivery reports when they were asked
    // for and the service gave a message id to ask by.
    static CSmsArchiveItem* FileScheduled(CSmsArchive& archive, const FiledMessage& message,
                                          const ScheduleChoice& schedule, std::int64_t messageId,
                                          const NumberList& numbers,
                                          std::vector<SentResult> results);
    // The recipients of a replaced scheduled message: those the service gave a result stay, the
    // others go; left-over results come first, named "+" and the number, the last one on top.
    static std::vector<Recipient> Replaced(const std::vector<Recipient>& recipients,
                                           std::vector<SentResult> results);

private:
    Resolution Checked(Resolution resolution) const;

    std::vector<RecipientEntry> m_entries;
};
