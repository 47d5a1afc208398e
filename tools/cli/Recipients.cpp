#include "Recipients.h"

#include "ExitCode.h"
#include "InputDecoder.h"

#include "model/SmsAddressBook.h"
#include "model/Utilities.h"

#include <algorithm>

namespace {

std::string Intl(const std::string& number) {
    return ConvertToIntl(std::string_view(number));
}

bool SameEntry(const RecipientEntry& a, const RecipientEntry& b) {
    if (a.kind != b.kind)
        return false;
    if (a.kind == RecipientEntry::Group)
        return AnsiLowerCase(a.name) == AnsiLowerCase(b.name);
    return a.name == b.name && a.recipients == b.recipients;
}

RecipientEntry GroupEntry(const CSmsAddressBookGroup& group, const CSmsAddressBook& book) {
    RecipientEntry entry{RecipientEntry::Group, group.GetName(), {}};
    for (const std::string& member : group.GetMembers()) {
        const CSmsAddressBookItem* contact = book.GetItemByName(member);
        std::string number = contact ? contact->GetPhone1() : std::string();
        if (contact && ValidateNumber(number))
            entry.recipients.push_back({member, Intl(number)});
    }
    return entry;
}

// "NAME#2" names the second number, "NAME#1" the first.
int NumberChoice(std::string& name) {
    if (name.size() > 2 && name[name.size() - 2] == '#' &&
        (name.back() == '1' || name.back() == '2')) {
        const int choice = name.back() - '0';
        name.resize(name.size() - 2);
        return choice;
    }
    return 0;
}

const CSmsAddressBookItem* FindContact(const std::string& name, const CSmsAddressBook& book) {
    const CSmsAddressBookItem* contact = book.GetItemByName(name);
    return contact ? contact : book.GetItemByName(name, true);
}

} // namespace

std::vector<std::string> AnsiTexts(const std::vector<std::string>& texts) {
    std::vector<std::string> ansi;
    for (const std::string& text : texts)
        ansi.push_back(InputDecoder::OfLocale().ToAnsi(text, "a recipient"));
    return ansi;
}

RecipientEntry ResolveRecipient(const std::string& text, const CSmsAddressBook& book) {
    std::string number = text;
    if (ValidateNumber(number))
        return {RecipientEntry::Number, number, {{number, Intl(number)}}};
    const CSmsAddressBookGroup* group = book.GetGroupByName(text);
    if (!group)
        group = book.GetGroupByName(text, true);
    if (group)
        return GroupEntry(*group, book);

    // The whole text first: a contact's name may itself end in "#1" or "#2".
    std::string name = text;
    int choice = NumberChoice(name);
    const CSmsAddressBookItem* contact = FindContact(text, book);
    if (contact)
        choice = 0;
    else if (choice != 0)
        contact = FindContact(name, book);
    if (!contact)
        throw LocalError("\"" + text +
                         "\" is neither a valid number nor a contact or group of the address book");
    if (choice == 2 && contact->GetPhone2().empty())
        throw LocalError("contact \"" + contact->GetName() + "\" has no second number");
    const std::string& phone = choice == 2 ? contact->GetPhone2() : contact->GetPhone1();
    return {RecipientEntry::Contact, contact->GetName(), {{contact->GetName(), Intl(phone)}}};
}

std::vector<RecipientEntry> ResolveRecipients(const std::vector<std::string>& texts,
                                              const CSmsAddressBook& book) {
    std::vector<RecipientEntry> entries;
    for (const std::string& text : texts) {
        RecipientEntry entry = ResolveRecipient(text, book);
        const bool repeated =
            std::any_of(entries.begin(), entries.end(),
                        [&](const RecipientEntry& e) { return SameEntry(e, entry); });
        if (!repeated)
            entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<std::string> NumberList(const std::vector<RecipientEntry>& entries) {
    std::vector<std::string> numbers;
    for (const RecipientEntry& entry : entries) {
        for (const Recipient& recipient : entry.recipients)
            numbers.push_back(recipient.number);
    }
    return numbers;
}
