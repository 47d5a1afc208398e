#include "logic/ContactEdit.h"

#include "logic/ProgramStrings.h"
#include "model/Utilities.h"

namespace {

bool Valid(std::string number) {
    return number.empty() || ValidateNumber(number);
}

} // namespace

std::optional<ContactEdit::Problem> ContactEdit::Check(ContactFields& fields) {
    if (fields.phone1.empty() && fields.phone2.empty())
        return Problem{ProgramString::NoPhoneNumber, Field::Phone1};
    if (!Valid(fields.phone1))
        return Problem{ProgramString::BadNumberFormat, Field::Phone1};
    if (!Valid(fields.phone2))
        return Problem{ProgramString::BadNumberFormat, Field::Phone2};
    if (fields.phone1.empty())
        std::swap(fields.phone1, fields.phone2);
    return std::nullopt;
}
