#include "logic/LanguageChoice.h"

#include "logic/LanguageMap.h"

#include <algorithm>
#include <cctype>

namespace {

bool SameLanguage(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

std::optional<std::string> LanguageLibraryFor(std::uint16_t lcid, const std::string& programDir) {
    if (lcid == kNoLanguage || lcid == kBuiltInLanguage)
        return std::nullopt;
    const std::optional<std::string> name = EnglishLanguageName(lcid);
    if (!name)
        return std::nullopt;
    return ProgramLanguageLibraryPath(programDir, *name);
}

LanguageChoice ChooseLanguage(std::uint16_t lcid, const std::string& programDir,
                              std::string_view programVersion, const LanguageLoader& load) {
    const std::optional<std::string> path = LanguageLibraryFor(lcid, programDir);
    if (!path)
        return {};
    std::optional<LanguageResources> resources = load(*path, programVersion);
    if (!resources || !SameLanguage(resources->language, *EnglishLanguageName(lcid)))
        return {};
    return {lcid, std::move(resources)};
}

std::string_view ProgramVersion() {
    return QUILLON_PROGRAM_VERSION;
}
