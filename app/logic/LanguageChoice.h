#pragma once

#include "platform/LanguageLibrary.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The language ids the program knows without a library: 0 (none chosen) and Slovak, its own.
constexpr std::uint16_t kNoLanguage = 0;
constexpr std::uint16_t kBuiltInLanguage = 1051;

// The interface language the program starts in: the Lcid to keep in the settings (0 for the
// built-in Slovak texts, also when a library could not be taken) and the accepted library's
// texts, if any.
struct LanguageChoice {
    std::uint16_t lcid = kNoLanguage;
    std::optional<LanguageResources> resources;
};

// The library of lcid's language in the program folder (ending in "/"): "<folder>Lang/<English
// name>_EXE.so"; nothing for the built-in language and for an id the language map lacks.
std::optional<std::string> LanguageLibraryFor(std::uint16_t lcid, const std::string& programDir);

// Loads a library at a path when its version equals the one given (LoadLanguageLibrary).
using LanguageLoader =
    std::function<std::optional<LanguageResources>(const std::string&, std::string_view)>;

// Takes lcid's library when it is a library of that language (its name, in any case, is the
// English name) of exactly the program's version; otherwise the built-in texts and Lcid 0.
LanguageChoice ChooseLanguage(std::uint16_t lcid, const std::string& programDir,
                              std::string_view programVersion,
                              const LanguageLoader& load = LoadLanguageLibrary);

// The version the program's language libraries must carry: the program's own.
std::string_view ProgramVersion();
