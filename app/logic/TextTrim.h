#pragma once

#include <string>
#include <string_view>

// The text without blanks (spaces, tabs, line breaks) at either end.
std::string TrimBlanks(std::string_view text);
// Whether two ANSI texts are equal but for the case of their ASCII letters.
bool EqualNoCase(std::string_view a, std::string_view b);
