#pragma once

#include <cstdint>
#include <limits>
#include <optional>

// A decimal number from the stored XML: optional blanks around it, an optional sign and digits,
// nothing else. Empty text, other characters and values outside [min, max] give no value, so the
// reader keeps its default.
std::optional<std::int64_t> XmlDecimal(const char* text,
                                       std::int64_t min = std::numeric_limits<std::int64_t>::min(),
                                       std::int64_t max = std::numeric_limits<std::int64_t>::max());

// The same, limited to a 32-bit int.
std::optional<int> XmlInt(const char* text);
