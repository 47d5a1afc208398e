#include "frontend/RecipientEntry.h"

#include "model/SmsAddressBookGroup.h"
#include "model/SmsAddressBookItem.h"
#include "model/UtilitiesInternal.h"

RecipientEntry RecipientEntry::OfNumber(const std::string& number) {
    return {Number, number, number, 0};
}

RecipientEntry RecipientEntry::OfContact(const CSmsAddressBookItem& contact, bool second) {
    return {Contact, contact.GetName(), contact.GetDisplayString(second),
            contact.GetID() | (second ? SecondNumber : 0)};
}

RecipientEntry RecipientEntry::OfGroup(const CSmsAddressBookGroup& group) {
    return {Group, group.GetName(), group.GetName(), group.GetID()};
}

bool RecipientEntry::SameAs(const RecipientEntry& other) const {
    if (kind != other.kind)
        return false;
    if (kind == Group)
        return AnsiLowerCase(display) == AnsiLowerCase(other.display);
    return display == other.display;
}
