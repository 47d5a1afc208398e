#pragma once

#include <string>
#include <vector>

// What a candidate number of a record without a mobile number was in its source.
enum class NumberLabel { Work, Home, Primary, Other };

struct CandidateNumber {
    NumberLabel label = NumberLabel::Other;
    std::string number;
};

// One contact as a reader of an import file found it, in the ANSI code page.
struct ImportRecord {
    // The first physical line of the record in its file (1 for the first), 0 where the source
    // has no lines.
    int line = 0;
    std::string name;
    // The mobile number (number 1), empty when the source has none.
    std::string phone1;
    std::string phone2;
    // The other numbers to offer when phone1 is empty.
    std::vector<CandidateNumber> candidates;
    // The groups field as the file holds it (group names separated by ";").
    std::string groups;
};
