#include "PhoneNumber.h"

#include <algorithm>

bool IsWellFormedNumber(const std::string& number) {
    return number.size() >= 9 && number.size() <= 15 &&
           std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsInNetwork(const std::string& number, const std::vector<std::string>& prefixes) {
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [&number](const std::string& prefix) { return number.starts_with(prefix); });
}
