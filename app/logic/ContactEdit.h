#pragma once

#include "logic/AddressBookEntries.h"

#include <optional>

// The checks of the contact dialog's OK.
class ContactEdit {
public:
    static constexpr int kMaxName = 50;
    static constexpr int kMaxNumber = 20;

    enum class Field { Phone1, Phone2 };
    struct Problem {
        int stringId; // the program's text to show (exclamation icon)
        Field field;  // the field to focus (and select)
    };

    // Nothing when the fields may be stored; then an empty number 1 has taken number 2. The
    // numbers stay as typed; the name is not checked.
    static std::optional<Problem> Check(ContactFields& fields);
};
