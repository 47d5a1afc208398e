#include "Recipients.h"

#include "ExitCode.h"
#include "InputDecoder.h"

#include "model/SmsAddressBook.h"

#include <optional>

namespace {

using Resolution = RecipientList::Resolution;

// "NAME#2" names the second number, "NAME#1" the first: the name loses the suffix.
std::optional<RecipientList::NumberChoice> NumberSuffix(std::string& name) {
    if (name.size() <= 2 || name[name.size() - 2] != '#')
        return std::nullopt;
    const char digit = name.back();
    if (digit != '1' && digit != '2')
        return std::nullopt;
    name.resize(name.size() - 2);
    return digit == '2' ? RecipientList::NumberChoice::Second : RecipientList::NumberChoice::First;
}

Resolution Resolve(const std::string& text, const RecipientList& list,
                   const CSmsAddressBook& book) {
    // The whole text first: a contact's name may itself end in "#1" or "#2".
    Resolution resolution = list.Resolve(text, book, RecipientList::NumberChoice::First);
    std::string name = text;
    if (resolution.status == Resolution::NotFound) {
        if (const auto choice = NumberSuffix(name))
            resolution = list.ResolveContact(name, book, *choice);
    }
    switch (resolution.status) {
    case Resolution::NotFound:
        throw LocalError("\"" + text +
                         "\" is neither a valid number nor a contact or group of the address book");
    case Resolution::NoSecondNumber:
        throw LocalError("contact \"" + resolution.contact->GetName() + "\" has no second number");
    default:
        return resolution;
    }
}

} // namespace

std::vector<std::string> AnsiTexts(const std::vector<std::string>& texts) {
    std::vector<std::string> ansi;
    for (const std::string& text : texts)
        ansi.push_back(InputDecoder::OfLocale().ToAnsi(text, "a recipient"));
    return ansi;
}

RecipientList ResolveRecipients(const std::vector<std::string>& texts,
                                const CSmsAddressBook& book) {
    RecipientList list;
    for (const std::string& text : texts) {
        const Resolution resolution = Resolve(text, list, book);
        if (resolution.IsResolved())
            list.Add(resolution.entry);
    }
    return list;
}
