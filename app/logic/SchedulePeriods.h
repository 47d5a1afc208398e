#pragma once

#include "model/StringTable.h"

#include <string>
#include <vector>

// The texts of the period codes of a delayed message, from the program's table: 500 on, one
// per code, up to the first id the table lacks.
namespace SchedulePeriods {
inline constexpr int kFirstString = 500;

// UTF-8, the index is the period code.
std::vector<std::string> Texts(const StringTable& strings);
// The text of one code; empty for a code without one.
std::string Text(const StringTable& strings, int code);
} // namespace SchedulePeriods
