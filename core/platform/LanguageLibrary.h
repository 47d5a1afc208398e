#pragma once

#include "QuillonCoreExport.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One text of a language library's string table (UTF-8, as the library gives it).
struct LanguageString {
    int id = 0;
    std::string text;
    bool operator==(const LanguageString&) const = default;
};

// One caption of a dialog control (control 0: the dialog's own caption).
struct LanguageCaption {
    int dialog = 0;
    int control = 0;
    std::string text;
    bool operator==(const LanguageCaption&) const = default;
};

// What an accepted language library holds, copied out of it.
struct LanguageResources {
    std::string language;
    std::string version;
    std::vector<LanguageString> strings;
    std::vector<LanguageCaption> captions;
};

// Loads the language library at path, checks that its GetResVersion equals requiredVersion
// exactly and copies its language name and tables. The library is closed again in every case
// (its texts are copies), so nothing of it stays mapped. Nothing when the file is missing or
// not a library, the path names no folder (a bare name is never searched for), a function is
// missing or returns null, or the version differs: the caller keeps its built-in texts.
QUILLON_CORE_EXPORT std::optional<LanguageResources>
LoadLanguageLibrary(const std::string& path, std::string_view requiredVersion);

// Only the language name of the library at path (for a list of the languages there are),
// whatever its version; nothing when it is not a language library.
QUILLON_CORE_EXPORT std::optional<std::string> ReadLibraryLanguage(const std::string& path);

// Where the libraries are: the desktop program's "<program folder>Lang/<English language
// name>_EXE.so" (programDir ends in "/"), and the plug-in's and registration tool's
// "<installation directory>/Lang/<language name>.so".
QUILLON_CORE_EXPORT std::string ProgramLanguageLibraryPath(const std::string& programDir,
                                                           const std::string& englishName);
QUILLON_CORE_EXPORT std::string ToolLanguageLibraryPath(const std::string& installDir,
                                                        const std::string& languageName);
