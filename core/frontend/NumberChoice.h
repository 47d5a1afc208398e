#pragma once

#include "QuillonCoreExport.h"
#include "frontend/ImportRecord.h"

#include <string>
#include <vector>

// What the import does with a record that has no mobile number but other numbers.
enum class NoMobileMode {
    Skip,         // import it without a number
    Ask,          // offer the other numbers
    AskIfSeveral, // take the only other number, offer them when there are several
};

// The alternative-number question: the index of the number the user takes, or -1 for none.
class IAlternativeNumberDialog {
public:
    virtual ~IAlternativeNumberDialog() = default;
    virtual int Choose(const std::string& name, const std::vector<CandidateNumber>& numbers) = 0;
};

// The number a record without a mobile number gets from its candidates (empty for none),
// without "-", "(" and ")".
QUILLON_CORE_EXPORT std::string ChooseNumber(NoMobileMode mode, const std::string& name,
                                             const std::vector<CandidateNumber>& candidates,
                                             IAlternativeNumberDialog& dialog);

// The number without "-", "(" and ")".
QUILLON_CORE_EXPORT std::string CleanNumber(std::string number);
