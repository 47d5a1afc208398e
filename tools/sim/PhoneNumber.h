#pragma once

#include <string>
#include <vector>

// A number in international form without "+": 9 to 15 digits.
bool IsWellFormedNumber(const std::string& number);

// Whether the number belongs to the operator's network (starts with one of the prefixes).
bool IsInNetwork(const std::string& number, const std::vector<std::string>& prefixes);
