#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

// The Windows language ids of the interface languages and their English names, as the system
// names them ("English", "Slovak").

// The English name of the language of lcid; nothing for an id the map lacks.
std::optional<std::string> EnglishLanguageName(std::uint16_t lcid);

// From the lower-cased English name to its language id; when several ids share a name, the
// numerically smallest (English: 1033).
const std::map<std::string, std::uint16_t>& LanguageMap();
