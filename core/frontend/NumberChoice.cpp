#include "frontend/NumberChoice.h"

#include <algorithm>

std::string CleanNumber(std::string number) {
    number.erase(std::remove_if(number.begin(), number.end(),
                                [](char c) { return c == '-' || c == '(' || c == ')'; }),
                 number.end());
    return number;
}

std::string ChooseNumber(NoMobileMode mode, const std::string& name,
                         const std::vector<CandidateNumber>& candidates,
                         IAlternativeNumberDialog& dialog) {
    std::vector<CandidateNumber> present;
    std::copy_if(candidates.begin(), candidates.end(), std::back_inserter(present),
                 [](const CandidateNumber& c) { return !c.number.empty(); });
    if (present.empty())
        return {};
    if (present.size() == 1 && mode == NoMobileMode::AskIfSeveral)
        return CleanNumber(present.front().number);
    if (mode == NoMobileMode::Skip)
        return {};
    const int chosen = dialog.Choose(name, present);
    if (chosen < 0 || chosen >= static_cast<int>(present.size()))
        return {};
    return CleanNumber(present[static_cast<std::size_t>(chosen)].number);
}
